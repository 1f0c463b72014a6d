#include "sources/ArchiveFile.h"

#include "platform/FileSystem.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

// What QFile says of a failure is its own wording of the system's; errno,
// read right after the call, is the system's own.
std::string SystemReason(const QFile& file)
{
    return errno ? std::generic_category().message(errno) : file.errorString().toStdString();
}

} // namespace

size_t CountDirectorySignatures(std::string_view archive)
{
    static constexpr std::string_view kSignature("PK\x01\x02", 4);
    size_t count = 0;
    for (size_t at = archive.find(kSignature); at != std::string_view::npos; at = archive.find(kSignature, at + 4))
        ++count;
    return count;
}

std::optional<std::string> ReadArchiveFile(const fs::path& path, const ExtractionLimits& limits,
                                           ExtractionReport& report)
{
    QFile file(PathToQString(path));
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        report.ArchiveError = SystemReason(file);
        return std::nullopt;
    }
    if (uint64_t(file.size()) > limits.MaxArchiveBytes) {
        report.LimitHit = ExtractionLimit::ArchiveSize;
        return std::nullopt;
    }
    std::string bytes(size_t(file.size()), '\0');
    errno = 0;
    const qint64 read = bytes.empty() ? 0 : file.read(bytes.data(), qint64(bytes.size()));
    if (read < 0) {
        report.ArchiveError = SystemReason(file);
        return std::nullopt;
    }
    bytes.resize(size_t(read));
    if (CountDirectorySignatures(bytes) > size_t(limits.MaxMembers)) {
        report.LimitHit = ExtractionLimit::ListedMembers;
        return std::nullopt;
    }
    return bytes;
}

std::string WriteArchiveCopy(std::string_view bytes, const fs::path& path)
{
    QFile file(PathToQString(path));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return SystemReason(file);
    errno = 0;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.flush())
        return SystemReason(file);
    return {};
}

} // namespace tf
