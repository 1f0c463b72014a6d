#pragma once

#include <filesystem>

namespace tf {

// The folder at or below folder that holds main.bmp (any letter case): the
// last one in depth-first order, a skin folder's own subfolders not being
// searched. Folders are visited in name order, so the answer never depends
// on the file system; hidden folders and symbolic links are never entered.
// Empty when there is none, also when folder does not exist.
std::filesystem::path FindSkinFolder(const std::filesystem::path& folder);

} // namespace tf
