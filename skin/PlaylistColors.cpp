#include "skin/PlaylistColors.h"

#include "platform/IniFile.h"
#include "platform/Numbers.h"

#include <string>

namespace tf {

Color ParseSkinColor(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    if (!upper.empty() && (upper.front() == '#' || upper.front() == '$') && upper.size() > 6)
        upper.erase(0, upper.size() - 6);
    // Each pair is shorter, or empty, when the text runs out.
    const std::string red = upper.substr(0, 2);
    const std::string green = upper.size() > 2 ? upper.substr(2, 2) : std::string();
    const std::string blue = upper.size() > 4 ? upper.substr(4, 2) : std::string();
    // Blue first: the number is read in the colour layout, red in the low byte.
    return Color(uint32_t(StrToInt("$" + blue + green + red)));
}

void ReadPlaylistColors(SkinState& state, const std::filesystem::path& path)
{
    const IniFile ini = IniFile::Load(path);
    const auto read = [&ini](std::string_view key) {
        return ParseSkinColor(ini.readString("Text", key, "#000000"));
    };
    state.PlaylistNormalColor = read("Normal");
    state.PlaylistCurrentColor = read("Current");
    state.PlaylistNormalBGColor = read("NormalBG");
    state.PlaylistSelectedBGColor = read("SelectedBG");
}

} // namespace tf
