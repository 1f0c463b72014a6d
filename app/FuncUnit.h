#pragma once

// The system's small library of text and number helpers, and the gradient
// painter. None of them keeps state.

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

using TIntegerArray = std::vector<int32_t>;
using TPointArray = std::vector<Point>;
using TStringList = std::vector<std::string>;

// folder + name, with one separator between them.
std::string JoinPath(std::string_view folder, std::string_view name);

// Makes every entry of the folder writable; deletes its files (and links,
// which are never followed) and adds its subfolders to subfolders. Failures
// are ignored.
void ClearFolder(const std::filesystem::path& folder, std::vector<std::filesystem::path>& subfolders);
// Deletes everything below the folder, breadth first, and the folder itself
// when removeRoot. Never fails and never follows a symbolic link.
void DeleteTree(const std::filesystem::path& folder, bool removeRoot);

// The leading run of digits, commas and blanks (code 32) of a text.
std::string NumericPrefix(std::string_view text);

// The value of key in section, looked up as the skin region files need it:
// from the first line that starts with "[section]" on, the remainder (after
// the key and one more character) of the first line that starts with key,
// without regard to case, also in a later section. Empty when not found.
std::string ReadIniValue(const TStringList& lines, std::string_view section, std::string_view key);

std::string RectToStr(const Rect& rect, std::string_view separator);
std::string RectToText(const Rect& rect); // "1 2 3 4"
// Each text parsed as an integer without a check (bottom first, then right,
// top, left); a text that is not one raises the conversion error.
Rect StrToRect(std::string_view left, std::string_view top, std::string_view right,
               std::string_view bottom);

// Splits at a one-character delimiter with the split rule: leading codes 1 to
// 32 skipped; a quoted item runs to its closing quote ("" stands for one); any
// other item ends at the delimiter or at a code 1 to 32; two delimiters give
// an empty item between them, a final delimiter a final empty item. An empty
// text or a zero delimiter returns 0 and leaves the output unchanged.
int SplitToList(std::string_view text, char delimiter, TStringList& list);
int SplitToIntegers(std::string_view text, char delimiter, TIntegerArray& values);
int SplitToPoints(std::string_view text, char delimiter, TPointArray& points);

bool IsNumber(std::string_view text);
// The integer of a text, or the conversion error "'%s' は整数ではありません".
int32_t StrToInt(std::string_view text);

// Mode 0 fills the rectangle with colours[0]; mode 1 draws a gradient from
// colours[0] to colours[1] in one-pixel lines, column by column (direction 0)
// or row by row (direction 1). Returns the milliseconds spent.
int PaintGradient(const Rect& rect, Bitmap& canvas, int direction, int mode,
                  const std::array<Color, 2>& colours);

} // namespace tf
