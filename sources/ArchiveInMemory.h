#pragma once

// A skin archive read without unpacking it, in one pass over its members:
// every member's name is looked at under the rules of an extraction to disk
// (ArchiveExtraction.h), only the members of the names asked for are
// inflated, and the skin folder is found among the names as FindSkinFolder
// finds it on disk; its files are kept. Nothing is written, no folder is
// made, and it may run on any thread.

#include "sources/ArchiveExtraction.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

struct SkinArchiveFile {
    std::string Name; // as spelled in the archive
    std::string Bytes;
};

struct SkinArchiveContents {
    // What an extraction to disk reports, but that only the members of the
    // names asked for are inflated (in any folder): a limit is met only by
    // them, and damage to the data of any other member goes unnoticed.
    // Files lists what was inflated.
    ExtractionReport Report;
    // The folder that holds main.bmp, as CaseFoldedTree spells it ("" for
    // the root); nothing when there is none, or when its main.bmp did not
    // come out whole.
    std::optional<std::string> SkinFolder;
    std::vector<SkinArchiveFile> Files; // of SkinFolder, in archive order
    bool Interrupted = false;           // the allowance said no; nothing was kept
};

// Asked, as member data comes out, whether the bytes taken so far may stay
// in memory; no stops the reading.
using MemoryAllowance = std::function<bool(uint64_t bytesTaken)>;

// wantedNames are matched without regard to case and trailing blanks, as a
// skin folder's files are; main.bmp is always taken.
SkinArchiveContents ReadSkinArchive(std::string_view archive, const std::vector<std::string>& wantedNames,
                                    const ExtractionLimits& limits = {}, const MemoryAllowance& allowance = {});

} // namespace tf
