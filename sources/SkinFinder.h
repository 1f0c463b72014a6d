#pragma once

// What makes a skin source: a folder that holds main.bmp, or an archive
// named .wsz or .zip. Every open path asks these, so the rules stand here
// only.

#include "sources/MemberPath.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tf {

// True when the file name ends in ".zip" or ".wsz", in any letter case.
bool HasSkinArchiveExtension(const std::filesystem::path& path);

// True for a folder that holds main.bmp itself (any letter case).
bool IsSkinFolder(const std::filesystem::path& folder);

// The folder at or below folder that holds main.bmp (any letter case): the
// last one in depth-first order, a skin folder's own subfolders not being
// searched. Folders are visited in name order, so the answer never depends
// on the file system; hidden folders and symbolic links are never entered.
// Empty when there is none, also when folder does not exist.
// Each folder is listed once.
std::filesystem::path FindSkinFolder(const std::filesystem::path& folder);

// The same search over the names of an archive read without unpacking it:
// the folder as CaseFoldedTree::resolve spells it ("" for the archive's
// root), or nothing.
std::optional<std::string> FindSkinFolder(const CaseFoldedTree& tree);

} // namespace tf
