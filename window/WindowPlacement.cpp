#include "window/WindowPlacement.h"

#include <algorithm>

namespace tf {

QRect PlaceWindowFrame(const QRect& wantedFrame, const QRect& available)
{
    if (available.isEmpty() || available.contains(wantedFrame))
        return wantedFrame;
    const QSize size(std::min(wantedFrame.width(), available.width()),
                     std::min(wantedFrame.height(), available.height()));
    return {QPoint(available.left() + (available.width() - size.width()) / 2,
                   available.top() + (available.height() - size.height()) / 2),
            size};
}

} // namespace tf
