#pragma once

// Position images tell Korvel where along a bar control the pointer is: the
// control's rectangle holds a grey ramp, everything else is magenta.

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

namespace tf {

// The bar controls in the 275 x 116 main image; the definition files place
// the same rectangles as "PanBarField" and "VolumeField".
constexpr Rect kPanBarRect{177, 57, 215, 70};
constexpr Rect kVolumeBarRect{107, 57, 172, 70};

// Paints a horizontal ramp over the rectangle, black in its first column and
// white in its last.
void DrawPositionMask(Bitmap& image, const Rect& rect);

// Resizes image to width x height, fills it with magenta and draws the ramp.
void ComposePositionMask(Bitmap& image, int width, int height, const Rect& rect);

} // namespace tf
