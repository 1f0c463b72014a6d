#pragma once

#include "skin/SkinState.h"

namespace tf {

// Where the preview images stand on Panel1 (ApplyEqPlacement).
struct PreviewLayout {
    int mainTop = 1;       // Image1
    int eqTop = 117;       // Image5
    bool eqVisible = true; // Image5
    int playlistTop = 233; // Image2
    bool operator==(const PreviewLayout&) const = default;
};

// Where the main, equalizer and playlist previews stand, from the two
// equalizer check boxes.
PreviewLayout ApplyEqPlacement(const EditorSettings& editor);

} // namespace tf
