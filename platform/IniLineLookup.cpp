#include "platform/IniLineLookup.h"

#include "platform/AsciiCase.h"
#include "platform/SplitRule.h"

namespace tf {

std::string ReadIniValue(const TStringList& lines, std::string_view section, std::string_view key)
{
    if (section.empty() || key.empty() || lines.empty())
        return {};
    const std::string header = "[" + std::string(section) + "]";
    bool found = false;
    for (const std::string& line : lines) {
        if (StartsWithNoCase(line, header))
            found = true;
        if (found && StartsWithNoCase(line, key)) {
            const long long count = (long long)line.size() - (long long)key.size() - 1;
            if (count <= 0)
                return {};
            return line.substr(line.size() - size_t(count));
        }
    }
    return {};
}

} // namespace tf
