#include "korvel/ImageLookup.h"

#include "platform/FileSystem.h"
#include "platform/ShiftJis.h"

#include <memory>

namespace fs = std::filesystem;

namespace tf {
namespace {

// The folded name of a name given in CP932 bytes.
std::string FoldCp932Name(std::string_view cp932Name)
{
    return FoldFileName(DecodeCp932(cp932Name).toStdString());
}

} // namespace

ImageLookup ImagesInFolder(const fs::path& folder)
{
    struct Folder {
        FolderIndex Index;
        std::map<std::string, std::optional<Bitmap>> Decoded;
    };
    // Shared, so that copies of the lookup reuse what was decoded.
    auto state = std::make_shared<Folder>(Folder{FolderIndex(folder), {}});
    return [state](std::string_view cp932Name) -> std::optional<Bitmap> {
        const std::string utf8 = DecodeCp932(cp932Name).toStdString();
        const std::string key = FoldFileName(utf8);
        if (const auto cached = state->Decoded.find(key); cached != state->Decoded.end())
            return cached->second;
        std::optional<Bitmap> image;
        if (const auto path = state->Index.find(utf8))
            image = Bitmap::Load(*path);
        state->Decoded.emplace(key, image);
        return image;
    };
}

ImageLookup ImagesBesideFile(const fs::path& ssfPath)
{
    return ImagesInFolder(ssfPath.has_parent_path() ? ssfPath.parent_path() : fs::path("."));
}

ImageLookup ImagesInMemory(std::map<std::string, Bitmap> images)
{
    auto folded = std::make_shared<std::map<std::string, Bitmap>>();
    for (auto& [name, image] : images) {
        // Keys given as UTF-8 (the window's own names) or as CP932 bytes.
        const std::string key = IsValidUtf8(name) ? FoldFileName(name) : FoldCp932Name(name);
        folded->emplace(key, std::move(image));
    }
    return [folded](std::string_view cp932Name) -> std::optional<Bitmap> {
        const auto found = folded->find(FoldCp932Name(cp932Name));
        if (found == folded->end())
            return std::nullopt;
        return found->second;
    };
}

} // namespace tf
