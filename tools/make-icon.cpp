// Draws the application icon: make-icon <folder> writes tessaform-N.png for
// each hicolor size and tessaform.svg. The icon is a slate tile, as in the
// splash, holding a diamond of four rhombus tiles that turn from the blue of
// the source skin to the amber of the converted one. Every shape is a
// polygon, so the same list draws the bitmaps and writes the SVG.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>
#include <cstdio>
#include <vector>

namespace {

constexpr double kCanvas = 256.0; // the drawing's own units
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The slate tile with rounded corners, and its gradient from top to bottom.
constexpr double kTileInset = 12.0;
constexpr double kTileRadius = 40.0;
const QColor kTileTop(0x3b, 0x48, 0x65);
const QColor kTileBottom(0x22, 0x2a, 0x3c);

struct Rhombus {
    QPointF Center;
    QColor Fill;
};

// A diamond of half-diagonal 100 around the centre, cut into four.
constexpr double kHalf = 50.0;
const std::vector<Rhombus> kRhombi = {
    {{128, 128 - kHalf}, QColor(0xff, 0xb3, 0x30)}, // top: amber
    {{128 + kHalf, 128}, QColor(0xff, 0xdc, 0x8c)}, // right: pale amber
    {{128 - kHalf, 128}, QColor(0xa9, 0xbf, 0xe6)}, // left: light blue
    {{128, 128 + kHalf}, QColor(0x6f, 0x8c, 0xc4)}, // bottom: blue
};
constexpr double kGap = 7.0; // slate between the tiles, in drawing units

QPolygonF Corners(const Rhombus& rhombus)
{
    const double half = kHalf - kGap / 2;
    const QPointF c = rhombus.Center;
    return QPolygonF({c + QPointF(0, -half), c + QPointF(half, 0), c + QPointF(0, half), c + QPointF(-half, 0)});
}

QImage PaintIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kCanvas, size / kCanvas);
    QLinearGradient slate(0, kTileInset, 0, kCanvas - kTileInset);
    slate.setColorAt(0, kTileTop);
    slate.setColorAt(1, kTileBottom);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(kTileInset, kTileInset, kCanvas - 2 * kTileInset, kCanvas - 2 * kTileInset),
                        kTileRadius, kTileRadius);
    painter.fillPath(tile, slate);
    painter.setPen(Qt::NoPen);
    for (const Rhombus& rhombus : kRhombi) {
        painter.setBrush(rhombus.Fill);
        painter.drawPolygon(Corners(rhombus));
    }
    return image;
}

QString WriteSvg()
{
    QString svg;
    QTextStream out(&svg);
    const double side = kCanvas - 2 * kTileInset;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"slate\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << kTileTop.name() << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << kTileBottom.name() << "\"/>\n"
        << "    </linearGradient>\n"
        << "  </defs>\n"
        << "  <rect x=\"" << kTileInset << "\" y=\"" << kTileInset << "\" width=\"" << side << "\" height=\"" << side
        << "\" rx=\"" << kTileRadius << "\" fill=\"url(#slate)\"/>\n";
    for (const Rhombus& rhombus : kRhombi) {
        out << "  <polygon fill=\"" << rhombus.Fill.name() << "\" points=\"";
        const QPolygonF corners = Corners(rhombus);
        for (int i = 0; i < corners.size(); ++i)
            out << (i ? " " : "") << corners[i].x() << "," << corners[i].y();
        out << "\"/>\n";
    }
    out << "</svg>\n";
    return svg;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icon <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int size : kSizes) {
        const QString name = folder.filePath(QStringLiteral("tessaform-%1.png").arg(size));
        if (!PaintIcon(size).save(name, "png")) {
            std::fprintf(stderr, "make-icon: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    QFile svg(folder.filePath(QStringLiteral("tessaform.svg")));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(WriteSvg().toUtf8()) < 0) {
        std::fprintf(stderr, "make-icon: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    return 0;
}
