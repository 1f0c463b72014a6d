// Draws the splash picture: make-splash <file.jpg>. The window puts its
// version label at (228, 108) over the picture, so that area stays plain and
// light for the label's dark text.

#include "tools/ToolStart.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 322;
constexpr int kHeight = 185;

// A band of rhombus tiles along the top, fading out towards the title: the
// "tessa" of the name.
void DrawTiles(QPainter& painter)
{
    constexpr double kTile = 16.0;
    const QColor shades[] = {QColor(0x3b, 0x48, 0x65), QColor(0x52, 0x62, 0x85), QColor(0x2b, 0x34, 0x4a)};
    for (int row = -1; row < 6; ++row) {
        for (int column = -1; column < 24; ++column) {
            const double x = column * kTile + (row % 2 ? kTile / 2 : 0);
            const double y = row * kTile * 0.55;
            const double fade = std::clamp(1.0 - (y + 8) / 62.0, 0.0, 1.0);
            if (fade <= 0)
                continue;
            QColor shade = shades[(row * 7 + column * 3 + (column / 3)) % 3];
            shade.setAlphaF(0.85 * fade);
            const double height = kTile * 0.55 + 8;
            const QPolygonF rhombus({QPointF(x, y), QPointF(x + kTile / 2, y + height / 2),
                                     QPointF(x, y + height), QPointF(x - kTile / 2, y + height / 2)});
            painter.setBrush(shade);
            painter.setPen(QPen(QColor(255, 255, 255, int(70 * fade)), 0.6));
            painter.drawPolygon(rhombus);
        }
    }
}

void DrawTitle(QPainter& painter)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(25);
    font.setBold(true);
    font.setLetterSpacing(QFont::PercentageSpacing, 98);
    painter.setFont(font);
    const QPointF origin(20, 94);
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(origin + QPointF(0, 1), QStringLiteral("Tessaform Convertor"));
    painter.setPen(QColor(0x1c, 0x27, 0x3d));
    painter.drawText(origin, QStringLiteral("Tessaform Convertor"));

    // An amber rule under the title, stopping short of the version label.
    QLinearGradient rule(20, 0, 214, 0);
    rule.setColorAt(0, QColor(0xff, 0xb3, 0x30));
    rule.setColorAt(1, QColor(0xff, 0xb3, 0x30, 0));
    painter.fillRect(QRectF(20, 102, 194, 2), rule);

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(11);
    painter.setFont(small);
    painter.setPen(QColor(0x4f, 0x5b, 0x74));
    painter.drawText(QPointF(21, 152), QStringLiteral("Winamp 2 classic skins, tile by tile"));
}

QImage PaintSplash()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient background(0, 0, 0, kHeight);
    background.setColorAt(0.0, QColor(0xe4, 0xe9, 0xf2));
    background.setColorAt(0.6, QColor(0xf6, 0xf8, 0xfb));
    background.setColorAt(1.0, QColor(0xdd, 0xe3, 0xee));
    painter.fillRect(image.rect(), background);
    DrawTiles(painter);
    DrawTitle(painter);
    // A slate footer band and a one-pixel frame.
    QLinearGradient footer(0, kHeight - 14, 0, kHeight);
    footer.setColorAt(0, QColor(0x3b, 0x48, 0x65));
    footer.setColorAt(1, QColor(0x22, 0x2a, 0x3c));
    painter.fillRect(QRectF(0, kHeight - 14, kWidth, 14), footer);
    painter.fillRect(QRectF(0, kHeight - 15, kWidth, 1), QColor(0xff, 0xb3, 0x30));
    painter.setPen(QColor(0x22, 0x2a, 0x3c));
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(0, 0, kWidth - 1, kHeight - 1);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    tf::tools::UseOffscreenUnlessSet();
    QGuiApplication application(argc, argv);
    const char* target = tf::tools::OnlyArgument(argc, argv, "make-splash <file.jpg>");
    if (!target)
        return 2;
    QImageWriter writer(QString::fromLocal8Bit(target), "jpeg");
    writer.setQuality(92);
    if (!writer.write(PaintSplash())) {
        std::fprintf(stderr, "make-splash: cannot write %s: %s\n", target, qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
