#include "tools/PixelFont.h"
#include "tools/SampleSkin.h"
#include "tools/SkinPaint.h"

#include <array>

namespace tf::sample {

using namespace colors;

namespace {

constexpr int kTitleRowWidth = 275;

// The five clutter-bar buttons: their rows inside the 43-row bar and the
// row their letter starts on.
struct ClutterButton {
    char32_t letter;
    int top;
    int bottom; // exclusive
    int letterTop;
};
constexpr std::array<ClutterButton, 5> kClutterButtons{{
    {U'O', 2, 11, 4},
    {U'A', 11, 18, 12},
    {U'I', 18, 25, 19},
    {U'D', 25, 33, 27},
    {U'V', 33, 40, 34},
}};

void DrawRidges(QImage& image, int top, int from, int to, QRgb rowTop, QRgb rowBottom)
{
    if (to <= from)
        return;
    for (const int row : {4, 7, 10}) {
        const QRgb base = Mix(rowTop, rowBottom, row / 13.0);
        Fill(image, QRect(from, top + row, to - from, 1), Mix(base, kOutline, 0.55));
        Fill(image, QRect(from, top + row + 1, to - from, 1), Mix(base, kSymbol, 0.28));
    }
}

void DrawTitleSymbol(QImage& image, int left, int top, TitleButton button, QRgb ink)
{
    switch (button) {
    case TitleButton::Options:
        FillTriangleUp(image, left + 4, top + 2, 3, ink);
        Fill(image, QRect(left + 2, top + 6, 5, 1), ink);
        break;
    case TitleButton::Minimize:
        Fill(image, QRect(left + 2, top + 5, 5, 2), ink);
        break;
    case TitleButton::Shade:
        DrawOutline(image, QRect(left + 2, top + 2, 5, 5), ink);
        Fill(image, QRect(left + 2, top + 3, 5, 1), ink);
        break;
    case TitleButton::Unshade:
        Fill(image, QRect(left + 2, top + 2, 5, 2), ink);
        Fill(image, QRect(left + 2, top + 5, 5, 1), ink);
        break;
    case TitleButton::Close:
        for (int i = 0; i < 5; ++i) {
            image.setPixel(left + 2 + i, top + 2 + i, ink);
            image.setPixel(left + 6 - i, top + 2 + i, ink);
        }
        break;
    }
}

void DrawClutterBar(QImage& image, int left, int top, int pressedIndex, bool disabled)
{
    Fill(image, QRect(left, top, 8, 43), kRecess);
    DrawBevel(image, QRect(left, top, 8, 43), Relief::Sunken);
    for (int i = 0; i < int(kClutterButtons.size()); ++i) {
        const ClutterButton& button = kClutterButtons[i];
        QRgb ink = disabled ? Mix(kRecess, kLabelDim, 0.45) : kLabelDim;
        if (i == pressedIndex) {
            const QRect cell(left + 1, top + button.top, 6, button.bottom - button.top);
            Fill(image, cell, kDisplay);
            ink = kAmber;
        }
        DrawText(image, left + 2, top + button.letterTop, std::u32string(1, button.letter), ink, PixelFont::Narrow);
    }
}

// A 275-wide title row with its buttons drawn in: the converter's inactive
// image shows the row alone, so the buttons have to be part of it.
void DrawTitleRow(QImage& image, int left, int top, std::u32string_view title, bool active)
{
    DrawTitleBand(image, left, top, kTitleRowWidth, title, active);
    DrawTitleButton(image, left + 6, top + 3, TitleButton::Options, false, active);
    DrawTitleButton(image, left + 244, top + 3, TitleButton::Minimize, false, active);
    DrawTitleButton(image, left + 254, top + 3, TitleButton::Shade, false, active);
    DrawTitleButton(image, left + 264, top + 3, TitleButton::Close, false, active);
}

// The compact row of the shaded window: a small display for the song title.
void DrawShadeRow(QImage& image, int left, int top, bool active)
{
    DrawTitleRow(image, left, top, U"", active);
    const QRect well(left + 78, top + 2, 90, 10);
    DrawOutline(image, well, kOutline);
    Fill(image, well.adjusted(1, 1, -1, -1), kDisplay);
    DrawTitleButton(image, left + 254, top + 3, TitleButton::Unshade, false, active);
}

void DrawButtonColumn(QImage& image)
{
    DrawTitleButton(image, 0, 0, TitleButton::Options, false, true);
    DrawTitleButton(image, 0, 9, TitleButton::Options, true, true);
    DrawTitleButton(image, 9, 0, TitleButton::Minimize, false, true);
    DrawTitleButton(image, 9, 9, TitleButton::Minimize, true, true);
    DrawTitleButton(image, 18, 0, TitleButton::Close, false, true);
    DrawTitleButton(image, 18, 9, TitleButton::Close, true, true);
    DrawTitleButton(image, 0, 18, TitleButton::Shade, false, true);
    DrawTitleButton(image, 9, 18, TitleButton::Shade, true, true);
    DrawTitleButton(image, 0, 27, TitleButton::Unshade, false, true);
    DrawTitleButton(image, 9, 27, TitleButton::Unshade, true, true);
    // Shade-mode seek bar: a groove and three thumb pieces.
    Fill(image, QRect(0, 36, 17, 7), kRecess);
    DrawBevel(image, QRect(0, 36, 17, 7), Relief::Sunken);
    for (const int x : {17, 20, 23})
        FillGradient(image, QRect(x, 36, 3, 7), kSteelTop, kSteelBottom);
}

} // namespace

void DrawTitleBand(QImage& image, int left, int top, int width, std::u32string_view title, bool active)
{
    const QRgb rowTop = active ? kTitleTop : kTitleIdleTop;
    const QRgb rowBottom = active ? kTitleBottom : kTitleIdleBottom;
    FillGradient(image, QRect(left, top, width, 14), rowTop, rowBottom);
    Fill(image, QRect(left, top, width, 1), Mix(rowTop, kSymbol, 0.3));
    Fill(image, QRect(left, top + 13, width, 1), kOutline);

    const int ridgeLeft = left + (width >= kTitleRowWidth ? 18 : 0);
    const int ridgeRight = left + width - (width >= kTitleRowWidth ? 34 : 0);
    if (title.empty()) {
        DrawRidges(image, top, ridgeLeft, ridgeRight, rowTop, rowBottom);
        return;
    }
    const int textWidth = TextWidth(title, PixelFont::Wide);
    const int textLeft = left + (width - textWidth) / 2;
    DrawRidges(image, top, ridgeLeft, textLeft - 5, rowTop, rowBottom);
    DrawRidges(image, top, textLeft + textWidth + 5, ridgeRight, rowTop, rowBottom);
    DrawText(image, textLeft + 1, top + 6, title, Mix(rowBottom, kOutline, 0.6), PixelFont::Wide);
    DrawText(image, textLeft, top + 5, title, active ? kTitleText : kTitleIdleText, PixelFont::Wide);
}

void DrawTitleButton(QImage& image, int left, int top, TitleButton button, bool pressed, bool active)
{
    const QRect rect(left, top, 9, 9);
    DrawOutline(image, rect, kOutline);
    const QRect face = rect.adjusted(1, 1, -1, -1);
    if (!active) {
        FillGradient(image, face, Mix(kTitleIdleTop, kSymbol, 0.15), kTitleIdleBottom);
        DrawTitleSymbol(image, left, top, button, kTitleIdleText);
        return;
    }
    if (pressed) {
        FillGradient(image, face, kSteelPressedTop, kSteelPressedBottom);
        DrawTitleSymbol(image, left, top, button, kAmber);
    } else {
        FillGradient(image, face, Mix(kSteelTop, kSymbol, 0.2), kSteelBottom);
        DrawTitleSymbol(image, left, top, button, kSymbol);
    }
}

QImage PaintTitleBar()
{
    QImage image = NewCanvas(344, 87, kPanel);
    DrawButtonColumn(image);
    DrawTitleRow(image, 27, 0, U"TESSAFORM SAMPLE", true);
    DrawTitleRow(image, 27, 15, U"TESSAFORM SAMPLE", false);
    DrawShadeRow(image, 27, 29, true);
    DrawShadeRow(image, 27, 42, false);
    DrawTitleRow(image, 27, 57, U"TILE BY TILE", true);
    DrawTitleRow(image, 27, 72, U"TILE BY TILE", false);

    DrawClutterBar(image, 304, 0, -1, false);
    DrawClutterBar(image, 312, 0, -1, true);
    for (int i = 0; i < int(kClutterButtons.size()); ++i)
        DrawClutterBar(image, 304 + 8 * i, 44, i, false);
    return image;
}

} // namespace tf::sample
