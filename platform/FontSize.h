#pragma once

#include <algorithm>

namespace tf {

// The largest font size, in points either way, that a skin's plug-in file
// or a definition file gives the converter and the view (a negative size is
// the character height without its leading, as on Windows). No text field
// of a skin comes near it; larger sizes only cost time and memory.
constexpr int kMaxFontPoints = 72;

constexpr bool IsDrawableFontSize(int points) { return points >= -kMaxFontPoints && points <= kMaxFontPoints; }
constexpr int ClampFontSize(int points) { return std::clamp(points, -kMaxFontPoints, kMaxFontPoints); }

} // namespace tf
