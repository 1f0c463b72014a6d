#include "platform/TextFile.h"

#include "platform/Errors.h"

#include <QFile>
#include <QFileInfo>

namespace tf {

std::string ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    QFile file(QFile::decodeName(path.c_str()));
    if (QFileInfo(file).isDir())
        ThrowFileOpenError(path, QStringLiteral("フォルダです"));
    if (!file.open(QIODevice::ReadOnly))
        ThrowFileOpenError(path, file.errorString());
    if (std::uintmax_t(file.size()) > maxBytes)
        ThrowFileOpenError(path, QStringLiteral("ファイルが大きすぎます (%1 バイト)").arg(file.size()));
    std::string bytes(size_t(file.size()), '\0');
    const qint64 read = bytes.empty() ? 0 : file.read(bytes.data(), qint64(bytes.size()));
    if (read < 0)
        ThrowFileOpenError(path, file.errorString());
    bytes.resize(size_t(read));
    return bytes;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    return SplitLines(ReadFileBytes(path));
}

} // namespace tf
