#include "platform/IniFile.h"

#include "platform/AsciiCase.h"
#include "platform/FileSource.h"
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
    ForEachLine(text, [&](std::string_view raw) {
        std::optional<Entry> entry;
        const std::string_view body = Trim(raw);
        if (!body.empty() && body.front() == '[') {
            const size_t close = body.find(']');
            const std::string_view name = close == std::string_view::npos
                ? body.substr(1)
                : body.substr(1, close - 1);
            current = ToLowerAscii(Trim(name));
            inSection = true;
            entry = Entry{current, {}, {}, true};
        } else if (inSection && !body.empty() && body.front() != ';') {
            const size_t equals = body.find('=');
            if (equals != std::string_view::npos)
                entry = Entry{current, ToLowerAscii(Trim(body.substr(0, equals))),
                              Unquote(Trim(body.substr(equals + 1))), false};
        }
        file.addLine(std::string(raw), std::move(entry), file.m_lines.end());
    });
    return file;
}

IniFile IniFile::Load(const std::filesystem::path& path)
{
    return Load(DiskFiles(), path);
}

IniFile IniFile::Load(const FileSource& source, const std::filesystem::path& path)
{
    if (!source.isRegularFile(path))
        return {};
    return Parse(source.read(path, kMaxTextFileBytes).view());
}

void IniFile::addLine(std::string text, std::optional<Entry> entry, std::vector<Line>::iterator where)
{
    Line line{std::move(text), -1};
    if (entry) {
        line.Entry = int32_t(m_entries.size());
        m_entries.push_back(std::move(*entry));
    }
    m_lines.insert(where, std::move(line));
}

const IniFile::Entry* IniFile::find(std::string_view section, std::string_view key) const
{
    const std::string wantedSection = ToLowerAscii(Trim(section));
    const std::string wantedKey = ToLowerAscii(Trim(key));
    for (const Line& line : m_lines)
        if (const Entry* entry = entryOf(line))
            if (!entry->Header && !entry->Key.empty() && entry->Section == wantedSection
                && entry->Key == wantedKey)
                return entry;
    return nullptr;
}

bool IniFile::hasSection(std::string_view section) const
{
    const std::string wanted = ToLowerAscii(Trim(section));
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
        return !entry.Header && !entry.Key.empty() && entry.Section == wanted;
    });
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const
{
    return find(section, key) != nullptr;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    if (const Entry* entry = find(section, key))
        return entry->Value;
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
    std::string text = std::string(Trim(key)) + "=" + std::string(value);
    Entry written{wantedSection, wantedKey, Unquote(Trim(value)), false};

    for (Line& line : m_lines)
        if (line.Entry >= 0) {
            Entry& entry = m_entries[size_t(line.Entry)];
            if (!entry.Header && entry.Section == wantedSection && entry.Key == wantedKey) {
                line.Text = std::move(text);
                entry = std::move(written);
                return;
            }
        }
    // After the last line of the first section of that name.
    const auto isHeader = [&](const Line& line) {
        const Entry* entry = entryOf(line);
        return entry && entry->Header;
    };
    auto header = std::find_if(m_lines.begin(), m_lines.end(), [&](const Line& line) {
        return isHeader(line) && entryOf(line)->Section == wantedSection;
    });
    if (header == m_lines.end()) {
        addLine("[" + std::string(Trim(section)) + "]", Entry{wantedSection, {}, {}, true}, m_lines.end());
        addLine(std::move(text), std::move(written), m_lines.end());
        return;
    }
    auto end = std::next(header);
    auto lastKey = header;
    for (; end != m_lines.end() && !isHeader(*end); ++end)
        if (const Entry* entry = entryOf(*end); entry && !entry->Key.empty())
            lastKey = end;
    addLine(std::move(text), std::move(written), std::next(lastKey));
}

std::string IniFile::serialize() const
{
    std::string text;
    for (const Line& line : m_lines) {
        text += line.Text;
        text += "\r\n";
    }
    return text;
}

} // namespace tf
