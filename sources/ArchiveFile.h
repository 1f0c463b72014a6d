#pragma once

// A skin archive read from its file into memory, once, and checked before
// the archive library sees it: a file larger than any skin archive may be is
// refused before a byte of it is read, and one whose central directory lists
// more members than the limit before the library reads that directory (it
// keeps every entry of it in memory).

#include "sources/ArchiveExtraction.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tf {

// The archive's bytes; nothing, with the reason in report (LimitHit, or
// ArchiveError with the system's reason), when it is refused or cannot be
// read.
std::optional<std::string> ReadArchiveFile(const std::filesystem::path& path, const ExtractionLimits& limits,
                                           ExtractionReport& report);

// How many central directory entries the library could find in the archive
// at most: each begins with its signature, wherever the library starts.
size_t CountDirectorySignatures(std::string_view archive);

// Writes bytes as a new file at path (replacing one there); the system's
// reason when that fails ("No space left on device"), else empty.
std::string WriteArchiveCopy(std::string_view bytes, const std::filesystem::path& path);

} // namespace tf
