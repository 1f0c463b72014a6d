#pragma once

// Letter case of the ASCII letters only: the names in skin and data files
// are compared as the Windows file and INI functions compare them, and a
// locale must not change that.

#include <string>
#include <string_view>

namespace tf {

inline char ToLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

inline std::string ToLowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = ToLowerAscii(c);
    return lower;
}

// Whether text starts with prefix, without regard to ASCII case.
inline bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (ToLowerAscii(text[i]) != ToLowerAscii(prefix[i]))
            return false;
    return true;
}

} // namespace tf
