#pragma once

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

#include <array>

namespace tf {

// Mode 0 fills the rectangle with colours[0]; mode 1 draws a gradient from
// colours[0] to colours[1] in one-pixel lines, column by column (direction 0)
// or row by row (direction 1). Returns the milliseconds spent.
int PaintGradient(const Rect& rect, Bitmap& canvas, int direction, int mode,
                  const std::array<Color, 2>& colours);

} // namespace tf
