#pragma once

#include "platform/Geometry.h"

#include <optional>
#include <span>
#include <vector>

namespace tf {

// A set of pixels built from polygons, used as the clip region of a bitmap.
// Held as sorted, non-overlapping spans per row, inside fixed bounds.
class Region {
public:
    struct Span {
        int32_t Begin = 0; // first pixel inside
        int32_t End = 0;   // first pixel outside
        bool operator==(const Span&) const = default;
    };

    // One region from several polygons at once: polygon k has counts[k]
    // vertices taken in order from points, and a pixel is inside when the
    // winding number summed over the edges of all polygons is non-zero (the
    // Windows poly-polygon rule with top-left sampling).
    //
    // No region at all when counts is empty, when any count is below 2, or
    // when the counts ask for more points than there are: a region is never
    // built from points that do not exist. Only pixels inside bounds are kept,
    // so absurd coordinates from a file cannot make the region huge.
    static std::optional<Region> FromPolygons(std::span<const Point> points,
                                              std::span<const int32_t> counts, Rect bounds);

    bool contains(int32_t x, int32_t y) const
    {
        if (x < m_bounds.left || y < m_bounds.top || x >= m_bounds.right || y >= m_bounds.bottom)
            return false;
        if (!m_mask.empty())
            return m_mask[size_t(int64_t(y - m_bounds.top) * m_bounds.width() + (x - m_bounds.left))] != 0;
        return rowContains(x, y);
    }
    const Rect& bounds() const { return m_bounds; }
    // The spans of one row; empty outside the bounds.
    std::span<const Span> row(int32_t y) const;

    bool operator==(const Region& other) const
    {
        return m_bounds == other.m_bounds && m_rows == other.m_rows;
    }

private:
    bool rowContains(int32_t x, int32_t y) const;

    Rect m_bounds;
    std::vector<std::vector<Span>> m_rows; // one per row of m_bounds
    // One byte a pixel of the bounds, for the per-pixel test of every copy
    // onto a clipped bitmap; left out for very large bounds.
    std::vector<uint8_t> m_mask;
};

} // namespace tf
