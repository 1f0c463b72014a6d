#include "tools/PixelFont.h"
#include "tools/SampleSkin.h"
#include "tools/SkinPaint.h"

#include <QPainter>

namespace tf::sample {

using namespace colors;

namespace {

void CopyPiece(QImage& image, const QImage& sheet, const QRect& source, QPoint target)
{
    QPainter painter(&image);
    painter.drawImage(target, sheet, source);
}

void DrawBody(QImage& image)
{
    FillGradient(image, QRect(0, 0, 275, 116), kPanelTop, kPanelBottom);
    DrawOutline(image, QRect(0, 0, 275, 116), kOutline);
    DrawBevel(image, QRect(1, 14, 273, 101), Relief::Raised);
}

// The left display: clutter bar, time (its colon is ours to paint, the
// converter cuts it from here; the digit places show unlit segments), and
// the visualizer area.
void DrawTimeDisplay(QImage& image, const MainSheets& sheets)
{
    DrawDisplayWell(image, QRect(8, 19, 99, 49));
    CopyPiece(image, sheets.TitleBar, QRect(304, 0, 8, 43), QPoint(10, 22));
    for (const int x : {48, 60, 78, 90})
        CopyPiece(image, sheets.Digits, QRect(90, 0, 9, 13), QPoint(x, 26));
    for (const int y : {29, 34})
        Fill(image, QRect(73, y, 2, 2), kAmber);
    // Faint baseline under the visualizer.
    for (int x = 24; x < 100; x += 2)
        image.setPixel(x, 59, Mix(kDisplay, kSteelBottom, 0.5));
}

void DrawInfoDisplays(QImage& image, const QImage& monoStereo)
{
    DrawDisplayWell(image, QRect(108, 23, 161, 14)); // song title
    DrawDisplayWell(image, QRect(108, 40, 21, 12));  // kbps
    DrawText(image, 131, 44, U"KBPS", kLabel, PixelFont::Narrow);
    DrawDisplayWell(image, QRect(153, 40, 16, 12)); // kHz
    DrawText(image, 171, 44, U"KHZ", kLabel, PixelFont::Narrow);
    DrawDisplayWell(image, QRect(209, 38, 62, 18)); // mono / stereo
    CopyPiece(image, monoStereo, QRect(29, 12, 27, 12), QPoint(212, 41));
    CopyPiece(image, monoStereo, QRect(0, 12, 29, 12), QPoint(239, 41));
}

void DrawSliders(QImage& image, const MainSheets& sheets)
{
    constexpr int kVolumeBand = 20;
    CopyPiece(image, sheets.Volume, QRect(0, 15 * kVolumeBand, 68, 13), QPoint(107, 57));
    CopyPiece(image, sheets.Volume, QRect(15, 422, 14, 11), QPoint(107 + 2 * kVolumeBand, 58));
    CopyPiece(image, sheets.Balance, QRect(9, 0, 38, 13), QPoint(177, 57));
    CopyPiece(image, sheets.Balance, QRect(15, 422, 14, 11), QPoint(177 + 12, 58));
    CopyPiece(image, sheets.PositionBar, QRect(0, 0, 248, 10), QPoint(16, 72));
}

// Recessed trays the buttons sit in.
void DrawTrays(QImage& image)
{
    for (const QRect tray : {QRect(14, 86, 119, 22), QRect(134, 87, 26, 20), QRect(162, 87, 78, 19),
                             QRect(217, 56, 50, 16)}) {
        DrawBevel(image, tray, Relief::Sunken);
        Fill(image, tray.adjusted(1, 1, -1, -1), kRecess);
    }
}

// The emblem in the about area (253, 91)-(266, 106): a cube of three tiles.
void DrawEmblem(QImage& image)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    const QPoint top(259, 92), left(253, 95), right(265, 95), centre(259, 98);
    const QPoint bottom(259, 104), leftBottom(253, 101), rightBottom(265, 101);
    painter.setBrush(QColor::fromRgb(kAmberBright));
    painter.drawPolygon(QPolygon({top, right, centre, left}));
    painter.setBrush(QColor::fromRgb(kAmber));
    painter.drawPolygon(QPolygon({left, centre, bottom, leftBottom}));
    painter.setBrush(QColor::fromRgb(kAmberMid));
    painter.drawPolygon(QPolygon({centre, right, rightBottom, bottom}));
}

} // namespace

QImage PaintMainWindow(const MainSheets& sheets)
{
    QImage image = NewCanvas(275, 116, kPanel);
    DrawBody(image);
    CopyPiece(image, sheets.TitleBar, QRect(27, 0, 275, 14), QPoint(0, 0));
    DrawTimeDisplay(image, sheets);
    DrawInfoDisplays(image, sheets.MonoStereo);
    DrawSliders(image, sheets);
    DrawTrays(image);
    DrawEmblem(image);
    return image;
}

} // namespace tf::sample
