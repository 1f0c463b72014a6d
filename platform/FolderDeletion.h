#pragma once

// Removing the working folder and everything in it.

#include <filesystem>
#include <vector>

namespace tf {

// Makes every entry of the folder writable; deletes its files (and links,
// which are never followed) and adds its subfolders to subfolders. Failures
// are ignored.
void ClearFolder(const std::filesystem::path& folder, std::vector<std::filesystem::path>& subfolders);
// Deletes everything below the folder, breadth first, and the folder itself
// when removeRoot. Never fails and never follows a symbolic link.
void DeleteTree(const std::filesystem::path& folder, bool removeRoot);

} // namespace tf
