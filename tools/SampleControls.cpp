#include "tools/PixelFont.h"
#include "tools/SampleSkin.h"
#include "tools/SkinPaint.h"

#include <functional>

namespace tf::sample {

using namespace colors;

namespace {

// A symbol drawn at an offset in one colour; drawn twice, it gets a shadow.
using Symbol = std::function<void(QImage&, int dx, int dy, QRgb ink)>;

void DrawKey(QImage& image, const QRect& rect, Press press, const Symbol& symbol)
{
    DrawButton(image, rect, press);
    const int shift = PressShift(press);
    const int x = rect.left() + shift, y = rect.top() + shift;
    symbol(image, x + 1, y + 1, kSymbolShadow);
    symbol(image, x, y, press == Press::Pressed ? kAmber : kSymbol);
}

void PreviousSymbol(QImage& image, int dx, int dy, QRgb ink)
{
    Fill(image, QRect(dx + 6, dy + 4, 2, 9), ink);
    FillTriangleLeft(image, dx + 12, dy + 4, 9, ink);
    FillTriangleLeft(image, dx + 17, dy + 4, 9, ink);
}

void PlaySymbol(QImage& image, int dx, int dy, QRgb ink) { FillTriangleRight(image, dx + 9, dy + 4, 9, ink); }

void PauseSymbol(QImage& image, int dx, int dy, QRgb ink)
{
    Fill(image, QRect(dx + 8, dy + 4, 2, 9), ink);
    Fill(image, QRect(dx + 13, dy + 4, 2, 9), ink);
}

void StopSymbol(QImage& image, int dx, int dy, QRgb ink) { Fill(image, QRect(dx + 7, dy + 4, 8, 9), ink); }

void NextSymbol(QImage& image, int dx, int dy, QRgb ink)
{
    FillTriangleRight(image, dx + 5, dy + 4, 9, ink);
    FillTriangleRight(image, dx + 10, dy + 4, 9, ink);
    Fill(image, QRect(dx + 15, dy + 4, 2, 9), ink);
}

void EjectSymbol(QImage& image, int dx, int dy, QRgb ink)
{
    FillTriangleUp(image, dx + 10, dy + 3, 5, ink);
    Fill(image, QRect(dx + 6, dy + 9, 9, 2), ink);
}

// A toggle key: lamp on the left, label beside it.
void DrawToggle(QImage& image, const QRect& rect, std::u32string_view label, bool on, Press press)
{
    DrawButton(image, rect, press);
    const int shift = PressShift(press);
    const int middle = rect.top() + (rect.height() - 5) / 2 + shift;
    DrawLamp(image, rect.left() + 4 + shift, middle + 1 - (rect.height() < 13 ? 1 : 0), on);
    const int textLeft = rect.left() + 10 + shift;
    const int textWidth = rect.width() - 12;
    const QRgb ink = on ? kAmberBright : kSymbol;
    DrawTextCentred(image, textLeft + 1, textWidth, middle + 1, label, kSymbolShadow, PixelFont::Narrow);
    DrawTextCentred(image, textLeft, textWidth, middle, label, ink, PixelFont::Narrow);
}

} // namespace

QImage PaintTransportButtons()
{
    QImage image = NewCanvas(136, 36, kPanel);
    const struct {
        int left;
        int width;
        int height;
        Symbol symbol;
    } keys[] = {
        {0, 23, 18, PreviousSymbol}, {23, 23, 18, PlaySymbol}, {46, 23, 18, PauseSymbol},
        {69, 23, 18, StopSymbol},    {92, 22, 18, NextSymbol}, {114, 22, 16, EjectSymbol},
    };
    for (const auto& key : keys) {
        DrawKey(image, QRect(key.left, 0, key.width, key.height), Press::Released, key.symbol);
        DrawKey(image, QRect(key.left, key.height, key.width, key.height), Press::Pressed, key.symbol);
    }
    return image;
}

QImage PaintShuffleRepeat()
{
    QImage image = NewCanvas(92, 85, kPanel);
    // Rows 0..59: off, off pressed, on, on pressed; repeat left of shuffle.
    for (int state = 0; state < 4; ++state) {
        const bool on = state >= 2;
        const Press press = state % 2 ? Press::Pressed : Press::Released;
        DrawToggle(image, QRect(0, 15 * state, 28, 15), U"REP", on, press);
        DrawToggle(image, QRect(28, 15 * state, 47, 15), U"SHUFFLE", on, press);
    }
    // EQ and PL: off at y 61, on at y 73; released at x 0/23, pressed at 46/69.
    for (const bool on : {false, true}) {
        const int top = on ? 73 : 61;
        for (const Press press : {Press::Released, Press::Pressed}) {
            const int left = press == Press::Pressed ? 46 : 0;
            DrawToggle(image, QRect(left, top, 23, 12), U"EQ", on, press);
            DrawToggle(image, QRect(left + 23, top, 23, 12), U"PL", on, press);
        }
    }
    return image;
}

QImage PaintMonoStereo()
{
    QImage image = NewCanvas(56, 24, kDisplay);
    for (const bool lit : {true, false}) {
        const int top = lit ? 0 : 12;
        const QRgb ink = lit ? kAmber : kAmberDim;
        DrawTextCentred(image, 0, 29, top + 4, U"STEREO", ink, PixelFont::Narrow);
        DrawTextCentred(image, 29, 27, top + 4, U"MONO", ink, PixelFont::Narrow);
    }
    return image;
}

} // namespace tf::sample
