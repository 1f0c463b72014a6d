#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace tf {

struct Point {
    int32_t x = 0;
    int32_t y = 0;

    constexpr bool operator==(const Point&) const = default;
};

// Half-open rectangle: right and bottom are exclusive, as every rectangle of
// the skin formats and of the geometry files is.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // 64-bit so that rectangles read from files can hold any 32-bit values.
    constexpr int64_t width() const { return int64_t(right) - left; }
    constexpr int64_t height() const { return int64_t(bottom) - top; }
    constexpr bool isEmpty() const { return width() <= 0 || height() <= 0; }

    constexpr void translate(int32_t dx, int32_t dy)
    {
        left = WrapAdd(left, dx);
        right = WrapAdd(right, dx);
        top = WrapAdd(top, dy);
        bottom = WrapAdd(bottom, dy);
    }
    [[nodiscard]] constexpr Rect translated(int32_t dx, int32_t dy) const
    {
        Rect moved = *this;
        moved.translate(dx, dy);
        return moved;
    }

    constexpr bool operator==(const Rect&) const = default;

    // 32-bit arithmetic that wraps instead of overflowing, as the 32-bit
    // integers of the original file formats do.
    static constexpr int32_t WrapAdd(int32_t a, int32_t b)
    {
        return int32_t(uint32_t(a) + uint32_t(b));
    }
    static constexpr int32_t WrapSub(int32_t a, int32_t b)
    {
        return int32_t(uint32_t(a) - uint32_t(b));
    }
};

std::string ToString(const Rect& rect);
std::string ToString(const Point& point);

// Readable values in test failures.
inline void PrintTo(const Rect& rect, std::ostream* out) { *out << ToString(rect); }
inline void PrintTo(const Point& point, std::ostream* out) { *out << ToString(point); }

} // namespace tf
