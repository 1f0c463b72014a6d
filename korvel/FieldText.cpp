#include "korvel/FieldText.h"

#include <QFontMetrics>
#include <QPainter>

namespace tf {

int TextWidth(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

void DrawFieldText(Bitmap& bitmap, const Rect& field, const QString& text, const FieldTextStyle& style,
                   const std::optional<Rect>& clip)
{
    const Rect& bounds = clip.value_or(field);
    if (bitmap.isEmpty() || field.isEmpty() || bounds.isEmpty() || text.isEmpty())
        return;
    QPainter painter(&bitmap.image());
    painter.setClipRect(QRect(bounds.left, bounds.top, int(bounds.width()), int(bounds.height())));
    painter.setFont(style.font);
    const QFontMetrics metrics(style.font);
    const int width = metrics.horizontalAdvance(text);
    int x = field.left;
    if (style.align == TextAlign::Center)
        x = int((int64_t(field.left) + field.right - width) / 2);
    else if (style.align == TextAlign::Right)
        x = field.right - width;
    const int baseline = int(field.top + (field.height() - metrics.height()) / 2 + metrics.ascent());
    if (style.shadow) {
        painter.setPen(ToQColor(*style.shadow));
        painter.drawText(QPoint(x + 1, baseline + 1), text);
    }
    painter.setPen(ToQColor(style.color));
    painter.drawText(QPoint(x, baseline), text);
}

} // namespace tf
