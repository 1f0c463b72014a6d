#include "platform/NameLimit.h"

namespace tf {

// Every file system Windows writes to (NTFS, FAT32 with long names, exFAT,
// ReFS) takes names of 255 UTF-16 units, at least as many as the bytes of
// any name this program makes.
size_t MaxFileNameBytes(const std::filesystem::path&)
{
    return 255;
}

} // namespace tf
