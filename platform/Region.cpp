#include "platform/Region.h"

#include <algorithm>
#include <cstdlib>

namespace tf {
namespace {

// Coordinates beyond this are clamped before use, so that every product in
// the edge arithmetic fits in 64 bits. Real outlines lie within a few hundred
// pixels; only hostile files come near it.
constexpr int64_t kCoordinateLimit = int64_t(1) << 29;

struct Edge {
    int64_t XTop, YTop;       // upper end
    int64_t XBottom, YBottom; // lower end, yBottom > yTop
    int Direction;            // +1 runs downward in vertex order, -1 upward
};

int64_t Clamp(int32_t value)
{
    return std::clamp<int64_t>(value, -kCoordinateLimit, kCoordinateLimit);
}

int64_t CeilDiv(int64_t numerator, int64_t denominator) // denominator > 0
{
    int64_t quotient = numerator / denominator;
    if (numerator % denominator != 0 && numerator > 0)
        ++quotient;
    return quotient;
}

// ceil(X(y)) of an edge on row y, measured from its upper end.
int64_t CeilXAt(const Edge& edge, int64_t y)
{
    const int64_t dy = edge.YBottom - edge.YTop;
    return CeilDiv(edge.XTop * dy + (y - edge.YTop) * (edge.XBottom - edge.XTop), dy);
}

} // namespace

std::optional<Region> Region::FromPolygons(std::span<const Point> points,
                                           std::span<const int32_t> counts, Rect bounds)
{
    if (counts.empty())
        return std::nullopt;
    size_t needed = 0;
    for (int32_t count : counts) {
        if (count < 2)
            return std::nullopt;
        needed += size_t(count);
        if (needed > points.size())
            return std::nullopt;
    }

    std::vector<Edge> edges;
    size_t first = 0;
    for (int32_t count : counts) {
        for (int32_t k = 0; k < count; ++k) {
            const Point& a = points[first + size_t(k)];
            const Point& b = points[first + size_t((k + 1) % count)];
            if (a.y == b.y)
                continue; // horizontal edges never change the winding number
            if (a.y < b.y)
                edges.push_back({Clamp(a.x), Clamp(a.y), Clamp(b.x), Clamp(b.y), +1});
            else
                edges.push_back({Clamp(b.x), Clamp(b.y), Clamp(a.x), Clamp(a.y), -1});
        }
        first += size_t(count);
    }

    Region region;
    region.m_bounds = bounds;
    const int64_t rowCount = std::max<int64_t>(bounds.height(), 0);
    region.m_rows.resize(size_t(rowCount));
    std::vector<std::pair<int64_t, int>> crossings;
    for (int64_t row = 0; row < rowCount; ++row) {
        const int64_t y = bounds.top + row;
        crossings.clear();
        for (const Edge& edge : edges)
            if (edge.YTop <= y && y < edge.YBottom)
                crossings.emplace_back(CeilXAt(edge, y), edge.Direction);
        std::sort(crossings.begin(), crossings.end());
        std::vector<Span>& spans = region.m_rows[size_t(row)];
        int winding = 0;
        for (size_t i = 0; i < crossings.size(); ++i) {
            winding += crossings[i].second;
            if (winding == 0 || i + 1 == crossings.size())
                continue;
            const int64_t begin = std::max<int64_t>(crossings[i].first, bounds.left);
            const int64_t end = std::min<int64_t>(crossings[i + 1].first, bounds.right);
            if (begin >= end)
                continue;
            if (!spans.empty() && spans.back().End >= begin)
                spans.back().End = int32_t(std::max<int64_t>(spans.back().End, end));
            else
                spans.push_back({int32_t(begin), int32_t(end)});
        }
    }
    constexpr int64_t kMaxMaskPixels = 16 * 1024 * 1024;
    if (bounds.width() > 0 && rowCount > 0 && bounds.width() * rowCount <= kMaxMaskPixels) {
        region.m_mask.assign(size_t(bounds.width() * rowCount), 0);
        for (int64_t row = 0; row < rowCount; ++row)
            for (const Span& span : region.m_rows[size_t(row)])
                std::fill_n(region.m_mask.begin() + (row * bounds.width() + (span.Begin - bounds.left)),
                            span.End - span.Begin, uint8_t(1));
    }
    return region;
}

std::span<const Region::Span> Region::row(int32_t y) const
{
    if (y < m_bounds.top || int64_t(y) >= int64_t(m_bounds.top) + int64_t(m_rows.size()))
        return {};
    return m_rows[size_t(int64_t(y) - m_bounds.top)];
}

bool Region::rowContains(int32_t x, int32_t y) const
{
    for (const Span& span : row(y))
        if (span.Begin <= x && x < span.End)
            return true;
    return false;
}

} // namespace tf
