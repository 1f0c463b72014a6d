#pragma once

// The converter's way into a skin archive: the archive read into memory
// once, only the files of the source table inflated, and the skin loaded
// from those bytes. No working folder, no file written or deleted, no lock;
// the same limits, checks, messages and output as unpacking it to disk
// (OpenSkinArchive), which the window keeps for the files it reads again.

#include "session/OpenSkin.h"
#include "sources/ArchiveInMemory.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace tf {

class MemoryFolder;

// An archive read for loading.
struct SkinArchiveInMemory {
    std::filesystem::path Archive;
    uint64_t ArchiveBytes = 0; // the size of the archive file as read
    ExtractionReport Report;
    // The skin folder's files, under the archive's path and the folder's:
    // "base.wsz/Skin/main.bmp". Nothing when no skin folder came out.
    std::shared_ptr<const MemoryFolder> Folder;
    bool Interrupted = false; // the allowance said no; nothing was kept

    // Bytes held: the skin files read.
    uint64_t heldBytes() const;
};

// Reads the archive and the source table's files of its skin folder. Touches
// no session, so it may run on any thread; allowance as for ReadSkinArchive.
SkinArchiveInMemory ReadSkinArchiveFile(const std::filesystem::path& archive, const MemoryAllowance& allowance = {});

// Loads what was read, as OpenSkinArchive loads what it unpacked: the same
// outcome, error, notices and skin state.
OpenResult LoadSkinArchive(SkinSession& session, const SkinArchiveInMemory& read);

} // namespace tf
