#pragma once

// Unpacks a ZIP archive (a .wsz skin) into a folder, as a Windows unzip
// would, but safely: nothing is written outside the folder, links and
// special files are never created, and the amount written is bounded.

#include "platform/ShownPaths.h"
#include "sources/MemberPath.h"

#include <QString>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tf {

struct ExtractionLimits {
    int MaxMembers = 4096;
    uint64_t MaxMemberBytes = uint64_t(16) << 20;
    uint64_t MaxTotalBytes = uint64_t(64) << 20;
    // An archive file larger than what its members may unpack to holds no
    // skin worth reading; it is refused before it is read.
    uint64_t MaxArchiveBytes = uint64_t(64) << 20;
};

enum class ExtractionLimit {
    None,
    ArchiveSize,   // the file is larger than MaxArchiveBytes: nothing was read
    ListedMembers, // its central directory lists more than MaxMembers: nothing was read
    MemberCount,   // more members than MaxMembers came (an archive read without its directory)
    MemberSize,
    TotalSize,
};

struct SkippedMember {
    std::string Name; // UTF-8
    SkipReason Reason;
    std::string Detail; // the library's or the system's message, where there is one
    std::filesystem::path File; // the file or folder that could not be made, where the disk refused one
};

struct ExtractionReport {
    // Files written, relative to the destination, in archive order; a file
    // replaced by a later member of the same name appears again.
    std::vector<std::filesystem::path> Files;
    std::vector<SkippedMember> Skipped;
    // Extraction stopped at the first limit reached; what was complete
    // before it stays, the member being written when it was reached does not.
    ExtractionLimit LimitHit = ExtractionLimit::None;
    std::string LimitMember; // the member being written when a size limit was reached
    uint64_t BytesWritten = 0;
    // Set when the archive could not be opened or its headers could not be
    // read past some point; what came out before that stays. Members whose
    // data is damaged are listed in Skipped.
    std::string ArchiveError;
    // Set when the destination folder could not be made; ArchiveError then
    // holds the system's reason.
    std::filesystem::path UncreatedFolder;
};

// Extracts every member of the ZIP archive below destination (created when
// missing) under its stored relative path. The archive is read into memory
// first (ReadArchiveFile), so its limits hold before anything is written.
// Safe to run on several threads at once as long as the destinations differ.
ExtractionReport ExtractArchive(const std::filesystem::path& archivePath,
                                const std::filesystem::path& destination,
                                const ExtractionLimits& limits = {});

// The sentence that tells the user which limit stopped the extraction of
// archivePath; empty when none did.
QString DescribeExtractionLimit(const std::filesystem::path& archivePath,
                                const ExtractionReport& report,
                                const ExtractionLimits& limits = {});

// "アーカイブを展開できません: NAME (REASON)" when the archive could not be
// opened or read to its end, or a member's data was damaged (a bad CRC, an
// encrypted member); REASON is the library's, or the system's for a working
// folder that could not be made. Empty for a sound archive.
QString DescribeArchiveError(const std::filesystem::path& archivePath, const ExtractionReport& report);

// One sentence listing the members passed over for unsafe names, links,
// special files or a refused write; empty when there were none. Damaged
// members belong to DescribeArchiveError. The files the disk refused are
// named by names.
QString DescribeSkippedMembers(const std::filesystem::path& archivePath, const ExtractionReport& report,
                               const ShownPaths& names = {});

} // namespace tf
