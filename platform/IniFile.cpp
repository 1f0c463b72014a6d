#include "platform/IniFile.h"

#include "platform/AsciiCase.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <system_error>

namespace tf {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > IniFile::kMaxValueBytes)
        value = value.substr(0, IniFile::kMaxValueBytes);
    return std::string(value);
}

} // namespace

IniFile IniFile::Parse(std::string_view text)
{
    IniFile file;
    std::string current;
    bool inSection = false;
    for (std::string& raw : SplitLines(text)) {
        Line line;
        const std::string_view body = Trim(raw);
        if (!body.empty() && body.front() == '[') {
            const size_t close = body.find(']');
            const std::string_view name = close == std::string_view::npos
                ? body.substr(1)
                : body.substr(1, close - 1);
            current = ToLowerAscii(Trim(name));
            inSection = true;
            line.header = true;
            line.section = current;
        } else if (inSection && !body.empty() && body.front() != ';') {
            const size_t equals = body.find('=');
            if (equals != std::string_view::npos) {
                line.section = current;
                line.key = ToLowerAscii(Trim(body.substr(0, equals)));
                line.value = Unquote(Trim(body.substr(equals + 1)));
            }
        }
        line.text = std::move(raw);
        file.m_lines.push_back(std::move(line));
    }
    return file;
}

IniFile IniFile::Load(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    return Parse(ReadFileBytes(path));
}

const IniFile::Line* IniFile::find(std::string_view section, std::string_view key) const
{
    const std::string wantedSection = ToLowerAscii(Trim(section));
    const std::string wantedKey = ToLowerAscii(Trim(key));
    for (const Line& line : m_lines)
        if (!line.header && !line.key.empty() && line.section == wantedSection
            && line.key == wantedKey)
            return &line;
    return nullptr;
}

bool IniFile::hasSection(std::string_view section) const
{
    const std::string wanted = ToLowerAscii(Trim(section));
    return std::any_of(m_lines.begin(), m_lines.end(), [&](const Line& line) {
        return !line.header && !line.key.empty() && line.section == wanted;
    });
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const
{
    return find(section, key) != nullptr;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    if (const Line* line = find(section, key))
        return line->value;
    return std::nullopt;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const
{
    const auto found = value(section, key);
    return found ? *found : std::string(fallback);
}

int32_t IniFile::readInteger(std::string_view section, std::string_view key, int32_t fallback) const
{
    const auto found = value(section, key);
    if (!found)
        return fallback;
    return ParseInteger(*found).value_or(fallback);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string wantedSection = ToLowerAscii(Trim(section));
    const std::string wantedKey = ToLowerAscii(Trim(key));
    Line written;
    written.text = std::string(Trim(key)) + "=" + std::string(value);
    written.section = wantedSection;
    written.key = wantedKey;
    written.value = Unquote(Trim(value));

    for (Line& line : m_lines)
        if (!line.header && line.section == wantedSection && line.key == wantedKey) {
            line = std::move(written);
            return;
        }
    // After the last line of the first section of that name.
    auto header = std::find_if(m_lines.begin(), m_lines.end(), [&](const Line& line) {
        return line.header && line.section == wantedSection;
    });
    if (header == m_lines.end()) {
        Line newHeader;
        newHeader.text = "[" + std::string(Trim(section)) + "]";
        newHeader.section = wantedSection;
        newHeader.header = true;
        m_lines.push_back(std::move(newHeader));
        m_lines.push_back(std::move(written));
        return;
    }
    auto end = std::next(header);
    auto lastKey = header;
    for (; end != m_lines.end() && !end->header; ++end)
        if (!end->key.empty())
            lastKey = end;
    m_lines.insert(std::next(lastKey), std::move(written));
}

std::string IniFile::serialize() const
{
    std::string text;
    for (const Line& line : m_lines) {
        text += line.text;
        text += "\r\n";
    }
    return text;
}

} // namespace tf
