#pragma once

// The skins of one folder as the gallery lists them: the folders that hold
// main.bmp and the .wsz/.zip archives, as the tree shows them (hidden names
// left out), folders first, each in the order of their names as people
// read them ("skin2" before "skin10", letter case aside).

#include <QString>
#include <filesystem>
#include <vector>

namespace tf {

struct CollectionEntry {
    std::filesystem::path Path;
    QString Name; // the file or folder name
    bool IsFolder = false;
};

std::vector<CollectionEntry> ListSkinCollection(const std::filesystem::path& folder);

} // namespace tf
