#pragma once

// libarchive's ZIP reader over an archive held in memory, with what the two
// ways of taking members out (to disk, into memory) share: reading past
// members already seen after a damaged one, and counting what comes out of
// the decompressor against the limits.

#include "sources/ArchiveExtraction.h"
#include "sources/MemberPath.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct archive;
struct archive_entry;

namespace tf {

class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Opens the archive afresh and reads past its first membersToPass
    // headers; false (with error() set when the library said why) when it
    // cannot be opened or ends before.
    bool open(int membersToPass);
    // ARCHIVE_OK, ARCHIVE_WARN, ARCHIVE_RETRY, ARCHIVE_EOF or ARCHIVE_FATAL.
    int nextHeader(archive_entry** entry);
    std::string error() const;

    enum class Data { Complete, Damaged, Fatal, Refused, MemberLimit, TotalLimit };
    // Hands the current member's data to write block by block, counting
    // every byte against the member and total limits (total is what earlier
    // members took). The sizes the headers claim play no part. Refused when
    // write says no; detail then stays for the caller to fill.
    Data readData(const ExtractionLimits& limits, uint64_t& total,
                  const std::function<bool(const void* block, size_t size)>& write, std::string& detail);

private:
    struct ReaderFree {
        void operator()(archive* a) const;
    };
    std::string_view m_bytes;
    std::unique_ptr<archive, ReaderFree> m_reader;
};

// A member's header as both ways take it: its name checked, and what it is.
struct MemberHeader {
    enum class Type { Skipped, Folder, File };
    MemberPath Path;
    Type Kind = Type::Skipped;
    SkipReason Reason = SkipReason::UnreadableName; // why, when Skipped
};
MemberHeader ReadMemberHeader(archive_entry* entry);

enum class WalkStep { Next, Reopen, Stop };

// Lists a member whose data did not come out whole (Refused as WriteFailed
// with detail) and says how to go on: a limit stops, broken data that
// stopped the decompressor reopens, anything else goes on.
WalkStep NoteIncompleteMember(ExtractionReport& report, const MemberPath& member, ArchiveReader::Data result,
                              const std::string& detail);

// Opens the archive and hands every member's header to visit in archive
// order, with its index, counting members against the limit (LimitHit
// MemberCount). After a member whose data broke the decompressor (visit
// answers Reopen, having listed it as Damaged) the archive is opened again
// past it, a bounded number of times. ArchiveError is set when the archive
// cannot be opened or its headers cannot be read past some point.
void WalkMembers(ArchiveReader& reader, const ExtractionLimits& limits, ExtractionReport& report,
                 const std::function<WalkStep(archive_entry* entry, int index)>& visit);

} // namespace tf
