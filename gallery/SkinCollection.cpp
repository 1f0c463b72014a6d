#include "gallery/SkinCollection.h"

#include "platform/FileSystem.h"
#include "sources/SkinFinder.h"

#include <QCollator>
#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {

std::vector<CollectionEntry> ListSkinCollection(const fs::path& folder)
{
    std::vector<CollectionEntry> entries;
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (IsHiddenName(name))
            continue;
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            if (IsSkinFolder(it->path()))
                entries.push_back({it->path(), PathToQString(it->path().filename()), true});
        } else if (HasSkinArchiveExtension(it->path()) && it->is_regular_file(typeError)) {
            entries.push_back({it->path(), PathToQString(it->path().filename()), false});
        }
    }
    // The tree's own order (its model compares names so): a key per name,
    // made once, rather than a collation per comparison.
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<std::pair<QCollatorSortKey, size_t>> keys;
    keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        keys.emplace_back(collator.sortKey(entries[i].Name), i);
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        const CollectionEntry& left = entries[a.second];
        const CollectionEntry& right = entries[b.second];
        if (left.IsFolder != right.IsFolder)
            return left.IsFolder;
        const int order = a.first.compare(b.first);
        return order != 0 ? order < 0 : left.Name < right.Name;
    });
    std::vector<CollectionEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(entries[key.second]));
    return sorted;
}

} // namespace tf
