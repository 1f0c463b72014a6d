#include "korvel/FieldText.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>

namespace tf {
namespace {

// A line of text drawn once on a transparent layer: the view is drawn again
// after every change of a setting, and shaping the same texts in the same
// fonts again is most of a redraw. The text is drawn without antialiasing,
// so putting the layer over the field gives the same pixels as drawing it
// there.
struct TextLayer {
    QImage image; // the text (and its shadow) with the baseline at ascent
    int width = 0;
    int lineHeight = 0;
    int ascent = 0;
    // Every pixel of the layer either covers what is under it or leaves it:
    // the layer can be put down by copying pixels.
    bool solid = false;
};

// Keys compare fonts by every property that changes a glyph.
struct LayerKey {
    QFont font;
    Color color = kBlack;
    int64_t shadow = -1;
    QString text;
    bool operator==(const LayerKey&) const = default;
};
size_t qHash(const LayerKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.font, key.color, key.shadow, key.text);
}

struct WidthKey {
    QFont font;
    QString text;
    bool operator==(const WidthKey&) const = default;
};
size_t qHash(const WidthKey& key, size_t seed = 0) { return qHashMulti(seed, key.font, key.text); }

bool IsSolid(const QImage& layer)
{
    const int width = layer.width();
    for (int y = 0; y < layer.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if (qAlpha(row[x]) != 0 && qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

// The pixels a text covers in a font, drawn once in white: without
// antialiasing a glyph covers the same pixels in every colour, so a text in a
// new colour (the user trying colours) is a recolouring, not a new drawing.
struct Coverage {
    QImage image;
    int width = 0;
    int lineHeight = 0;
    int ascent = 0;
    int margin = 0;
    bool solid = false;
};

void DrawLine(QImage& image, const QFont& font, const QString& text, QPoint at, Color color)
{
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(ToQColor(color));
    painter.drawText(at, text);
}

const Coverage& CachedCoverage(const QString& text, const QFont& font)
{
    thread_local QHash<WidthKey, Coverage> cache;
    WidthKey key{font, text};
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    if (cache.size() > 512)
        cache.clear();
    Coverage coverage;
    const QFontMetrics metrics(font);
    coverage.width = metrics.horizontalAdvance(text);
    coverage.lineHeight = metrics.height();
    coverage.ascent = metrics.ascent();
    // Room for glyphs that reach past their advance, and for the shadow.
    coverage.margin = metrics.maxWidth();
    coverage.image = QImage(coverage.width + 2 * coverage.margin + 1, coverage.lineHeight + 1,
                            QImage::Format_ARGB32_Premultiplied);
    coverage.image.fill(Qt::transparent);
    DrawLine(coverage.image, font, text, QPoint(coverage.margin, coverage.ascent), kWhite);
    coverage.solid = IsSolid(coverage.image);
    return *cache.insert(std::move(key), std::move(coverage));
}

// Every covered pixel, moved by (dx, dy), in color.
void Stamp(QImage& layer, const QImage& coverage, int dx, int dy, Color color)
{
    const QRgb value = ToQRgb(ResolveSystemColor(color));
    const int rows = std::min(coverage.height(), layer.height() - dy);
    const int columns = std::min(coverage.width(), layer.width() - dx);
    for (int y = std::max(0, -dy); y < rows; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(layer.scanLine(y + dy));
        for (int x = std::max(0, -dx); x < columns; ++x)
            if (qAlpha(in[x]) != 0)
                out[x + dx] = value;
    }
}

const TextLayer& CachedLayer(const QString& text, const FieldTextStyle& style)
{
    thread_local QHash<LayerKey, TextLayer> cache;
    LayerKey key{style.font, style.color, style.shadow ? int64_t(*style.shadow) : -1, text};
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    if (cache.size() > 512) // a handful of texts in a few fonts; this only bounds a long session
        cache.clear();

    const Coverage& coverage = CachedCoverage(text, style.font);
    TextLayer layer;
    layer.width = coverage.width;
    layer.lineHeight = coverage.lineHeight;
    layer.ascent = coverage.ascent;
    layer.image = QImage(coverage.image.size(), QImage::Format_ARGB32_Premultiplied);
    layer.image.fill(Qt::transparent);
    if (coverage.solid) {
        if (style.shadow)
            Stamp(layer.image, coverage.image, 1, 1, *style.shadow);
        Stamp(layer.image, coverage.image, 0, 0, style.color);
    } else {
        const QPoint at(coverage.margin, coverage.ascent);
        if (style.shadow)
            DrawLine(layer.image, style.font, text, at + QPoint(1, 1), *style.shadow);
        DrawLine(layer.image, style.font, text, at, style.color);
    }
    layer.image.setOffset(QPoint(-coverage.margin, 0));
    layer.solid = coverage.solid;
    return *cache.insert(std::move(key), std::move(layer));
}

} // namespace

int TextWidth(const QFont& font, const QString& text)
{
    thread_local QHash<WidthKey, int> widths; // as the layers, for the same reason
    WidthKey key{font, text};
    if (const auto found = widths.constFind(key); found != widths.constEnd())
        return *found;
    if (widths.size() > 512)
        widths.clear();
    return *widths.insert(std::move(key), QFontMetrics(font).horizontalAdvance(text));
}

void DrawFieldText(Bitmap& bitmap, const Rect& field, const QString& text, const FieldTextStyle& style,
                   const std::optional<Rect>& clip)
{
    const Rect& bounds = clip.value_or(field);
    if (bitmap.isEmpty() || field.isEmpty() || bounds.isEmpty() || text.isEmpty())
        return;
    const TextLayer& layer = CachedLayer(text, style);
    int x = field.left;
    if (style.align == TextAlign::Center)
        x = int((int64_t(field.left) + field.right - layer.width) / 2);
    else if (style.align == TextAlign::Right)
        x = field.right - layer.width;
    const int top = int(field.top + (field.height() - layer.lineHeight) / 2);
    const QPoint at = QPoint(x, top) + layer.image.offset();
    if (!layer.solid) {
        QPainter painter(&bitmap.image());
        painter.setClipRect(QRect(bounds.left, bounds.top, int(bounds.width()), int(bounds.height())));
        painter.drawImage(at, layer.image);
        return;
    }
    // What the painter does with such a layer, without starting one for
    // every field: the covering pixels replace those under them.
    const int64_t left = std::max<int64_t>({bounds.left, at.x(), 0});
    const int64_t right = std::min<int64_t>({bounds.right, int64_t(at.x()) + layer.image.width(), bitmap.width()});
    const int64_t first = std::max<int64_t>({bounds.top, at.y(), 0});
    const int64_t last = std::min<int64_t>({bounds.bottom, int64_t(at.y()) + layer.image.height(), bitmap.height()});
    if (left >= right || first >= last)
        return;
    QImage& pixels = bitmap.image();
    for (int64_t y = first; y < last; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(layer.image.constScanLine(int(y - at.y())));
        QRgb* out = reinterpret_cast<QRgb*>(pixels.scanLine(int(y)));
        for (int64_t px = left; px < right; ++px)
            if (const QRgb value = in[px - at.x()]; qAlpha(value) != 0)
                out[px] = value;
    }
}

} // namespace tf
