#pragma once

#include "korvel/SkinFormat.h"
#include "skin/SkinState.h"

namespace tf {

// Panel1 shows the images as the joined skin stands, one pixel in from its
// border.
inline constexpr int kPreviewBorder = 1;

// Where the preview images stand on Panel1 (ApplyEqPlacement).
struct PreviewLayout {
    int MainTop = kPreviewBorder;                       // Image1
    int EqTop = kPreviewBorder + ssf::kWindowHeight;    // Image5
    bool EqVisible = true;                              // Image5
    int PlaylistTop = kPreviewBorder + ssf::kJoinedHeight; // Image2
    bool operator==(const PreviewLayout&) const = default;
};

// Where the main, equalizer and playlist previews stand, from the two
// equalizer check boxes.
PreviewLayout ApplyEqPlacement(const EditorSettings& editor);

} // namespace tf
