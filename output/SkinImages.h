#pragma once

// The images of the Korvel skin, composed from the session, before they are
// encoded: what a save writes, and what the Korvel view of the window draws
// without saving anything.

#include "platform/Bitmap.h"
#include "skin/SkinSession.h"

#include <functional>
#include <string>
#include <vector>

namespace tf {

struct SkinImage {
    std::string Name; // as the definition files name it
    Bitmap Image;
};

// One image of the skin, composed only when asked for (the joined images and
// the position images take a moment); Compose reads the session as it is at
// that time.
struct SkinImageSource {
    std::string Name;
    std::function<Bitmap()> Compose;
};

// Every image file of the skin in the order a save writes them: the main
// images, the joined main-and-equalizer images while the equalizer is shown,
// the playlist, the shown displays' strips, the slider strips and the
// position images.
std::vector<SkinImageSource> ListSkinImages(const SkinSession& session);

// The same, composed. An empty picture is left out, and the definition
// files do not name it.
std::vector<SkinImage> BuildSkinImages(const SkinSession& session);

} // namespace tf
