#include "tools/PixelFont.h"
#include "tools/SampleSkin.h"
#include "tools/SkinPaint.h"

#include <QPainter>
#include <cmath>
#include <string>

namespace tf::sample {

using namespace colors;

namespace {

constexpr int kFrames = 28;
constexpr int kTrackWidth = 14;
constexpr int kTrackHeight = 63;
constexpr int kSliderTop = 38;
constexpr int kPreampLeft = 21;
constexpr int kBandLeft = 78;
constexpr int kBandPitch = 18;
constexpr std::u32string_view kBandLabels[] = {U"60", U"170", U"310", U"600", U"1K",
                                               U"3K", U"6K",  U"12K", U"14K", U"16K"};

QRect FrameRect(int frame)
{
    return QRect(13 + 15 * (frame % 14), 164 + 65 * (frame / 14), kTrackWidth, kTrackHeight);
}

// One slider track at a value: a groove lit from the bottom up to where the
// knob sits, in the colour of the value. Column 13 stays the recess colour
// of the background beside the slider, which the converter lets show there.
void DrawTrackFrame(QImage& image, int frame)
{
    const QRect rect = FrameRect(frame);
    Fill(image, rect, kRecess);
    const int x = rect.left(), y = rect.top();
    const double value = double(frame) / (kFrames - 1);
    const int knobCentre = 5 + int(std::lround((1.0 - value) * 51));
    Fill(image, QRect(x + 5, y + 1, 1, 61), kBevelDark);
    Fill(image, QRect(x + 6, y + 1, 1, 61), kOutline);
    Fill(image, QRect(x + 7, y + 1, 1, 61), Mix(kRecess, kBevelLight, 0.45));
    const QRgb level = LevelColor(value);
    Fill(image, QRect(x + 6, y + knobCentre, 1, 61 - knobCentre), level);
    Fill(image, QRect(x + 5, y + knobCentre, 1, 61 - knobCentre), Mix(level, kOutline, 0.55));
    for (const int tick : {5, 31, 56}) {
        Fill(image, QRect(x + 1, y + tick, 2, 1), Mix(kRecess, kLabelDim, 0.5));
        Fill(image, QRect(x + 10, y + tick, 2, 1), Mix(kRecess, kLabelDim, 0.5));
    }
}

void DrawGraphBackground(QImage& image, int left, int top)
{
    Fill(image, QRect(left, top, 113, 19), kDisplay);
    const QRgb grid = Mix(kDisplay, kSteelBottom, 0.35);
    for (int x = left; x < left + 113; x += 2) {
        image.setPixel(x, top, grid);
        image.setPixel(x, top + 18, grid);
    }
    for (int x = left + 2; x < left + 112; x += 11) {
        for (int y = top + 2; y < top + 18; y += 2)
            image.setPixel(x, y, grid);
    }
}

void DrawSwitch(QImage& image, const QRect& rect, std::u32string_view label, bool on, Press press)
{
    DrawButton(image, rect, press);
    const int shift = PressShift(press);
    DrawLamp(image, rect.left() + 4 + shift, rect.top() + 4 + shift, on);
    const QRect text(rect.left() + 10 + shift, rect.top() + 4 + shift, rect.width() - 12, 5);
    DrawTextCentred(image, text.left() + 1, text.width(), text.top() + 1, label, kSymbolShadow, PixelFont::Narrow);
    DrawTextCentred(image, text.left(), text.width(), text.top(), label, on ? kAmberBright : kSymbol,
                    PixelFont::Narrow);
}

void DrawPresets(QImage& image, int left, int top, Press press)
{
    DrawButton(image, QRect(left, top, 44, 12), press);
    const int shift = PressShift(press);
    DrawTextCentred(image, left + 1 + shift, 44, top + 4 + shift, U"PRESETS", kSymbolShadow, PixelFont::Narrow);
    DrawTextCentred(image, left + shift, 44, top + 3 + shift, U"PRESETS",
                    press == Press::Pressed ? kAmber : kSymbol, PixelFont::Narrow);
}

// The sprite rows below the window: close button, ON/AUTO, title rows,
// sliders, knob, PRESETS, graph pieces.
void DrawSprites(QImage& image)
{
    DrawTitleButton(image, 0, 116, TitleButton::Close, false, true);
    DrawTitleButton(image, 0, 125, TitleButton::Close, true, true);
    const struct {
        int On;
        int AutoLeft;
        bool Lit;
        sample::Press Press;
    } switches[] = {{10, 36, false, Press::Released},
                    {69, 95, true, Press::Released},
                    {128, 154, false, Press::Pressed},
                    {187, 213, true, Press::Pressed}};
    for (const auto& row : switches) {
        DrawSwitch(image, QRect(row.On, 119, 26, 12), U"ON", row.Lit, row.Press);
        DrawSwitch(image, QRect(row.AutoLeft, 119, 32, 12), U"AUTO", row.Lit, row.Press);
    }
    DrawTitleBand(image, 0, 134, 275, U"EQUALIZER", true);
    DrawTitleButton(image, 264, 137, TitleButton::Close, false, true);
    DrawTitleBand(image, 0, 149, 275, U"EQUALIZER", false);
    DrawTitleButton(image, 264, 152, TitleButton::Close, false, false);

    Fill(image, QRect(0, 164, 275, 130), kPanel);
    for (int frame = 0; frame < kFrames; ++frame)
        DrawTrackFrame(image, frame);
    DrawKnob(image, QRect(0, 164, 11, 11), Press::Released, Travel::Vertical, kRecess);
    DrawKnob(image, QRect(0, 176, 11, 11), Press::Pressed, Travel::Vertical, kRecess);
    DrawPresets(image, 224, 164, Press::Released);
    DrawPresets(image, 224, 176, Press::Pressed);

    DrawGraphBackground(image, 0, 294);
    for (int y = 0; y < 19; ++y)
        image.setPixel(115, 294 + y, LevelColor(1.0 - y / 18.0));
    for (int x = 0; x < 113; ++x)
        image.setPixel(x, 314, x % 3 == 2 ? kDisplay : kAmberMid);
}

void DrawScaleLabels(QImage& image)
{
    const QRgb ink = kLabelDim;
    const struct {
        std::u32string_view text;
        int y;
    } marks[] = {{U"+12DB", 41}, {U"+0DB", 67}, {U"-12DB", 93}};
    for (const auto& mark : marks) {
        const int width = TextWidth(mark.text, PixelFont::Narrow);
        DrawText(image, 72 - width, mark.y, mark.text, ink, PixelFont::Narrow);
        Fill(image, QRect(73, mark.y + 2, 3, 1), Mix(kRecess, ink, 0.6));
    }
    DrawTextCentred(image, kPreampLeft - 6, kTrackWidth + 12, 104, U"PREAMP", ink, PixelFont::Narrow);
    for (int band = 0; band < 10; ++band)
        DrawTextCentred(image, kBandLeft + kBandPitch * band - 2, kTrackWidth + 3, 104, kBandLabels[band], ink,
                        PixelFont::Narrow);
}

// The window background, with the 0 dB frame on every slider and the
// switches in their off state, as the window first shows.
void DrawBackground(QImage& image)
{
    FillGradient(image, QRect(0, 0, 275, 116), kPanelTop, kPanelBottom);
    DrawOutline(image, QRect(0, 0, 275, 116), kOutline);
    DrawBevel(image, QRect(1, 14, 273, 101), Relief::Raised);
    QPainter(&image).drawImage(QPoint(0, 0), image.copy(0, 134, 275, 14));

    const QRect recess(15, 37, 246, 75);
    DrawBevel(image, recess, Relief::Sunken);
    Fill(image, recess.adjusted(1, 1, -1, -1), kRecess);
    DrawOutline(image, QRect(85, 16, 115, 21), kOutline);
    const QImage zeroFrame = image.copy(FrameRect(14));
    QPainter painter(&image);
    painter.drawImage(QPoint(kPreampLeft, kSliderTop), zeroFrame);
    for (int band = 0; band < 10; ++band)
        painter.drawImage(QPoint(kBandLeft + kBandPitch * band, kSliderTop), zeroFrame);
    const QImage knob = image.copy(0, 164, 11, 11);
    painter.drawImage(QPoint(kPreampLeft + 1, kSliderTop + 26), knob);
    for (int band = 0; band < 10; ++band)
        painter.drawImage(QPoint(kBandLeft + kBandPitch * band + 1, kSliderTop + 26), knob);

    painter.drawImage(QPoint(86, 17), image.copy(0, 294, 113, 19));
    painter.drawImage(QPoint(86, 26), image.copy(0, 314, 113, 1));
    painter.drawImage(QPoint(14, 18), image.copy(10, 119, 26, 12));
    painter.drawImage(QPoint(40, 18), image.copy(36, 119, 32, 12));
    painter.drawImage(QPoint(217, 18), image.copy(224, 164, 44, 12));
    painter.end();
    DrawScaleLabels(image);
}

} // namespace

QImage PaintEqualizer()
{
    QImage image = NewCanvas(275, 315, kPanel);
    DrawSprites(image);
    DrawBackground(image);
    return image;
}

} // namespace tf::sample
