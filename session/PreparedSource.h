#pragma once

// A skin source as a conversion reads it before it decodes anything: an
// archive's skin files in memory, or a folder that is read as it loads.
// Lets a batch see what memory a skin will take (from the bitmaps' headers)
// before it lets the skin start.

#include "session/OpenSkin.h"
#include "session/OpenSkinInMemory.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace tf {

struct PreparedSource {
    std::filesystem::path Source;
    std::optional<SkinArchiveInMemory> Archive; // for a .wsz/.zip file
};

// True for a regular file named .wsz or .zip, which a conversion reads in
// memory; the size of the file comes back in fileBytes.
bool IsArchiveSource(const std::filesystem::path& source, uint64_t* fileBytes = nullptr);

PreparedSource PrepareSource(const std::filesystem::path& source, const MemoryAllowance& allowance = {});

// Opens what was prepared as OpenSkinSource opens the source, but for an
// archive from memory.
OpenResult OpenPreparedSource(SkinSession& session, const PreparedSource& prepared);

// The most memory converting the prepared source takes, by the pixels its
// bitmaps' headers claim (read from the disk for a folder), with what it
// already holds.
uint64_t EstimateConversionBytes(const PreparedSource& prepared);

} // namespace tf
