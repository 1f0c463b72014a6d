#include "sources/SkinFinder.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace tf {
namespace {

// One entry of a folder as the search sees it.
template <typename Folder>
struct SearchEntry {
    std::string Name;
    Folder Path;
    bool Enterable = false; // a folder of its own, not a link to one, and not hidden
    bool CountsAsFile = false;
};

template <typename Folder>
bool IsMainBmp(const SearchEntry<Folder>& entry)
{
    return entry.CountsAsFile && FoldFileName(entry.Name) == "main.bmp";
}

// Depth-first with an explicit stack (a deep archive must not exhaust the
// call stack); children are pushed in reverse so that they are visited in
// name order. list gives a folder's entries sorted by name.
template <typename Folder, typename List>
std::optional<Folder> SearchSkinFolder(const Folder& root, const List& list)
{
    std::optional<Folder> result;
    std::vector<Folder> pending{root};
    while (!pending.empty()) {
        const Folder current = std::move(pending.back());
        pending.pop_back();
        const std::vector<SearchEntry<Folder>> entries = list(current);
        if (std::any_of(entries.begin(), entries.end(), IsMainBmp<Folder>)) {
            result = current;
            continue;
        }
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            if (it->Enterable)
                pending.push_back(it->Path);
    }
    return result;
}

std::vector<SearchEntry<fs::path>> ListDiskFolder(const fs::path& folder)
{
    std::vector<SearchEntry<fs::path>> entries;
    for (const fs::directory_entry& entry : ListFolderSorted(folder)) {
        std::error_code error;
        SearchEntry<fs::path>& added = entries.emplace_back();
        added.Name = entry.path().filename().string();
        added.Path = entry.path();
        // A link to a file counts as main.bmp, as FolderIndex finds it; a
        // link to a folder is never entered.
        added.CountsAsFile = !entry.is_directory(error);
        const fs::file_status status = entry.symlink_status(error);
        added.Enterable = !error && fs::is_directory(status) && !IsHiddenName(added.Name);
    }
    return entries;
}

std::vector<SearchEntry<std::string>> ListTreeFolder(const CaseFoldedTree& tree, const std::string& folder)
{
    // Sorted by the name as a listing of the unpacked folder sorts it.
    std::vector<std::pair<std::string, SearchEntry<std::string>>> sorted;
    if (const CaseFoldedTree::Children* children = tree.children(folder))
        for (const auto& [folded, child] : *children) {
            SearchEntry<std::string> entry;
            entry.Name = child.Name;
            entry.Path = folder.empty() ? child.Name : folder + '/' + child.Name;
            entry.CountsAsFile = child.Type == CaseFoldedTree::Kind::File;
            entry.Enterable = !entry.CountsAsFile && !IsHiddenName(child.Name);
            sorted.emplace_back(PathFromString(child.Name).string(), std::move(entry));
        }
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SearchEntry<std::string>> entries;
    entries.reserve(sorted.size());
    for (auto& [key, entry] : sorted)
        entries.push_back(std::move(entry));
    return entries;
}

} // namespace

bool HasSkinArchiveExtension(const fs::path& path)
{
    // The extension is what follows the last dot of the file name, also for
    // a name that starts with its dot.
    const std::string name = path.filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    const std::string extension = ToLowerAscii(std::string_view(name).substr(dot));
    return extension == ".zip" || extension == ".wsz";
}

bool IsSkinFolder(const fs::path& folder)
{
    std::error_code error;
    return fs::is_directory(folder, error) && FindFileNoCase(folder, "main.bmp").has_value();
}

fs::path FindSkinFolder(const fs::path& folder)
{
    std::error_code error;
    if (!fs::is_directory(folder, error)) // the caller's folder may be reached through a link
        return {};
    return SearchSkinFolder(folder, ListDiskFolder).value_or(fs::path());
}

std::optional<std::string> FindSkinFolder(const CaseFoldedTree& tree)
{
    return SearchSkinFolder(std::string(), [&](const std::string& folder) { return ListTreeFolder(tree, folder); });
}

} // namespace tf
