#include "platform/SplitRule.h"

#include "platform/Numbers.h"

namespace tf {
namespace {

bool IsBlankCode(unsigned char c) { return c >= 1 && c <= 32; }

// Items of the split rule. The text ends at its end or at a zero byte.
std::vector<std::string> SplitItems(std::string_view text, char delimiter)
{
    std::vector<std::string> items;
    const auto at = [&](size_t i) -> unsigned char {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    };
    const auto delim = static_cast<unsigned char>(delimiter);
    size_t p = 0;
    while (IsBlankCode(at(p)))
        ++p;
    while (at(p) != 0) {
        std::string item;
        if (at(p) == '"') {
            ++p;
            while (at(p) != 0) {
                if (at(p) == '"') {
                    if (at(p + 1) == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += char(at(p));
                ++p;
            }
        } else {
            const size_t start = p;
            while (at(p) > 32 && at(p) != delim)
                ++p;
            item.assign(text.substr(start, p - start));
        }
        items.push_back(std::move(item));
        while (IsBlankCode(at(p)))
            ++p;
        if (at(p) == delim && at(p) != 0) {
            if (at(p + 1) == 0)
                items.emplace_back();
            do
                ++p;
            while (IsBlankCode(at(p)));
        }
    }
    return items;
}

} // namespace

int SplitToList(std::string_view text, char delimiter, TStringList& list)
{
    if (text.empty() || delimiter == '\0')
        return 0;
    list = SplitItems(text, delimiter);
    return int(list.size());
}

int SplitToIntegers(std::string_view text, char delimiter, TIntegerArray& values)
{
    if (text.empty() || delimiter == '\0')
        return 0;
    values.clear();
    for (const std::string& item : SplitItems(text, delimiter))
        values.push_back(ParseInteger(item).value_or(0));
    return int(values.size());
}

int SplitToPoints(std::string_view text, char delimiter, TPointArray& points)
{
    TIntegerArray values;
    if (text.empty() || delimiter == '\0')
        return 0;
    SplitToIntegers(text, delimiter, values);
    points.clear();
    for (size_t i = 0; i + 1 < values.size(); i += 2)
        points.push_back({values[i], values[i + 1]});
    return int(points.size());
}

std::string NumericPrefix(std::string_view text)
{
    size_t length = 0;
    while (length < text.size()) {
        const char c = text[length];
        if (!((c >= '0' && c <= '9') || c == ',' || c == ' '))
            break;
        ++length;
    }
    return std::string(text.substr(0, length));
}

} // namespace tf
