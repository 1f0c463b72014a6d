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
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(entries.begin(), entries.end(), [&](const CollectionEntry& a, const CollectionEntry& b) {
        if (a.IsFolder != b.IsFolder)
            return a.IsFolder;
        const int order = collator.compare(a.Name, b.Name);
        return order != 0 ? order < 0 : a.Name < b.Name;
    });
    return entries;
}

} // namespace tf
