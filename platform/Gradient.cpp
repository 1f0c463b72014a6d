#include "platform/Gradient.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cmath>

namespace tf {

int PaintGradient(const Rect& rect, Bitmap& canvas, int direction, int mode,
                  const std::array<Color, 2>& colours)
{
    QElapsedTimer timer;
    timer.start();
    if (mode == 0) {
        canvas.fill(rect, colours[0]);
    } else if (mode == 1) {
        const Color start = ResolveSystemColor(colours[0]);
        const Color end = ResolveSystemColor(colours[1]);
        const int64_t n = direction == 0 ? rect.width() : rect.height();
        // One line needs no steps; the division below needs two.
        const int64_t divisor = std::max<int64_t>(n - 1, 1);
        const int starts[3] = {RedOf(start), GreenOf(start), BlueOf(start)};
        const int ends[3] = {RedOf(end), GreenOf(end), BlueOf(end)};
        int64_t steps[3];
        for (int c = 0; c < 3; ++c)
            steps[c] = std::llrint((long double)(ends[c] - starts[c]) / (long double)divisor * 10000.0L);
        for (int64_t k = 0; k < n; ++k) {
            const Color colour = MakeColor(int(starts[0] + k * steps[0] / 10000),
                                           int(starts[1] + k * steps[1] / 10000),
                                           int(starts[2] + k * steps[2] / 10000));
            if (direction == 0)
                canvas.drawLine({int32_t(rect.left + k), rect.top}, {int32_t(rect.left + k), rect.bottom}, colour);
            else
                canvas.drawLine({rect.left, int32_t(rect.top + k)}, {rect.right, int32_t(rect.top + k)}, colour);
        }
    }
    return int(timer.elapsed());
}

} // namespace tf
