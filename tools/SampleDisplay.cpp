#include "tools/PixelFont.h"
#include "tools/SampleSkin.h"
#include "tools/SkinPaint.h"

#include <array>
#include <string>

namespace tf::sample {

using namespace colors;

namespace {

// Seven tapered segments inside a 9 x 13 cell: each is a list of runs
// (x, y, length, horizontal).
struct Run {
    int x;
    int y;
    int length;
    bool horizontal;
};
using Segment = std::array<Run, 2>;

// a, b, c, d, e, f, g
constexpr std::array<Segment, 7> kSegments{{
    {{{2, 1, 5, true}, {3, 2, 3, true}}},
    {{{7, 2, 4, false}, {6, 3, 3, false}}},
    {{{7, 7, 4, false}, {6, 7, 3, false}}},
    {{{2, 11, 5, true}, {3, 10, 3, true}}},
    {{{1, 7, 4, false}, {2, 7, 3, false}}},
    {{{1, 2, 4, false}, {2, 3, 3, false}}},
    {{{2, 6, 5, true}, {2, 6, 5, true}}},
}};

// Lit segments per digit, bit 0 = a ... bit 6 = g.
constexpr std::array<int, 10> kDigitSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
constexpr int kMinusSegments = 0x40;

void DrawSegments(QImage& image, int cellLeft, int litMask)
{
    for (int segment = 0; segment < 7; ++segment) {
        const QRgb ink = (litMask >> segment) & 1 ? kAmber : kAmberDim;
        for (const Run& run : kSegments[segment]) {
            const QRect rect = run.horizontal ? QRect(cellLeft + run.x, run.y, run.length, 1)
                                              : QRect(cellLeft + run.x, run.y, 1, run.length);
            Fill(image, rect, ink);
        }
    }
}

// text.bmp rows: 31 cells of 5 x 6 each; the glyph fills rows 1..5 and the
// first four columns of its cell.
constexpr std::u32string_view kTextRows[] = {
    U"ABCDEFGHIJKLMNOPQRSTUVWXYZ\"@   ",
    U"0123456789….:()-'!_+\\/[]^&%,=$#",
    U"ÅÖÄ?*",
};

} // namespace

QImage PaintDigits(bool withMinusCell)
{
    QImage image = NewCanvas(withMinusCell ? 108 : 99, 13, kDisplay);
    for (int digit = 0; digit < 10; ++digit)
        DrawSegments(image, 9 * digit, kDigitSegments[digit]);
    DrawSegments(image, 90, 0); // blank: every segment dark
    if (withMinusCell)
        DrawSegments(image, 99, kMinusSegments);
    return image;
}

QImage PaintTextFont()
{
    QImage image = NewCanvas(155, 18, kDisplay);
    for (int row = 0; row < 3; ++row) {
        const std::u32string_view cells = kTextRows[row];
        for (int cell = 0; cell < int(cells.size()); ++cell)
            DrawText(image, 5 * cell, 6 * row + 1, cells.substr(cell, 1), kAmber, PixelFont::Wide);
    }
    return image;
}

} // namespace tf::sample
