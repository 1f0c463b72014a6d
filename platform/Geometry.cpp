#include "platform/Geometry.h"

namespace tf {

std::string ToString(const Rect& rect)
{
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", "
        + std::to_string(rect.right) + ", " + std::to_string(rect.bottom) + ")";
}

std::string ToString(const Point& point)
{
    return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
}

} // namespace tf
