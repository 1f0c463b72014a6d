#include "window/SmallIcon.h"

#include <QPainter>
#include <QPixmap>

namespace tf {

QIcon DrawSmallIcon(const QColor& outline, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setPen(outline);
        draw(painter);
    }
    return QIcon(pixmap);
}

} // namespace tf
