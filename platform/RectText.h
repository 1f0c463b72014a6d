#pragma once

// Rectangles as the data and definition files write them: four decimal
// integers, left, top, right, bottom.

#include "platform/Geometry.h"

#include <string>
#include <string_view>

namespace tf {

std::string RectToStr(const Rect& rect, std::string_view separator);
std::string RectToText(const Rect& rect); // "1 2 3 4"

// Each text parsed as an integer without a check (bottom first, then right,
// top, left); a text that is not one raises the conversion error.
Rect StrToRect(std::string_view left, std::string_view top, std::string_view right,
               std::string_view bottom);

} // namespace tf
