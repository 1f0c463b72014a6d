#include "korvel/FieldText.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>

namespace tf {
namespace {

// A rectangle in 64 bits: fields read from a file may hold any 32-bit
// values, and a text's place in them may lie beyond.
struct Area {
    int64_t left = 0, top = 0, right = 0, bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    int width() const { return int(right - left); }
    int height() const { return int(bottom - top); }
    Area intersected(const Area& other) const
    {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    Area united(const Area& other) const
    {
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
    Area moved(int64_t dx, int64_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const Area&) const = default;
};

Area ToArea(const Rect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

size_t qHash(const Area& area, size_t seed = 0) { return qHashMulti(seed, area.left, area.top, area.right, area.bottom); }

// How a line of text in a font lies around its pen: "text coordinates" put
// the pen's start at x 0 and the top of the line at y 0.
struct TextMetrics {
    int Width = 0;
    int LineHeight = 0;
    int Ascent = 0;
    // Room for glyphs that reach past their advance, and for the shadow.
    int Margin = 0;

    // Where the text may put pixels, in text coordinates.
    Area extent() const { return {-Margin, 0, int64_t(Width) + Margin + 1, int64_t(LineHeight) + 1}; }
};

struct WidthKey {
    QFont Font;
    QString Text;
    bool operator==(const WidthKey&) const = default;
};
size_t qHash(const WidthKey& key, size_t seed = 0) { return qHashMulti(seed, key.Font, key.Text); }

const TextMetrics& CachedMetrics(const QString& text, const QFont& font)
{
    // The view is drawn again after every change of a setting, with the
    // same few texts in the same few fonts.
    thread_local QHash<WidthKey, TextMetrics> cache;
    WidthKey key{font, text};
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    if (cache.size() > 512)
        cache.clear();
    const QFontMetrics metrics(font);
    TextMetrics measured;
    measured.Width = metrics.horizontalAdvance(text);
    measured.LineHeight = metrics.height();
    measured.Ascent = metrics.ascent();
    measured.Margin = metrics.maxWidth();
    return *cache.insert(std::move(key), measured);
}

// A line of text drawn once on a transparent layer, only as far as the field
// it is drawn into reaches (plus the pixel its shadow needs): shaping the
// same texts in the same fonts again is most of a redraw, and a layer as
// large as the text could be as large as its font makes it. The text is
// drawn without antialiasing, so putting the layer over the field gives the
// same pixels as drawing it there.
struct TextLayer {
    QImage Image; // the part `part` of the text (and its shadow)
    Area Part;    // in text coordinates
    // Every pixel of the layer either covers what is under it or leaves it:
    // the layer can be put down by copying pixels.
    bool Solid = false;
};

// Keys compare fonts by every property that changes a glyph.
struct LayerKey {
    QFont Font;
    tf::Color Color = kBlack;
    int64_t Shadow = -1;
    QString Text;
    Area Part;
    bool operator==(const LayerKey&) const = default;
};
size_t qHash(const LayerKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.Font, key.Color, key.Shadow, key.Text, key.Part);
}

struct CoverageKey {
    QFont Font;
    QString Text;
    Area Part;
    bool operator==(const CoverageKey&) const = default;
};
size_t qHash(const CoverageKey& key, size_t seed = 0) { return qHashMulti(seed, key.Font, key.Text, key.Part); }

// Holds what it is given until a budget of pixels is spent, then starts
// afresh: a handful of texts in a few fonts is what a view needs, and the
// budget only bounds a long session or a definition of huge fields.
template <typename Key, typename Value>
class BoundedCache {
public:
    const Value* find(const Key& key) const
    {
        const auto found = m_values.constFind(key);
        return found == m_values.constEnd() ? nullptr : &*found;
    }
    const Value& insert(Key key, Value value, int64_t pixels)
    {
        if (m_values.size() > 512 || m_pixels + pixels > kPixelBudget) {
            m_values.clear();
            m_pixels = 0;
        }
        m_pixels += pixels;
        return *m_values.insert(std::move(key), std::move(value));
    }

private:
    static constexpr int64_t kPixelBudget = 4 * 1024 * 1024; // 16 MiB of layers
    QHash<Key, Value> m_values;
    int64_t m_pixels = 0;
};

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

// The text drawn with its pen at (0, ascent) of text coordinates, onto an
// image that holds `part` of them.
void DrawLine(QImage& image, const QFont& font, const QString& text, int ascent, const Area& part, QPoint shift,
              Color color)
{
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(ToQColor(color));
    painter.drawText(QPoint(int(-part.left), int(ascent - part.top)) + shift, text);
}

QImage TransparentImage(const Area& part)
{
    QImage image(part.width(), part.height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The pixels a text covers in a font, drawn once in white: without
// antialiasing a glyph covers the same pixels in every colour, so a text in a
// new colour (the user trying colours) is a recolouring, not a new drawing.
struct Coverage {
    QImage Image; // `part` of the text coordinates
    bool Solid = false;
};

const Coverage& CachedCoverage(const QString& text, const QFont& font, const TextMetrics& metrics, const Area& part)
{
    thread_local BoundedCache<CoverageKey, Coverage> cache;
    CoverageKey key{font, text, part};
    if (const Coverage* found = cache.find(key))
        return *found;
    Coverage coverage;
    coverage.Image = TransparentImage(part);
    DrawLine(coverage.Image, font, text, metrics.Ascent, part, {}, kWhite);
    coverage.Solid = IsSolid(coverage.Image);
    return cache.insert(std::move(key), std::move(coverage), int64_t(part.width()) * part.height());
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

const TextLayer& CachedLayer(const QString& text, const FieldTextStyle& style, const TextMetrics& metrics,
                             const Area& part)
{
    thread_local BoundedCache<LayerKey, TextLayer> cache;
    LayerKey key{style.Font, style.Color, style.Shadow ? int64_t(*style.Shadow) : -1, text, part};
    if (const TextLayer* found = cache.find(key))
        return *found;

    // One pixel more up and left, where the shadow of the part comes from.
    const Area source = Area{part.left - 1, part.top - 1, part.right, part.bottom}.intersected(metrics.extent());
    const Coverage& coverage = CachedCoverage(text, style.Font, metrics, source);
    TextLayer layer;
    layer.Part = part;
    layer.Image = TransparentImage(part);
    if (coverage.Solid) {
        const int dx = int(source.left - part.left);
        const int dy = int(source.top - part.top);
        if (style.Shadow)
            Stamp(layer.Image, coverage.Image, dx + 1, dy + 1, *style.Shadow);
        Stamp(layer.Image, coverage.Image, dx, dy, style.Color);
    } else {
        if (style.Shadow)
            DrawLine(layer.Image, style.Font, text, metrics.Ascent, part, QPoint(1, 1), *style.Shadow);
        DrawLine(layer.Image, style.Font, text, metrics.Ascent, part, {}, style.Color);
    }
    layer.Solid = coverage.Solid;
    return cache.insert(std::move(key), std::move(layer), int64_t(part.width()) * part.height());
}

} // namespace

int TextWidth(const QFont& font, const QString& text)
{
    return CachedMetrics(text, font).Width;
}

void DrawFieldText(Bitmap& bitmap, const Rect& field, const QString& text, const FieldTextStyle& style,
                   const std::optional<Rect>& clip)
{
    const Rect& bounds = clip.value_or(field);
    if (bitmap.isEmpty() || field.isEmpty() || bounds.isEmpty() || text.isEmpty())
        return;
    const TextMetrics& metrics = CachedMetrics(text, style.Font);
    int64_t x = field.left;
    if (style.Align == TextAlign::Center)
        x = (int64_t(field.left) + field.right - metrics.Width) / 2;
    else if (style.Align == TextAlign::Right)
        x = int64_t(field.right) - metrics.Width;
    const int64_t top = field.top + (field.height() - metrics.LineHeight) / 2;

    // The layer covers only what of the text can show: inside the field (and
    // the clip, where a caller clips wider) and the bitmap. It does not
    // follow the clip itself, so that redrawing a part finds it again.
    const Area whole{0, 0, bitmap.width(), bitmap.height()};
    const Area reach = clip ? ToArea(field).united(ToArea(*clip)) : ToArea(field);
    const Area part = reach.intersected(whole).moved(-x, -top).intersected(metrics.extent());
    if (part.isEmpty())
        return;
    const TextLayer& layer = CachedLayer(text, style, metrics, part);
    const int64_t atX = x + part.left;
    const int64_t atY = top + part.top;
    const Area shown = ToArea(bounds).intersected(whole).intersected(
        {atX, atY, atX + layer.Image.width(), atY + layer.Image.height()});
    if (shown.isEmpty())
        return;
    if (!layer.Solid) {
        QPainter painter(&bitmap.image());
        painter.setClipRect(QRect(int(shown.left), int(shown.top), shown.width(), shown.height()));
        painter.drawImage(QPoint(int(atX), int(atY)), layer.Image);
        return;
    }
    // What the painter does with such a layer, without starting one for
    // every field: the covering pixels replace those under them.
    QImage& pixels = bitmap.image();
    for (int64_t y = shown.top; y < shown.bottom; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(layer.Image.constScanLine(int(y - atY)));
        QRgb* out = reinterpret_cast<QRgb*>(pixels.scanLine(int(y)));
        for (int64_t px = shown.left; px < shown.right; ++px)
            if (const QRgb value = in[px - atX]; qAlpha(value) != 0)
                out[px] = value;
    }
}

} // namespace tf
