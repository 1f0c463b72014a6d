#include "tools/SkinPaint.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tf::sample {

using namespace colors;

QImage NewCanvas(int width, int height, QRgb fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QRgb Mix(QRgb from, QRgb to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto channel = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

QRgb LevelColor(double t)
{
    return t < 0.5 ? Mix(kLow, kAmber, t * 2) : Mix(kAmber, kHigh, (t - 0.5) * 2);
}

void Fill(QImage& image, const QRect& rect, QRgb color)
{
    QPainter painter(&image);
    painter.fillRect(rect, QColor::fromRgb(color));
}

void FillGradient(QImage& image, const QRect& rect, QRgb from, QRgb to)
{
    QPainter painter(&image);
    const int rows = rect.height();
    for (int row = 0; row < rows; ++row) {
        const double t = rows > 1 ? double(row) / (rows - 1) : 0.0;
        painter.fillRect(QRect(rect.left(), rect.top() + row, rect.width(), 1), QColor::fromRgb(Mix(from, to, t)));
    }
}

void DrawBevel(QImage& image, const QRect& rect, Relief relief)
{
    const QRgb lead = relief == Relief::Raised ? kBevelLight : kBevelDark;
    const QRgb trail = relief == Relief::Raised ? kBevelDark : kBevelLight;
    const int x0 = rect.left(), y0 = rect.top(), x1 = rect.left() + rect.width() - 1,
              y1 = rect.top() + rect.height() - 1;
    Fill(image, QRect(x0, y0, rect.width(), 1), lead);
    Fill(image, QRect(x0, y0, 1, rect.height()), lead);
    Fill(image, QRect(x0, y1, rect.width(), 1), trail);
    Fill(image, QRect(x1, y0, 1, rect.height()), trail);
    // The corners where the two edges meet take the panel tone, as light
    // falling from the top left would leave them.
    if (image.valid(x1, y0))
        image.setPixel(x1, y0, kPanel);
    if (image.valid(x0, y1))
        image.setPixel(x0, y1, kPanel);
}

void DrawOutline(QImage& image, const QRect& rect, QRgb color)
{
    const int right = rect.left() + rect.width() - 1, bottom = rect.top() + rect.height() - 1;
    Fill(image, QRect(rect.left(), rect.top(), rect.width(), 1), color);
    Fill(image, QRect(rect.left(), bottom, rect.width(), 1), color);
    Fill(image, QRect(rect.left(), rect.top(), 1, rect.height()), color);
    Fill(image, QRect(right, rect.top(), 1, rect.height()), color);
}

void DrawDisplayWell(QImage& image, const QRect& rect)
{
    DrawBevel(image, rect, Relief::Sunken);
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    DrawOutline(image, inner, kOutline);
    Fill(image, inner.adjusted(1, 1, -1, -1), kDisplay);
}

void DrawButton(QImage& image, const QRect& rect, Press press)
{
    DrawOutline(image, rect, kOutline);
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (press == Press::Released) {
        FillGradient(image, inner, kSteelTop, kSteelBottom);
        const int right = inner.left() + inner.width() - 1, bottom = inner.top() + inner.height() - 1;
        Fill(image, QRect(inner.left(), inner.top(), inner.width(), 1), Mix(kSteelTop, kSymbol, 0.6));
        Fill(image, QRect(inner.left(), inner.top(), 1, inner.height()), Mix(kSteelTop, kSymbol, 0.3));
        Fill(image, QRect(inner.left(), bottom, inner.width(), 1), Mix(kSteelBottom, kOutline, 0.5));
        Fill(image, QRect(right, inner.top(), 1, inner.height()), Mix(kSteelBottom, kOutline, 0.4));
    } else {
        FillGradient(image, inner, kSteelPressedTop, kSteelPressedBottom);
        Fill(image, QRect(inner.left(), inner.top(), inner.width(), 1), Mix(kSteelPressedTop, kOutline, 0.6));
        Fill(image, QRect(inner.left(), inner.top(), 1, inner.height()), Mix(kSteelPressedTop, kOutline, 0.5));
    }
}

int PressShift(Press press) { return press == Press::Pressed ? 1 : 0; }

void FillTriangleRight(QImage& image, int left, int top, int height, QRgb color)
{
    for (int row = 0; row < height; ++row) {
        const int width = std::min(row, height - 1 - row) + 1;
        Fill(image, QRect(left, top + row, width, 1), color);
    }
}

void FillTriangleLeft(QImage& image, int right, int top, int height, QRgb color)
{
    for (int row = 0; row < height; ++row) {
        const int width = std::min(row, height - 1 - row) + 1;
        Fill(image, QRect(right - width + 1, top + row, width, 1), color);
    }
}

void FillTriangleUp(QImage& image, int centre, int top, int height, QRgb color)
{
    for (int row = 0; row < height; ++row)
        Fill(image, QRect(centre - row, top + row, 2 * row + 1, 1), color);
}

void DrawLamp(QImage& image, int left, int top, bool lit)
{
    const QRgb rim = lit ? kAmberMid : 0xff1a1f2b;
    const QRgb core = lit ? kAmber : 0xff2f3647;
    const QRgb glint = lit ? kAmberBright : 0xff454e63;
    Fill(image, QRect(left + 1, top, 2, 4), rim);
    Fill(image, QRect(left, top + 1, 4, 2), rim);
    Fill(image, QRect(left + 1, top + 1, 2, 2), core);
    image.setPixel(left + 1, top + 1, glint);
}

void DrawKnob(QImage& image, const QRect& rect, Press press, Travel travel, QRgb surround)
{
    DrawButton(image, rect, press);
    const int right = rect.left() + rect.width() - 1, bottom = rect.top() + rect.height() - 1;
    for (const QPoint corner : {rect.topLeft(), QPoint(right, rect.top()), QPoint(rect.left(), bottom),
                                QPoint(right, bottom)})
        image.setPixel(corner, surround);
    // A grip line across the middle shows where the value is read.
    const QRgb grip = press == Press::Pressed ? kAmber : kSymbolShadow;
    if (travel == Travel::Vertical)
        Fill(image, QRect(rect.left() + 3, rect.top() + rect.height() / 2, rect.width() - 6, 1), grip);
    else
        Fill(image, QRect(rect.left() + rect.width() / 2 - 1, rect.top() + 3, 2, rect.height() - 6), grip);
}

} // namespace tf::sample
