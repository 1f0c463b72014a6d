#include "sources/ArchiveReader.h"

#include "platform/ArchiveText.h"

#include <archive.h>
#include <archive_entry.h>

namespace tf {
namespace {

// After a member whose data breaks the decompressor the library will not
// read on; the archive is opened again and read past that member, at most
// this many times.
constexpr int kMaxReopenings = 16;

} // namespace

void ArchiveReader::ReaderFree::operator()(archive* a) const
{
    archive_read_free(a);
}

ArchiveReader::ArchiveReader(std::string_view bytes)
    : m_bytes(bytes)
{
}

ArchiveReader::~ArchiveReader() = default;

bool ArchiveReader::open(int membersToPass)
{
    m_reader.reset(archive_read_new());
    // ZIP only, as the extension promises; an archive inside the skin stays
    // a file, and other formats under a .wsz name are not skins.
    archive_read_support_format_zip(m_reader.get());
    if (archive_read_open_memory(m_reader.get(), m_bytes.data(), m_bytes.size()) != ARCHIVE_OK)
        return false;
    for (int i = 0; i < membersToPass; ++i) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(m_reader.get(), &entry);
        if (status == ARCHIVE_EOF || status == ARCHIVE_FATAL)
            return false;
        if (status != ARCHIVE_RETRY)
            archive_read_data_skip(m_reader.get());
    }
    return true;
}

int ArchiveReader::nextHeader(archive_entry** entry)
{
    return archive_read_next_header(m_reader.get(), entry);
}

std::string ArchiveReader::error() const
{
    const char* text = m_reader ? archive_error_string(m_reader.get()) : nullptr;
    return text ? text : "";
}

ArchiveReader::Data ArchiveReader::readData(const ExtractionLimits& limits, uint64_t& total,
                                            const std::function<bool(const void*, size_t)>& write,
                                            std::string& detail)
{
    uint64_t memberBytes = 0;
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int status = archive_read_data_block(m_reader.get(), &block, &size, &offset);
        if (status == ARCHIVE_EOF)
            return Data::Complete;
        if (status != ARCHIVE_OK) {
            detail = error();
            return status == ARCHIVE_FATAL ? Data::Fatal : Data::Damaged;
        }
        if (memberBytes + size > limits.MaxMemberBytes)
            return Data::MemberLimit;
        if (total + size > limits.MaxTotalBytes)
            return Data::TotalLimit;
        // Taken in sequence: a ZIP member has no holes, and an offset is
        // never allowed to grow a file past what was counted.
        if (!write(block, size))
            return Data::Refused;
        memberBytes += size;
        total += size;
    }
}

MemberHeader ReadMemberHeader(archive_entry* entry)
{
    MemberHeader header;
    header.Path = ParseMemberPath(MemberNameUtf8(entry));
    const unsigned type = archive_entry_filetype(entry);
    if (header.Path.Rejected)
        header.Reason = *header.Path.Rejected;
    else if (archive_entry_hardlink(entry) || type == AE_IFLNK)
        header.Reason = SkipReason::Link;
    else if (type == AE_IFDIR || (header.Path.Folder && (type == AE_IFREG || type == 0)))
        header.Kind = MemberHeader::Type::Folder;
    else if (type != AE_IFREG && type != 0)
        header.Reason = SkipReason::SpecialFile;
    else
        header.Kind = MemberHeader::Type::File;
    return header;
}

WalkStep NoteIncompleteMember(ExtractionReport& report, const MemberPath& member, ArchiveReader::Data result,
                              const std::string& detail)
{
    switch (result) {
    case ArchiveReader::Data::MemberLimit:
    case ArchiveReader::Data::TotalLimit:
        report.LimitHit = result == ArchiveReader::Data::MemberLimit ? ExtractionLimit::MemberSize
                                                                     : ExtractionLimit::TotalSize;
        report.LimitMember = member.Name;
        return WalkStep::Stop;
    case ArchiveReader::Data::Refused:
        report.Skipped.push_back({member.Name, SkipReason::WriteFailed, detail});
        return WalkStep::Next;
    case ArchiveReader::Data::Fatal:
        report.Skipped.push_back({member.Name, SkipReason::Damaged, detail});
        return WalkStep::Reopen;
    case ArchiveReader::Data::Damaged:
    case ArchiveReader::Data::Complete:
        break;
    }
    report.Skipped.push_back({member.Name, SkipReason::Damaged, detail});
    return WalkStep::Next;
}

void WalkMembers(ArchiveReader& reader, const ExtractionLimits& limits, ExtractionReport& report,
                 const std::function<WalkStep(archive_entry*, int)>& visit)
{
    const ArchiveNameScope names;
    if (!reader.open(0)) {
        report.ArchiveError = reader.error();
        if (report.ArchiveError.empty())
            report.ArchiveError = "cannot open the archive";
        return;
    }
    int members = 0;
    int reopenings = 0;
    for (;;) {
        archive_entry* entry = nullptr;
        const int status = reader.nextHeader(&entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status == ARCHIVE_FATAL) {
            report.ArchiveError = reader.error();
            break;
        }
        if (++members > limits.MaxMembers) {
            report.LimitHit = ExtractionLimit::MemberCount;
            break;
        }
        if (status == ARCHIVE_RETRY)
            continue; // this header is unusable, the next may not be
        const WalkStep step = visit(entry, members - 1);
        if (step == WalkStep::Stop)
            break;
        if (step == WalkStep::Reopen && (++reopenings > kMaxReopenings || !reader.open(members))) {
            report.ArchiveError = report.Skipped.back().Detail;
            break;
        }
    }
}

} // namespace tf
