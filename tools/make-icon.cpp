// Draws the application icon: make-icon <folder> writes tessaform-N.png for
// each hicolor size, tessaform.svg, and tessaform.ico for Windows (the
// program's icon resource and the setup program's). The icon is a slate tile, as in the
// splash, holding a diamond of four rhombus tiles that turn from the blue of
// the source skin to the amber of the converted one. Every shape is a
// polygon, so the same list draws the bitmaps and writes the SVG.

#include <QBuffer>
#include <QColor>
#include <QDataStream>
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
// The sizes Windows asks an icon for, from a list row to a large tile.
constexpr int kIcoSizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};

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

// One image of an icon file: the 256-pixel one as PNG, the smaller ones as a
// 32-bit bottom-up DIB with its AND mask (all transparent pixels come from
// the alpha channel), which every reader of icons understands. Qt's own ICO
// writer stores a single image per file, hence this writer.
QByteArray IcoImage(int size)
{
    const QImage image = PaintIcon(size).convertToFormat(QImage::Format_ARGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (size >= 256) {
        image.save(&buffer, "png");
        return bytes;
    }
    QDataStream out(&buffer);
    out.setByteOrder(QDataStream::LittleEndian);
    const int maskStride = ((size + 31) / 32) * 4;
    out << quint32(40) << qint32(size) << qint32(2 * size) << quint16(1) << quint16(32) << quint32(0)
        << quint32(size * size * 4 + size * maskStride) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (int y = size - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < size; ++x)
            out << quint8(qBlue(row[x])) << quint8(qGreen(row[x])) << quint8(qRed(row[x])) << quint8(qAlpha(row[x]));
    }
    bytes.append(QByteArray(size * maskStride, '\0'));
    return bytes;
}

QByteArray WriteIco()
{
    std::vector<QByteArray> images;
    for (int size : kIcoSizes)
        images.push_back(IcoImage(size));
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = kIcoSizes[i];
        const quint8 side = size >= 256 ? 0 : quint8(size); // 0 stands for 256
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32) << quint32(images[i].size())
            << offset;
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images)
        bytes.append(image);
    return bytes;
}

bool WriteFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "make-icon: cannot write %s\n", qPrintable(name));
    return false;
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
    if (!WriteFile(folder.filePath(QStringLiteral("tessaform.svg")), WriteSvg().toUtf8())
        || !WriteFile(folder.filePath(QStringLiteral("tessaform.ico")), WriteIco()))
        return 1;
    return 0;
}
