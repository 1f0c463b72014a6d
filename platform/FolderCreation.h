#pragma once

// Output folders made for a save, and taken away again when it fails.

#include <filesystem>
#include <system_error>
#include <vector>

namespace tf {

// Creates folder and the folders above it that are missing; returns those
// it created, the outermost first. On failure error says why, and what was
// created stays (see RemoveFoldersIfEmpty).
std::vector<std::filesystem::path> CreateMissingFolders(const std::filesystem::path& folder, std::error_code& error);

// Removes these folders, the innermost first, as long as they are empty.
void RemoveFoldersIfEmpty(const std::vector<std::filesystem::path>& folders);

} // namespace tf
