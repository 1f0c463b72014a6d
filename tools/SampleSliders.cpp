#include "tools/SampleSkin.h"
#include "tools/SkinPaint.h"

#include <cmath>

namespace tf::sample {

using namespace colors;

namespace {

constexpr int kBands = 28;
constexpr int kBandPitch = 15;
constexpr int kBandHeight = 13;
constexpr int kKnobTop = 422;
const QRgb kWedgeOff = Mix(kRecess, kSteelBottom, 0.45);

// A sunken band with a wedge of columns; lit(x) says which columns glow.
template <typename Lit, typename Height>
void DrawWedgeBand(QImage& image, const QRect& band, Lit lit, Height height)
{
    DrawBevel(image, band, Relief::Sunken);
    Fill(image, band.adjusted(1, 1, -1, -1), kRecess);
    const int bottom = band.top() + band.height() - 3;
    for (int x = band.left() + 2; x < band.left() + band.width() - 2; ++x) {
        const int rows = height(x);
        const QRgb ink = lit(x) ? Mix(kAmberMid, kAmber, double(x - band.left()) / band.width()) : kWedgeOff;
        Fill(image, QRect(x, bottom - rows + 1, 1, rows), ink);
    }
}

void DrawKnobPair(QImage& image)
{
    DrawKnob(image, QRect(0, kKnobTop, 14, 11), Press::Pressed, Travel::Horizontal, kRecess);
    DrawKnob(image, QRect(15, kKnobTop, 14, 11), Press::Released, Travel::Horizontal, kRecess);
}

} // namespace

QImage PaintPositionBar()
{
    QImage image = NewCanvas(307, 10, kPanel);
    const QRect groove(0, 0, 248, 10);
    DrawBevel(image, groove, Relief::Sunken);
    Fill(image, groove.adjusted(1, 1, -1, -1), kRecess);
    Fill(image, QRect(3, 4, 242, 2), kOutline);
    for (int x = 3; x < 245; x += 4)
        image.setPixel(x, 6, Mix(kRecess, kSteelBottom, 0.5));
    for (const Press press : {Press::Released, Press::Pressed}) {
        const int left = press == Press::Released ? 248 : 278;
        DrawButton(image, QRect(left, 0, 29, 10), press);
        const QRgb grip = press == Press::Pressed ? kAmber : kSymbolShadow;
        for (const int x : {11, 14, 17})
            Fill(image, QRect(left + x + PressShift(press), 3, 1, 4), grip);
    }
    return image;
}

QImage PaintVolume()
{
    QImage image = NewCanvas(68, 433, kPanel);
    for (int band = 0; band < kBands; ++band) {
        // The wedge glows up to the knob's centre at this level.
        const int reach = 2 * band + 7;
        DrawWedgeBand(
            image, QRect(0, kBandPitch * band, 68, kBandHeight), [reach](int x) { return x <= reach; },
            [](int x) { return 1 + int(std::lround(8.0 * (x - 2) / 63)); });
    }
    DrawKnobPair(image);
    return image;
}

QImage PaintBalance()
{
    QImage image = NewCanvas(47, 433, kPanel);
    constexpr double kCentre = 27.5; // middle of the 38 used columns, 9..46
    for (int band = 0; band < kBands; ++band) {
        const double reach = double(band) / (kBands - 1);
        const auto distance = [](int x) { return std::abs(x - kCentre) / 16.5; };
        DrawWedgeBand(
            image, QRect(9, kBandPitch * band, 38, kBandHeight),
            [&](int x) { return distance(x) <= reach + 0.04; },
            [&](int x) { return 1 + int(std::lround(8.0 * std::min(1.0, distance(x)))); });
        Fill(image, QRect(27, kBandPitch * band + 2, 2, 9), Mix(kRecess, kLabel, 0.35));
    }
    DrawKnobPair(image);
    return image;
}

} // namespace tf::sample
