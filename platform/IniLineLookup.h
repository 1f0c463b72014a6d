#pragma once

#include "platform/SplitRule.h"

#include <string>
#include <string_view>

namespace tf {

// The value of key in section, looked up as the skin region files need it:
// from the first line that starts with "[section]" on, the remainder (after
// the key and one more character) of the first line that starts with key,
// without regard to case, also in a later section. Empty when not found.
std::string ReadIniValue(const TStringList& lines, std::string_view section, std::string_view key);

} // namespace tf
