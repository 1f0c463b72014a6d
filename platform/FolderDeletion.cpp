#include "platform/FolderDeletion.h"

#include <system_error>

namespace fs = std::filesystem;

namespace tf {

void ClearFolder(const fs::path& folder, std::vector<fs::path>& subfolders)
{
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return;
    std::vector<fs::path> entries;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        entries.push_back(it->path());
    }
    for (const fs::path& entry : entries) {
        const fs::file_status status = fs::symlink_status(entry, error);
        if (error)
            continue;
        if (fs::is_symlink(status)) {
            fs::remove(entry, error); // the link itself, never its target
            continue;
        }
        fs::permissions(entry, fs::perms::owner_read | fs::perms::owner_write
                                   | (fs::is_directory(status) ? fs::perms::owner_exec : fs::perms::none),
                        fs::perm_options::add, error);
        if (fs::is_directory(status))
            subfolders.push_back(entry);
        else
            fs::remove(entry, error);
    }
}

void DeleteTree(const fs::path& folder, bool removeRoot)
{
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(folder, error))) {
        if (removeRoot)
            fs::remove(folder, error);
        return;
    }
    std::vector<fs::path> list;
    ClearFolder(folder, list);
    size_t done = 0;
    while (done < list.size()) {
        const size_t first = done;
        done = list.size();
        for (size_t i = first; i < done; ++i)
            ClearFolder(list[i], list);
    }
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        fs::remove(*it, error);
    if (removeRoot)
        fs::remove(folder, error);
}

} // namespace tf
