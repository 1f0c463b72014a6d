#include "platform/FolderCreation.h"

namespace fs = std::filesystem;

namespace tf {

std::vector<fs::path> CreateMissingFolders(const fs::path& folder, std::error_code& error)
{
    std::vector<fs::path> missing;
    for (fs::path at = folder; !at.empty(); at = at.parent_path()) {
        if (fs::exists(fs::symlink_status(at, error)) || !at.has_relative_path())
            break;
        missing.push_back(at);
    }
    error.clear();
    std::vector<fs::path> made;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!fs::create_directory(*it, error) || error) {
            if (!error && !fs::is_directory(*it, error))
                error = std::make_error_code(std::errc::not_a_directory);
            if (error)
                break;
            continue; // made by someone else meanwhile
        }
        made.push_back(*it);
    }
    return made;
}

void RemoveFoldersIfEmpty(const std::vector<fs::path>& folders)
{
    std::error_code error;
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        if (!fs::remove(*it, error)) // a folder that is not empty stays
            return;
}

} // namespace tf
