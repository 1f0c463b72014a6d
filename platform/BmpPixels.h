#pragma once

// The pixel data of a BMP file, uncompressed or run-length encoded, turned
// into 32-bit RGB pixels as Windows draws them.

#include "platform/BmpBytes.h"
#include "platform/BmpHeader.h"

#include <QImage>

namespace tf {

// A QImage::Format_RGB32 image of layout's size. Uncompressed data must be
// all in the file (the last row may lack its padding); run-length data must
// reach its end-of-bitmap mark or the last row. Throws BmpFault otherwise.
// Allocates only after those checks (and the header's size limits).
QImage DecodeBmpPixels(const BmpLayout& layout, const BmpBytes& bytes);

} // namespace tf
