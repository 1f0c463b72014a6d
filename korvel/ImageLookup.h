#pragma once

// Where the renderer and the checker get the bitmaps a definition names:
// from the files beside a saved definition, or from memory while the window
// shows a skin that has not been saved.

#include "platform/Bitmap.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tf {

// The bitmap of that name (CP932 bytes, as the definition writes it), or
// nothing when there is none. May throw AppError(BadImage) for a file that
// is there but cannot be decoded.
using ImageLookup = std::function<std::optional<Bitmap>(std::string_view cp932Name)>;

// Files in the folder, matched without regard to letter case; each file is
// decoded once per lookup object and its copies, which are therefore for one
// thread at a time.
ImageLookup ImagesInFolder(const std::filesystem::path& folder);
// The folder of a definition file.
ImageLookup ImagesBesideFile(const std::filesystem::path& ssfPath);

// Bitmaps held in memory by name (UTF-8 or CP932 keys both match), compared
// without regard to letter case, as the files would be found.
ImageLookup ImagesInMemory(std::map<std::string, Bitmap> images);

} // namespace tf
