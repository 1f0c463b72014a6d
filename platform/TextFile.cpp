#include "platform/TextFile.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <system_error>

namespace tf {

std::string ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    // The type is checked before the file is opened: opening a FIFO would
    // wait for a writer for ever.
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status))
        ThrowFileOpenError(path, QCoreApplication::translate("Files", "フォルダです"));
    if (!error && !std::filesystem::is_regular_file(status))
        ThrowFileOpenError(path, QCoreApplication::translate("Files", "通常のファイルではありません"));
    QFile file(PathToQString(path));
    if (!file.open(QIODevice::ReadOnly))
        ThrowFileOpenError(path, file.errorString());
    if (std::uintmax_t(file.size()) > maxBytes)
        ThrowFileOpenError(path, QCoreApplication::translate("Files", "ファイルが大きすぎます (%1 バイト、%2 バイトまで)")
                                     .arg(file.size())
                                     .arg(qulonglong(maxBytes)));
    std::string bytes(size_t(file.size()), '\0');
    errno = 0;
    const qint64 read = bytes.empty() ? 0 : file.read(bytes.data(), qint64(bytes.size()));
    if (read < 0)
        ThrowFileOpenError(path, errno ? QString::fromStdString(std::generic_category().message(errno))
                                       : file.errorString());
    bytes.resize(size_t(read));
    return bytes;
}

void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& visit)
{
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            visit(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        visit(text.substr(start));
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    return SplitLines(ReadFileBytes(path));
}

} // namespace tf
