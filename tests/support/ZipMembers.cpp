#include "support/ZipMembers.h"

#include "platform/ArchiveText.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>
#include <stdexcept>

namespace tf::test {
namespace {

using ArchivePtr = std::unique_ptr<archive, decltype(&archive_read_free)>;

[[noreturn]] void Fail(archive* reader, const std::filesystem::path& path)
{
    const char* reason = archive_error_string(reader);
    throw std::runtime_error("cannot read " + path.string() + ": " + (reason ? reason : "unknown error"));
}

} // namespace

std::vector<ZipMember> ReadZipMembers(const std::filesystem::path& archivePath)
{
    ArchivePtr reader(archive_read_new(), &archive_read_free);
    archive_read_support_format_zip(reader.get());
    if (tf::OpenArchiveForReading(reader.get(), archivePath, 64 * 1024) != ARCHIVE_OK)
        Fail(reader.get(), archivePath);
    std::vector<ZipMember> members;
    archive_entry* entry = nullptr;
    int status;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        if (archive_entry_filetype(entry) != AE_IFREG)
            continue;
        ZipMember member;
        member.Name = tf::MemberNameUtf8(entry);
        char buffer[64 * 1024];
        la_ssize_t read;
        while ((read = archive_read_data(reader.get(), buffer, sizeof buffer)) > 0)
            member.Bytes.append(buffer, size_t(read));
        if (read < 0)
            Fail(reader.get(), archivePath);
        members.push_back(std::move(member));
    }
    if (status != ARCHIVE_EOF)
        Fail(reader.get(), archivePath);
    return members;
}

std::vector<ZipMember> ReadBmpMembers(const std::filesystem::path& archive)
{
    std::vector<ZipMember> bitmaps;
    for (ZipMember& member : ReadZipMembers(archive))
        if (member.Bytes.size() >= 2 && member.Bytes.compare(0, 2, "BM") == 0)
            bitmaps.push_back(std::move(member));
    return bitmaps;
}

} // namespace tf::test
