#include "korvel/KorvelDefinition.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "platform/TextFile.h"

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Blanks never occur inside a Shift-JIS double-byte character (its second
// byte is 0x40 or above), so splitting the bytes at them is safe.
std::vector<std::string> SplitAtBlanks(std::string_view text)
{
    std::vector<std::string> values;
    values.reserve(4); // a rectangle and its action, at most, on most lines
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        const size_t start = at;
        while (at < text.size() && !IsBlank(text[at]))
            ++at;
        if (at > start)
            values.emplace_back(text.substr(start, at - start));
    }
    return values;
}

std::optional<DefinitionLine> ParseLine(std::string_view line, int number)
{
    size_t start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    line.remove_prefix(start);
    if (line.empty() || line.front() == '#')
        return std::nullopt;
    DefinitionLine parsed;
    parsed.Number = number;
    size_t keyEnd = 0;
    while (keyEnd < line.size() && !IsBlank(line[keyEnd]))
        ++keyEnd;
    parsed.Key = std::string(line.substr(0, keyEnd));
    if (keyEnd < line.size())
        parsed.Text = std::string(line.substr(keyEnd + 1));
    parsed.Values = SplitAtBlanks(parsed.Text);
    return parsed;
}

// The same for keys that are the same without regard to ASCII letter case:
// the view looks up some fifty keys among a hundred and fifty lines after
// every change of a setting.
uint32_t KeyHash(std::string_view key)
{
    uint32_t hash = 2166136261u;
    for (const char c : key)
        hash = (hash ^ uint8_t(ToLowerAscii(c))) * 16777619u;
    return hash;
}

} // namespace

std::optional<int32_t> DefinitionLine::integer(size_t index) const
{
    if (index >= Values.size())
        return std::nullopt;
    return ParseInteger(Values[index]);
}

std::optional<Rect> DefinitionLine::rect() const
{
    const auto left = integer(0), top = integer(1), right = integer(2), bottom = integer(3);
    if (!left || !top || !right || !bottom)
        return std::nullopt;
    return Rect{*left, *top, *right, *bottom};
}

std::optional<Color> DefinitionLine::color() const
{
    const auto red = integer(0), green = integer(1), blue = integer(2);
    const auto inByte = [](const std::optional<int32_t>& v) { return v && *v >= 0 && *v <= 255; };
    if (Values.size() != 3 || !inByte(red) || !inByte(green) || !inByte(blue))
        return std::nullopt;
    return MakeColor(*red, *green, *blue);
}

std::optional<bool> DefinitionLine::flag() const
{
    if (Values.size() != 1)
        return std::nullopt;
    const auto value = integer(0);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

KorvelDefinition KorvelDefinition::Parse(std::string_view bytes, fs::path path)
{
    KorvelDefinition definition;
    definition.m_path = std::move(path);
    int number = 0;
    ForEachLine(bytes, [&](std::string_view line) {
        ++number;
        if (auto parsed = ParseLine(line, number)) {
            definition.m_keyHashes.push_back(KeyHash(parsed->Key));
            definition.m_lines.push_back(std::move(*parsed));
        }
    });
    return definition;
}

KorvelDefinition KorvelDefinition::Load(const fs::path& path)
{
    return Parse(ReadFileBytes(path), path);
}

const DefinitionLine* KorvelDefinition::find(std::string_view key) const
{
    const uint32_t hash = KeyHash(key);
    for (size_t i = 0; i < m_keyHashes.size(); ++i)
        if (m_keyHashes[i] == hash && EqualsNoCase(m_lines[i].Key, key))
            return &m_lines[i];
    return nullptr;
}

std::vector<const DefinitionLine*> KorvelDefinition::findAll(std::string_view key) const
{
    std::vector<const DefinitionLine*> found;
    for (const DefinitionLine& line : m_lines)
        if (EqualsNoCase(line.Key, key))
            found.push_back(&line);
    return found;
}

std::optional<Rect> KorvelDefinition::rect(std::string_view key) const
{
    const DefinitionLine* line = find(key);
    return line ? line->rect() : std::nullopt;
}

std::optional<int32_t> KorvelDefinition::integer(std::string_view key, size_t index) const
{
    const DefinitionLine* line = find(key);
    return line ? line->integer(index) : std::nullopt;
}

std::optional<Color> KorvelDefinition::color(std::string_view key) const
{
    const DefinitionLine* line = find(key);
    return line ? line->color() : std::nullopt;
}

std::optional<bool> KorvelDefinition::flag(std::string_view key) const
{
    const DefinitionLine* line = find(key);
    return line ? line->flag() : std::nullopt;
}

std::optional<std::string> KorvelDefinition::text(std::string_view key) const
{
    const DefinitionLine* line = find(key);
    if (!line)
        return std::nullopt;
    return line->Text;
}

std::optional<fs::path> KorvelDefinition::findBeside(std::string_view cp932Name) const
{
    if (m_path.empty() || cp932Name.empty())
        return std::nullopt;
    const fs::path folder = m_path.has_parent_path() ? m_path.parent_path() : fs::path(".");
    return FindFileNoCase(folder, DecodeCp932(cp932Name).toStdString());
}

} // namespace tf
