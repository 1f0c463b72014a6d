#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace tf {

// What the file system says a file or folder is, whatever path names it: on
// Windows the volume and the file index (the same for every letter case,
// short name or trailing dot of its name), elsewhere the device and inode.
// std::filesystem::equivalent is not used: MinGW's has no inode to compare.
struct FileIdentity {
    uint64_t Volume = 0;
    uint64_t Index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Nothing when the path does not exist or cannot be asked.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

} // namespace tf
