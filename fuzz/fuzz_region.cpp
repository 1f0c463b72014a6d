// A region.txt as the skin loader reads it: lines, the "Normal" and then the
// "Equalizer" point lists, and a region from each inside the window image.

#include "platform/Errors.h"
#include "platform/IniLineLookup.h"
#include "platform/Region.h"
#include "platform/SplitRule.h"
#include "platform/TextFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr tf::Rect kWindowImage{0, 0, 275, 116};

void CheckRegion(const std::optional<tf::Region>& region)
{
    if (!region)
        return;
    long long pixels = 0;
    for (int32_t y = kWindowImage.top; y < kWindowImage.bottom; ++y) {
        int32_t previousEnd = INT32_MIN;
        for (const tf::Region::Span& span : region->row(y)) {
            // Spans are sorted, apart, non-empty and inside the bounds.
            if (span.Begin >= span.End || span.Begin <= previousEnd || span.Begin < kWindowImage.left
                || span.End > kWindowImage.right || !region->contains(span.Begin, y)
                || region->contains(span.End, y))
                std::abort();
            previousEnd = span.End;
            pixels += span.End - span.Begin;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const tf::TStringList lines = tf::SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    // Counts carry over from one window to the next, as in the loader.
    tf::TIntegerArray counts;
    tf::TPointArray points;
    try {
        for (const char* section : {"Normal", "Equalizer"}) {
            points.clear();
            tf::SplitToIntegers(tf::ReadIniValue(lines, section, "NumPoints"), ',', counts);
            tf::SplitToPoints(tf::ReadIniValue(lines, section, "PointList"), ',', points);
            CheckRegion(tf::Region::FromPolygons(points, counts, kWindowImage));
        }
    } catch (const tf::AppError&) {
        // A value that is not a number is the user's error box, not a fault.
    }
    return 0;
}
