#include "output/PositionMask.h"

#include "platform/Gradient.h"

namespace tf {

void DrawPositionMask(Bitmap& image, const Rect& rect)
{
    // Direction 0 (column by column), mode 1 (two colours). Each column's
    // level is truncated, not rounded: 19 columns into the pan bar give 130.
    PaintGradient(rect, image, 0, 1, {kBlack, kWhite});
}

void ComposePositionMask(Bitmap& image, int width, int height, const Rect& rect)
{
    image.setSize(width, height);
    image.fillAll(kMagenta);
    DrawPositionMask(image, rect);
}

} // namespace tf
