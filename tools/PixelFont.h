#pragma once

// Hand-drawn bitmap fonts for the sample skin's art. Small labels rendered
// from outline fonts come out blurred or broken at five pixels; a table of
// pixels stays crisp and is the same on every machine.

#include <QImage>
#include <QRgb>
#include <string_view>

namespace tf::sample {

enum class PixelFont {
    Wide,   // 4 x 5 glyphs: the song-title font of text.bmp and the title bars
    Narrow, // 3 x 5 glyphs (M, N, W wider): labels where four columns do not fit
};

// Glyph width plus one column of spacing.
int AdvanceOf(char32_t ch, PixelFont font);

// Width in pixels of a text, without the spacing after its last glyph.
int TextWidth(std::u32string_view text, PixelFont font);

// Draws the lit pixels of each glyph with its top-left corner at (x, y);
// unlit pixels are left alone. Characters the font lacks draw as '?'.
void DrawText(QImage& image, int x, int y, std::u32string_view text, QRgb color, PixelFont font);

// The same, centred horizontally on the span [left, left + width).
void DrawTextCentred(QImage& image, int left, int width, int y, std::u32string_view text, QRgb color,
                     PixelFont font);

} // namespace tf::sample
