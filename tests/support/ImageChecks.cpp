#include "support/ImageChecks.h"

namespace tf::test {

bool SamePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int32_t y = 0; y < a.height(); ++y)
        for (int32_t x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

long long PixelCount(const Region& region)
{
    long long total = 0;
    for (int32_t y = region.bounds().top; y < region.bounds().bottom; ++y)
        for (const Region::Span& span : region.row(y))
            total += span.End - span.Begin;
    return total;
}

std::string ColorToString(Color color)
{
    return "RGB(" + std::to_string(RedOf(color)) + ", " + std::to_string(GreenOf(color)) + ", "
        + std::to_string(BlueOf(color)) + ")";
}

} // namespace tf::test
