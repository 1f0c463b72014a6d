#pragma once

// The split rule of the skin and data files: lines of values separated by a
// one-character delimiter, with blanks and quotes treated as the original
// readers treated them.

#include "platform/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

using TIntegerArray = std::vector<int32_t>;
using TPointArray = std::vector<Point>;
using TStringList = std::vector<std::string>;

// Splits at a one-character delimiter: leading codes 1 to 32 skipped; a
// quoted item runs to its closing quote ("" stands for one); any other item
// ends at the delimiter or at a code 1 to 32; two delimiters give an empty
// item between them, a final delimiter a final empty item. An empty text or
// a zero delimiter returns 0 and leaves the output unchanged.
int SplitToList(std::string_view text, char delimiter, TStringList& list);
// One value per item: the item's integer, or 0 when it is not one.
int SplitToIntegers(std::string_view text, char delimiter, TIntegerArray& values);
// Items taken in pairs as x, y; an odd last item is dropped.
int SplitToPoints(std::string_view text, char delimiter, TPointArray& points);

// The leading run of digits, commas and blanks (code 32) of a text.
std::string NumericPrefix(std::string_view text);

} // namespace tf
