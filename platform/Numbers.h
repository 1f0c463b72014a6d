#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tf {

// The integer rule of the skin and data files: optional leading blanks (codes
// 1 to 32), an optional sign, then a decimal integer within the signed 32-bit
// range or a hexadecimal one introduced by "$", "0x" or "0X" of at most 32
// bits (its bit pattern, so "$FFFFFFFF" is -1). Nothing may follow.
std::optional<int32_t> ParseInteger(std::string_view text);

// Whether the whole text is an integer by that rule.
bool IsNumber(std::string_view text);
// The integer of a text, or the conversion error "'%s' は整数ではありません".
int32_t StrToInt(std::string_view text);

// Windows MulDiv: a * b / c rounded half away from zero.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

} // namespace tf
