#include "sources/SkinFinder.h"

#include "platform/FileSystem.h"

#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace tf {

fs::path FindSkinFolder(const fs::path& folder)
{
    std::error_code error;
    if (!fs::is_directory(folder, error)) // the caller's folder may be reached through a link
        return {};
    fs::path result;
    // Depth-first with an explicit stack (a deep archive must not exhaust
    // the call stack); children are pushed in reverse so that they are
    // visited in name order.
    std::vector<fs::path> pending{folder};
    while (!pending.empty()) {
        const fs::path current = std::move(pending.back());
        pending.pop_back();
        if (FindFileNoCase(current, "main.bmp")) {
            result = current;
            continue;
        }
        const std::vector<fs::directory_entry> entries = ListFolderSorted(current);
        for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
            const fs::file_status status = it->symlink_status(error);
            if (error || !fs::is_directory(status))
                continue;
            if (IsHiddenName(it->path().filename().string()))
                continue;
            pending.push_back(it->path());
        }
    }
    return result;
}

} // namespace tf
