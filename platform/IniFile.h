#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

class FileSource;

// A Windows private-profile file, read and written the way the Windows
// profile functions do it: "[section]" lines open sections, "key=value" lines
// give values; section and key names match without regard to ASCII case;
// blanks around keys and values are dropped and a value in matching single or
// double quotes loses them; values are at most 2047 bytes. Text stays bytes
// (Shift-JIS as stored). Writing keeps every other line of the file as it was.
class IniFile {
public:
    static constexpr size_t kMaxValueBytes = 2047;

    static IniFile Parse(std::string_view text);
    // A missing file reads as an empty one, as the profile functions treat it.
    static IniFile Load(const std::filesystem::path& path);
    static IniFile Load(const FileSource& source, const std::filesystem::path& path);

    // Present only when it holds at least one key.
    bool hasSection(std::string_view section) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // The integer rule (ParseInteger); anything else yields the fallback.
    int32_t readInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    // Read as an integer: non-zero is true; a non-integer yields the fallback.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;

    // Replaces the key's value in place, or adds the key at the end of its
    // section, or adds the section at the end of the file.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Lines joined with CR LF, the last one included.
    std::string serialize() const;

private:
    // Only headers and key lines have an entry: a file of blank lines or
    // comments costs little more than its text.
    struct Entry {
        std::string Section; // lower case; for a header, its own name
        std::string Key;     // lower case; empty for a header
        std::string Value;   // trimmed and unquoted
        bool Header = false;
    };
    struct Line {
        std::string Text; // as read or as written
        int32_t Entry = -1;
    };
    const Entry* entryOf(const Line& line) const
    {
        return line.Entry < 0 ? nullptr : &m_entries[size_t(line.Entry)];
    }
    const Entry* find(std::string_view section, std::string_view key) const;
    void addLine(std::string text, std::optional<Entry> entry, std::vector<Line>::iterator where);

    std::vector<Line> m_lines;
    std::vector<Entry> m_entries;
};

} // namespace tf
