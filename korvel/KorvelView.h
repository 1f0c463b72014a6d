#pragma once

// The player's window as it shows a Korvel skin, with fixed sample content:
// a song playing at 12:34 of 3:45, six tracks in the playlist. How the
// player draws each field is written down in docs/korvel-view.md.

#include "korvel/ImageLookup.h"
#include "korvel/KorvelDefinition.h"
#include "platform/Geometry.h"

#include <QImage>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace tf {

enum class ViewState {
    Normal,   // the main bitmap
    Pressed,  // the pressed bitmap inside every button
    Inactive, // the inactive bitmap
};

// The most pixels a view's picture may have, scaled: the windows of the
// largest skin the converter writes (its 3875 x 4292 playlist below the
// joined main window) fit at scale 1, and the memory of a view stays bounded
// whatever a definition file says.
constexpr int64_t kMaxViewPixels = 24LL * 1024 * 1024;
// The most pixels one view may hold at once: the bitmaps it reads, its two
// windows as drawn and its picture. The largest skin the converter writes
// needs about 51 million; a definition that names its largest bitmap for
// both windows, say, would need far more than the 256 MiB a view may take.
constexpr int64_t kMaxViewHeldPixels = 52LL * 1024 * 1024;

struct ViewOptions {
    ViewState State = ViewState::Normal;
    int Scale = 1; // whole pixels, no smoothing
};

struct KorvelView {
    QImage Image; // QImage::Format_RGB32
    // Where the two windows stand in the image (scaled with it); the
    // playlist's rectangle is empty when the skin has none.
    Rect MainWindow;
    Rect PlaylistWindow;
    // What the view drew otherwise than the definition says ("file:line:
    // ..."): a font size larger than the player draws.
    std::vector<QString> Warnings;
};

// Throws AppError when the main bitmap is missing or a named bitmap cannot be
// decoded; any other bitmap that is missing leaves its part undrawn.
KorvelView RenderKorvelView(const KorvelDefinition& definition, const ImageLookup& images,
                            const ViewOptions& options = {});

// Draws one view after another, as the window does after every change of a
// setting, keeping what it drew: only the fields whose values or images
// differ from the view before are drawn again, and the picture comes out as
// RenderKorvelView's. Images are told apart by their QImage::cacheKey, so a
// lookup that hands out the same image again saves its redraw. For one
// thread at a time.
class KorvelViewRenderer {
public:
    KorvelViewRenderer();
    ~KorvelViewRenderer();
    KorvelViewRenderer(const KorvelViewRenderer&) = delete;
    KorvelViewRenderer& operator=(const KorvelViewRenderer&) = delete;

    KorvelView render(const KorvelDefinition& definition, const ImageLookup& images, const ViewOptions& options = {});

private:
    struct Retained;
    std::unique_ptr<Retained> m_retained;
};

// The equalizer partner of a definition file: the file itself when it is one,
// else the target of its "SetTargetSSF" lines that ends in "_EQ.ssf", else
// "<base>_EQ.ssf" beside it; nothing when no such file exists.
std::optional<std::filesystem::path> FindEqDefinition(const std::filesystem::path& ssfPath);

} // namespace tf
