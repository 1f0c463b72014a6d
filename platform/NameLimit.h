#pragma once

#include <cstddef>
#include <filesystem>

namespace tf {

// The longest file name, in bytes, that the file system of folder takes.
// A folder not yet created is asked through its nearest existing parent;
// when nothing answers, 255, the limit of every common file system.
size_t MaxFileNameBytes(const std::filesystem::path& folder);

} // namespace tf
