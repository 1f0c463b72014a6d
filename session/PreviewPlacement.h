#pragma once

#include "korvel/SkinFormat.h"
#include "skin/SkinState.h"

namespace tf {

// Panel1 shows the images as the joined skin stands, one pixel in from its
// border.
inline constexpr int kPreviewBorder = 1;

// Where the preview images stand on Panel1 (ApplyEqPlacement).
struct PreviewLayout {
    int mainTop = kPreviewBorder;                       // Image1
    int eqTop = kPreviewBorder + ssf::kWindowHeight;    // Image5
    bool eqVisible = true;                              // Image5
    int playlistTop = kPreviewBorder + ssf::kJoinedHeight; // Image2
    bool operator==(const PreviewLayout&) const = default;
};

// Where the main, equalizer and playlist previews stand, from the two
// equalizer check boxes.
PreviewLayout ApplyEqPlacement(const EditorSettings& editor);

} // namespace tf
