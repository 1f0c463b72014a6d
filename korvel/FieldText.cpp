#include "korvel/FieldText.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

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
};

const TextLayer& CachedLayer(const QString& text, const FieldTextStyle& style)
{
    thread_local QHash<QString, TextLayer> cache;
    const QString key = style.font.key() + QLatin1Char('|') + QString::number(style.color) + QLatin1Char('|')
        + (style.shadow ? QString::number(*style.shadow) : QStringLiteral("-")) + QLatin1Char('|') + text;
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    if (cache.size() > 512) // a handful of texts in a few fonts; this only bounds a long session
        cache.clear();

    TextLayer layer;
    const QFontMetrics metrics(style.font);
    layer.width = metrics.horizontalAdvance(text);
    layer.lineHeight = metrics.height();
    layer.ascent = metrics.ascent();
    // Room for glyphs that reach past their advance, and for the shadow.
    const int margin = metrics.maxWidth();
    layer.image = QImage(layer.width + 2 * margin + 1, layer.lineHeight + 1, QImage::Format_ARGB32_Premultiplied);
    layer.image.fill(Qt::transparent);
    QPainter painter(&layer.image);
    painter.setFont(style.font);
    if (style.shadow) {
        painter.setPen(ToQColor(*style.shadow));
        painter.drawText(QPoint(margin + 1, layer.ascent + 1), text);
    }
    painter.setPen(ToQColor(style.color));
    painter.drawText(QPoint(margin, layer.ascent), text);
    painter.end();
    layer.image.setOffset(QPoint(-margin, 0));
    return *cache.insert(key, std::move(layer));
}

} // namespace

int TextWidth(const QFont& font, const QString& text)
{
    thread_local QHash<QString, int> widths; // as the layers, for the same reason
    const QString key = font.key() + QLatin1Char('|') + text;
    if (const auto found = widths.constFind(key); found != widths.constEnd())
        return *found;
    if (widths.size() > 512)
        widths.clear();
    return *widths.insert(key, QFontMetrics(font).horizontalAdvance(text));
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
    QPainter painter(&bitmap.image());
    painter.setClipRect(QRect(bounds.left, bounds.top, int(bounds.width()), int(bounds.height())));
    painter.drawImage(QPoint(x, top) + layer.image.offset(), layer.image);
}

} // namespace tf
