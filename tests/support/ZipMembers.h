#pragma once

// The members of a .wsz or .zip archive read into memory, for tests and
// benchmarks on the real skins (no extraction to disk, no path rules).

#include <filesystem>
#include <string>
#include <vector>

namespace tf::test {

struct ZipMember {
    std::string Name; // UTF-8, folders included
    std::string Bytes;
};

// The regular files of the archive in stored order; throws
// std::runtime_error when the archive cannot be read.
std::vector<ZipMember> ReadZipMembers(const std::filesystem::path& archive);

// Members whose content is a BMP file (starts with "BM").
std::vector<ZipMember> ReadBmpMembers(const std::filesystem::path& archive);

} // namespace tf::test
