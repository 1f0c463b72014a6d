#include "sources/MemberPath.h"

#include "platform/FileSystem.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr size_t kMaxComponentBytes = 255;
// Far below PATH_MAX, so that the disk writer never has to walk a deep path
// by changing the process's working folder.
constexpr size_t kMaxPathBytes = 1024;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDriveName(std::string_view name)
{
    return name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == ':';
}

} // namespace

MemberPath ParseMemberPath(std::string_view utf8Name)
{
    MemberPath member;
    member.Name = utf8Name;
    std::string name = member.Name;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.empty()) {
        member.Rejected = SkipReason::UnreadableName;
        return member;
    }
    if (name.front() == '/' || HasDriveName(name)) {
        member.Rejected = SkipReason::AbsolutePath;
        return member;
    }
    if (name.size() > kMaxPathBytes) {
        member.Rejected = SkipReason::TooLong;
        return member;
    }
    member.Folder = name.back() == '/';
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('/', start), name.size());
        const std::string_view component(name.data() + start, end - start);
        start = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..") {
            member.Rejected = SkipReason::ParentFolder;
            return member;
        }
        if (component.size() > kMaxComponentBytes) {
            member.Rejected = SkipReason::TooLong;
            return member;
        }
        member.Components.emplace_back(component);
    }
    if (member.Components.empty())
        member.Rejected = SkipReason::UnreadableName;
    return member;
}

CaseFoldedTree::CaseFoldedTree(fs::path root)
    : m_root(std::move(root))
{
}

CaseFoldedTree::Children& CaseFoldedTree::childrenOf(const std::string& folder)
{
    const auto found = m_folders.find(folder);
    if (found != m_folders.end())
        return found->second;
    Children& children = m_folders[folder];
    // Sorted listing: of two names on disk that differ only in case, the
    // first in name order is the one used, as FolderIndex finds it.
    for (const fs::directory_entry& entry : ListFolderSorted(m_root / PathFromString(folder))) {
        const std::string name = entry.path().filename().string();
        children.try_emplace(FoldFileName(name), name);
    }
    return children;
}

fs::path CaseFoldedTree::resolve(const std::vector<std::string>& components, bool* known)
{
    std::string relative;
    for (const std::string& component : components) {
        Children& children = childrenOf(relative);
        const auto [it, inserted] = children.try_emplace(FoldFileName(component), component);
        if (known)
            *known = !inserted;
        if (!relative.empty())
            relative += '/';
        relative += it->second;
    }
    return PathFromString(relative);
}

} // namespace tf
