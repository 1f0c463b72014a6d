#pragma once

// The headers of a BMP file, read and checked before a single pixel is
// touched or any memory is allocated for them.

#include "platform/BmpBytes.h"

#include <QRgb>
#include <array>
#include <cstdint>

namespace tf {

enum class BmpCompression : uint32_t {
    Rgb = 0,
    Rle8 = 1,
    Rle4 = 2,
    Bitfields = 3,
};

// What the headers say, after every check: the size is inside the limits,
// the depth and compression go together, the palette and the start of the
// pixel data lie inside the file.
struct BmpLayout {
    int Width = 0;
    int Height = 0;       // always positive
    bool TopDown = false; // rows stored top row first (negative height)
    int BitCount = 0;     // 1, 4, 8, 16, 24 or 32
    BmpCompression Compression = BmpCompression::Rgb;
    // Indices past the file's own entries read as opaque black, so every
    // 8-bit index has a colour.
    std::array<QRgb, 256> Palette{};
    // Red, green and blue masks of 16- and 32-bit pixels (defaults for
    // BI_RGB: 5-5-5 and 8-8-8).
    std::array<uint32_t, 3> Masks{};
    uint64_t PixelOffset = 0;
};

// Throws BmpFault with the reason when the headers are unusable.
BmpLayout ReadBmpLayout(const BmpBytes& bytes);

} // namespace tf
