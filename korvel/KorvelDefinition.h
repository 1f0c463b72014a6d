#pragma once

// Reading a Korvel skin definition file (.ssf): Shift-JIS lines, each a key,
// a blank and its values separated by blanks; "#" comment lines and empty
// lines carry nothing. Values stay the bytes of the file.

#include "platform/Color.h"
#include "platform/Geometry.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

struct DefinitionLine {
    int Number = 0;    // from 1, counting comment and empty lines
    std::string Key;   // as written
    std::string Text;  // everything after the key and its blank, blanks included
    std::vector<std::string> Values; // text split at blanks

    // Typed readings; nothing when the values do not have that form.
    std::optional<int32_t> integer(size_t index = 0) const;
    // The first four values; a button's action may follow them.
    std::optional<Rect> rect() const;
    // Three values "r g b", each 0 to 255.
    std::optional<Color> color() const;
    // "0" clear, any other integer set.
    std::optional<bool> flag() const;
};

class KorvelDefinition {
public:
    KorvelDefinition() = default;

    // path is where the file is (or would be): its folder holds the bitmaps.
    // Empty for a definition that exists only in memory.
    static KorvelDefinition Parse(std::string_view bytes, std::filesystem::path path = {});
    // Throws AppError(FileOpen) naming the file when it cannot be read.
    static KorvelDefinition Load(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return m_path; }
    const std::vector<DefinitionLine>& lines() const { return m_lines; }

    // Keys compare without regard to ASCII letter case. The first line of
    // the key, or every line of it in file order.
    const DefinitionLine* find(std::string_view key) const;
    std::vector<const DefinitionLine*> findAll(std::string_view key) const;

    // Readings of the first line of the key; nothing when it is absent or
    // malformed.
    std::optional<Rect> rect(std::string_view key) const;
    std::optional<int32_t> integer(std::string_view key, size_t index = 0) const;
    std::optional<Color> color(std::string_view key) const;
    std::optional<bool> flag(std::string_view key) const;
    // The text after the key, as bytes (a font name keeps its blanks).
    std::optional<std::string> text(std::string_view key) const;

    // The file a value names (CP932 bytes), looked up beside the definition
    // without regard to letter case; nothing when absent or in memory.
    std::optional<std::filesystem::path> findBeside(std::string_view cp932Name) const;

private:
    std::filesystem::path m_path;
    std::vector<DefinitionLine> m_lines;
    std::vector<uint32_t> m_keyHashes; // one per line, for find
};

} // namespace tf
