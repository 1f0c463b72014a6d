#pragma once

// Comparisons the tests make on images, regions and colours.

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Region.h"

#include <string>

namespace tf::test {

// Same size and the same RGB value in every pixel (the unused byte aside).
bool SamePixels(const Bitmap& a, const Bitmap& b);

// Pixels inside the region.
long long PixelCount(const Region& region);

// "RGB(r, g, b)" for failure messages.
std::string ColorToString(Color color);

} // namespace tf::test
