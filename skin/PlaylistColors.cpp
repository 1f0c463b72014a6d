#include "skin/PlaylistColors.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <QCoreApplication>
#include <algorithm>

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

void ReadPlaylistColors(SkinState& state, const std::filesystem::path& path, Prompts* prompts)
{
    if (!SourceFilesOf(state).isRegularFile(path)) {
        state.PlaylistNormalColor = kClassicPlaylistNormal;
        state.PlaylistCurrentColor = kClassicPlaylistCurrent;
        state.PlaylistNormalBGColor = kClassicPlaylistNormalBG;
        state.PlaylistSelectedBGColor = kClassicPlaylistSelectedBG;
        return;
    }
    const IniFile ini = IniFile::Load(SourceFilesOf(state), path);
    const auto read = [&](std::string_view key) {
        std::string value = ini.readString("Text", key, "#000000");
        value.erase(std::min(value.find_first_of(" \t;"), value.size()));
        try {
            return ParseSkinColor(value);
        } catch (const AppError&) {
            if (prompts)
                prompts->showMessage(
                    MessageIcon::Warning, QCoreApplication::translate("Skin", "注意"),
                    QCoreApplication::translate("Skin", "%1: %2 の値 '%3' は色として読めないため、黒にしました")
                        .arg(state.SourceNames(path), QString::fromLatin1(key.data(), qsizetype(key.size())),
                             DecodeCp932(value)));
            return kBlack;
        }
    };
    state.PlaylistNormalColor = read("Normal");
    state.PlaylistCurrentColor = read("Current");
    state.PlaylistNormalBGColor = read("NormalBG");
    state.PlaylistSelectedBGColor = read("SelectedBG");
}

} // namespace tf
