#include "skin/SkinTextFiles.h"

#include "platform/FileSystem.h"
#include "platform/FontSize.h"
#include "platform/IniFile.h"
#include "platform/IniLineLookup.h"
#include "platform/SplitRule.h"
#include "skin/GrowRect.h"

#include <QCoreApplication>

namespace tf {
namespace {

constexpr std::string_view kSexyFontSection = "YunaSoft SexyFont Plug-In";
constexpr std::string_view kMaronSection = "MARON";
constexpr std::string_view kDefaultFontFace = "MS UI Gothic";

// A display part is switched off when its alpha is 1 and its opacity 0.
bool SwitchedOff(const IniFile& ini, std::string_view alphaKey, std::string_view opacityKey)
{
    const int32_t alpha = ini.readInteger(kSexyFontSection, alphaKey, -1);
    const int32_t opacity = ini.readInteger(kSexyFontSection, opacityKey, -1);
    return alpha == 1 && opacity == 0;
}

int32_t ReadIfPresent(const IniFile& ini, std::string_view key)
{
    return ini.hasKey(kSexyFontSection, key) ? ini.readInteger(kSexyFontSection, key, 0) : 0;
}

// A font size within what the player draws; one beyond it is brought into
// range with a warning naming the file and the value.
int32_t ReadFontSize(const IniFile& ini, std::string_view key, Prompts& prompts, const std::filesystem::path& path)
{
    const int32_t size = ini.readInteger(kSexyFontSection, key, 8);
    if (IsDrawableFontSize(size))
        return size;
    const int32_t drawn = ClampFontSize(size);
    prompts.showMessage(MessageIcon::Warning, QCoreApplication::translate("Skin", "注意"),
                        QCoreApplication::translate("Skin", "%1 の %2=%3 は大きすぎます。%4 にします")
                            .arg(PathToQString(path.filename()), QString::fromUtf8(key.data(), qsizetype(key.size())))
                            .arg(size)
                            .arg(drawn));
    return drawn;
}

} // namespace

std::optional<Region> MakePolygonRegion(const TPointArray& points, const TIntegerArray& counts)
{
    return Region::FromPolygons(points, counts, kWindowImageRect);
}

std::optional<Region> ReadRegion(const TStringList& lines, std::string_view section,
                                 TIntegerArray& counts, TPointArray& points)
{
    SplitToIntegers(ReadIniValue(lines, section, "NumPoints"), ',', counts);
    SplitToPoints(ReadIniValue(lines, section, "PointList"), ',', points);
    return MakePolygonRegion(points, counts);
}

void ApplySexyFont(SkinState& state, EditorSettings& editor, Prompts& prompts,
                   const std::filesystem::path& path)
{
    const IniFile ini = IniFile::Load(SourceFilesOf(state), path);
    if (!ini.hasSection(kSexyFontSection))
        return;

    const Rect delta{ReadIfPresent(ini, "OffsetLeft"), ReadIfPresent(ini, "OffsetTop"),
                     ReadIfPresent(ini, "OffsetRight"), ReadIfPresent(ini, "OffsetBottom")};
    state.ScrollTextRect() = GrowRect(prompts, state.ScrollTextRect(), delta);

    // The load renders the time digits afterwards with this setting.
    if (ini.hasKey(kSexyFontSection, "TransparentTime"))
        editor.TransparentTime = ini.readBool(kSexyFontSection, "TransparentTime", true);

    // The display switches are only ever cleared here; the load set them.
    if (SwitchedOff(ini, "Alpha", "Opacity"))
        state.ShowScrollText = false;
    if (SwitchedOff(ini, "AlphaTime", "OpacityTime"))
        state.ShowTime = false;
    if (SwitchedOff(ini, "AlphaInfo", "OpacityInfo"))
        state.ShowInfo = false;
    if (ini.readBool(kSexyFontSection, "LockSeekBar", false))
        state.ShowSeekBar = false;

    TFontSetting& scroll = state.ScrollTextFont();
    scroll.Name = ini.readString(kSexyFontSection, "FontFace", kDefaultFontFace);
    scroll.Size = ReadFontSize(ini, "FontSize", prompts, path);
    scroll.Bold = ini.readBool(kSexyFontSection, "FontBold", false);
    scroll.Italic = ini.readBool(kSexyFontSection, "FontItalic", false);
    scroll.Shadow = ini.readBool(kSexyFontSection, "DropShadow", true);

    if (ini.readBool(kSexyFontSection, "ShadowInfo", false)) {
        state.InfoFont().Shadow = true;
        state.TimeFont().Shadow = true;
    } else {
        state.InfoFont().Shadow = ini.readBool(kSexyFontSection, "DropShadowInfo", true);
        state.TimeFont().Shadow = ini.readBool(kSexyFontSection, "DropShadowTime", true);
    }

    state.PlaylistFont().Name = ini.readString(kSexyFontSection, "FontFacePE", kDefaultFontFace);
    state.PlaylistFont().Size = ReadFontSize(ini, "FontSizePE", prompts, path);
}

void ApplyMaron(SkinState& state, const std::filesystem::path& path)
{
    const IniFile ini = IniFile::Load(SourceFilesOf(state), path);
    if (ini.hasSection(kMaronSection))
        state.ShowAnalyzer = ini.readBool(kMaronSection, "Enable", true);
}

} // namespace tf
