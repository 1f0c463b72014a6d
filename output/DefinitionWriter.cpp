#include "output/DefinitionWriter.h"

#include "output/PositionMask.h"
#include "platform/FileSystem.h"
#include "platform/RectText.h"
#include "platform/ShiftJis.h"
#include "platform/SplitRule.h"
#include "skin/SliderStrips.h"

#include <QSize>

#include <array>
#include <cstdio>

namespace fs = std::filesystem;

namespace tf {
namespace {

// "#曲情報を表示するフォント" and 24 "-" in Shift-JIS. Byte 11 (5C) is the
// second byte of 表 and must stay as it is.
constexpr std::string_view kSongInfoCommentLine =
    "\x23\x8B\xC8\x8F\xEE\x95\xF1\x82\xF0\x95\x5C\x8E\xA6\x82\xB7\x82\xE9\x83\x74\x83\x48"
    "\x83\x93\x83\x67"
    "------------------------";

// "ＭＳ ゴシック" in Shift-JIS.
constexpr std::string_view kMsGothicName =
    "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

struct ButtonLine {
    std::string_view key;
    Rect rect;
    std::string_view action;
};

// Fixed places of the main window's buttons in the 275 x 116 image.
constexpr std::array<ButtonLine, 16> kButtonLines = {{
    {"MinimizeButton ", {244, 3, 253, 12}, " Minimize"},
    {"ChangeSkinButton ", {254, 3, 263, 12}, " Small 0"},
    {"CloseButton ", {264, 3, 273, 12}, " Close"},
    {"PreviousSongButton ", {16, 88, 39, 106}, " Prev"},
    {"PlayButton ", {39, 88, 62, 106}, " Play"},
    {"PauseButton ", {62, 88, 85, 106}, " Pause"},
    {"StopButton ", {85, 88, 108, 106}, " Stop"},
    {"NextSongButton ", {108, 88, 130, 106}, " Next"},
    {"OpenButton ", {136, 89, 158, 105}, " Open"},
    {"PlayListButton ", {242, 58, 265, 70}, " PlayList"},
    {"RandomButton ", {164, 89, 211, 104}, " Random"},
    {"LoopButton ", {210, 89, 238, 104}, " Loop"},
    {"AboutButton ", {253, 91, 266, 106}, " About"},
    {"ConfigButton ", {10, 24, 18, 32}, " Config"},
    {"SongModeMonoWindowField ", {212, 41, 239, 53}, " Mono"},
    {"SongModeStereoWindowField ", {239, 41, 268, 53}, " Stereo"},
}};

constexpr Rect kTimeFieldBase{52, 26, 97, 26}; // bottom grows by the glyph height
constexpr Rect kSpectrumField{24, 43, 101, 59};
constexpr Rect kSongKbpsField{110, 40, 125, 50};
constexpr Rect kSongKhzField{156, 40, 166, 50};
constexpr Rect kSeekBarField{16, 72, 265, 82};
constexpr Rect kEqToggleButton{219, 58, 243, 70};
constexpr Rect kCloseEqButton{264, 3, 273, 12};

std::string FlagText(bool flag) { return flag ? "1" : "0"; }
std::string IntText(int64_t value) { return std::to_string(value); }

// File names go into the file in the encoding the definition file has.
std::string NameText(const std::string& name)
{
    return EncodeCp932(PathToQString(PathFromString(name)));
}

class MainSectionWriter {
public:
    MainSectionWriter(TStringList& lines, const SkinSession& session, int32_t mainOffset)
        : m_lines(lines), m_session(session), m_state(session.State), m_offset(mainOffset)
    {
    }

    void writeButtons();
    void writeSongInformation();
    void writeTime();
    void writeAnalyzer();
    void writeInfo();
    void writeSeekBar();
    void writePan(bool eqMasks);
    void writeVolume(bool eqMasks);

private:
    void add(std::string line) { m_lines.push_back(std::move(line)); }
    std::string placed(const Rect& rect) const { return RectToText(rect.translated(0, m_offset)); }
    void addField(std::string_view key, const Rect& rect, std::string_view action = {})
    {
        add(std::string(key) + placed(rect) + std::string(action));
    }
    void addInfoField(std::string_view prefix, const Rect& rect);

    TStringList& m_lines;
    const SkinSession& m_session;
    const SkinState& m_state;
    int32_t m_offset;
};

void MainSectionWriter::writeButtons()
{
    add(std::string(kSeparatorLine));
    add("SetTargetSSF Small.ssf");
    for (const ButtonLine& button : kButtonLines)
        addField(button.key, button.rect, button.action);
}

void MainSectionWriter::writeSongInformation()
{
    if (!m_state.ShowScrollText)
        return;
    const TFontSetting& font = m_state.ScrollTextFont();
    add(std::string(kSongInfoCommentLine));
    addField("SongInfoField ", m_state.ScrollTextRect(), " SongInfomation");
    add("SongInformationFontName " + font.Name);
    add("SongInformationFontSize " + IntText(font.Size));
    add("SongInformationFontColor " + ColorToRGBText(m_state.TextColor));
    add("SongInformationFontBold " + FlagText(font.Bold));
    add("SongInformationFontItalic " + FlagText(font.Italic));
    add("SongInformationFontShadow " + FlagText(font.Shadow));
    if (font.Shadow)
        add("SongInformationFontShadowColor " + ColorToRGBText(m_state.ShadowColor));
}

void MainSectionWriter::writeTime()
{
    // Never a line naming a picture that is not written.
    if (!m_state.ShowTime || m_session.Previews.TimeDigits.isEmpty())
        return;
    const int32_t glyphHeight = m_session.Previews.TimeDigits.height();
    Rect field = kTimeFieldBase;
    field.bottom = Rect::WrapAdd(field.bottom, glyphHeight);
    add(std::string(kSeparatorLine));
    addField("TimeField ", field);
    add("TimeFontType BMP");
    add("TimeFontBitmap Numbers.bmp");
    add("TimeFontBitmapSize 9 " + IntText(glyphHeight));
    if (m_session.Editor.TransparentTime)
        add("TimeFontTransparent 1");
}

void MainSectionWriter::writeAnalyzer()
{
    if (!m_state.ShowAnalyzer || m_session.Previews.Analyzer.isEmpty())
        return;
    add(std::string(kSeparatorLine));
    add("SpectrumPattern Analyzer.bmp");
    add("SpectrumPatternType 0");
    addField("SpectrumField ", kSpectrumField, " Analyzer");
    add("SpectrumPeakColor " + ColorToRGBText(m_state.PeakColor));
}

// Bit rate and frequency share one layout and one shadow flag.
void MainSectionWriter::addInfoField(std::string_view prefix, const Rect& rect)
{
    const std::string key(prefix);
    const bool shadow = m_state.InfoFont().Shadow;
    add(std::string(kSeparatorLine));
    addField(key + "Field ", rect);
    add(key + "FontType FONT");
    add(key + "FontName MS UI Gothic");
    add(key + "FontSize 7");
    add(key + "FontColor " + ColorToRGBText(m_state.TextColor));
    add(key + "FontShadow " + FlagText(shadow));
    if (shadow)
        add(key + "FontShadowColor " + ColorToRGBText(m_state.ShadowColor));
}

void MainSectionWriter::writeInfo()
{
    if (!m_state.ShowInfo)
        return;
    addInfoField("SongKbps", kSongKbpsField);
    addInfoField("SongKhz", kSongKhzField);
}

void MainSectionWriter::writeSeekBar()
{
    if (!m_state.ShowSeekBar || m_state.PosBarImage1.isEmpty() || m_state.PosBarImage2.isEmpty())
        return;
    add(std::string(kSeparatorLine));
    addField("SeekBarField ", kSeekBarField, " Seek");
    add("SeekType BAR");
    add("SeekBitmap PosBar1.bmp");
    add("SeekBitmapPressed PosBar2.bmp");
    add("SeekBarDirection HORIZONTAL");
}

void MainSectionWriter::writePan(bool eqMasks)
{
    if (!m_state.HasPanImage)
        return;
    add(std::string(kSeparatorLine));
    add("PanType ADVANCE");
    addField("PanBarField ", kPanBarRect, " Pan");
    add("PanBitmap Pan.Bmp");
    add(eqMasks ? "PanPositionImage PanMask_EQ.bmp" : "PanPositionImage PanMask.bmp");
    add("PanImageSize 38 13");
    add("PanBarDirection HORIZONTAL");
}

void MainSectionWriter::writeVolume(bool eqMasks)
{
    if (!m_state.HasVolumeImage)
        return;
    char size[32];
    std::snprintf(size, sizeof size, "%d 13", m_state.VolumeImage.width() / kVolumeFrames);
    add(std::string(kSeparatorLine));
    add("VolumeControlType ADVANCE");
    addField("VolumeField ", kVolumeBarRect, " Volume");
    add("VolumeBitmap Vol.Bmp");
    add(eqMasks ? "VolumeControlPositionImage VolMask_EQ.bmp"
                : "VolumeControlPositionImage VolMask.bmp");
    add("VolumeImageSize " + std::string(size));
    add("VolumeControlDirection HORIZONTAL");
}

TStringList HeaderLines(const std::string& baseName)
{
    return {"SkinName " + baseName, "About TessaformConvertor 0.1", std::string(kSeparatorLine)};
}

} // namespace

std::string ColorToRGBText(Color color)
{
    const Color rgb = ResolveSystemColor(color);
    char text[16];
    std::snprintf(text, sizeof text, "%d %d %d", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
    return text;
}

int32_t MainPartTop(const EditorSettings& editor)
{
    return editor.EqualizerOnTop ? kWindowHeight : 0;
}

int32_t EqPartTop(const EditorSettings& editor)
{
    return editor.EqualizerOnTop ? 0 : kWindowHeight;
}

void WriteMainSection(TStringList& lines, const SkinSession& session, int32_t mainOffset, bool eqMasks)
{
    MainSectionWriter writer(lines, session, mainOffset);
    writer.writeButtons();
    writer.writeSongInformation();
    writer.writeTime();
    writer.writeAnalyzer();
    writer.writeInfo();
    writer.writeSeekBar();
    writer.writePan(eqMasks);
    writer.writeVolume(eqMasks);
}

void WritePlayListSection(TStringList& lines, const SkinSession& session, bool eqLink)
{
    const SkinState& state = session.State;
    // Without a playlist picture (no pledit.bmp anywhere, not even the
    // bundled sample's) the playlist is left out: nothing would show it.
    const Bitmap& picture = session.Previews.Playlist;
    if (picture.isEmpty())
        return;
    const QSize size(picture.width(), picture.height());
    const int32_t width = size.width();
    const int32_t height = size.height();
    const Rect& text = state.PlaylistTextRect;
    const std::string sep(kSeparatorLine);
    const std::string gothic(kMsGothicName);
    const std::string textColor = ColorToRGBText(state.TextColor);
    lines.insert(lines.end(), {
        "", sep,
        "PlayListMainBitmap PlayListNormal.bmp",
        "PlayListMainBitmapPressed PlayListPressed.bmp",
        sep,
        eqLink ? "PlayListLinkXY 0 232" : "PlayListLinkXY 0 116",
        "PlayListLinkXY 0 -" + IntText(height),
        "PlayListLinkXY " + IntText(width) + " 0",
        "PlayListLinkXY -275 0",
        sep,
        "PlayListTextField " + RectToText(text),
        "PlayListFontName " + state.PlaylistFont().Name,
        "PlayListFontSize " + IntText(state.PlaylistFont().Size),
        "PlayListFontColor " + ColorToRGBText(state.PlaylistNormalColor),
        "PlayListRectColor " + ColorToRGBText(state.PlaylistSelectedBGColor),
        "PlayListRectAlpha 255",
        "PlayListRectFontColor " + ColorToRGBText(state.PlaylistNormalColor),
        "PlayListCurrentTrackColor " + ColorToRGBText(state.PlaylistCurrentColor),
        sep,
        "PlayListTotalPlayTimeFontName " + gothic,
        "PlayListTotalPlayTimeFontSize 8",
        "PlayListTotalPlayTimeField " + RectToText({width - 140, height - 29, width - 55, height - 19}),
        "PlayListTotalPlayTimeFontColor " + textColor,
        sep,
        "PlayListTimeFontName " + gothic,
        "PlayListTimeFontSize 8",
        "PlayListTimeField " + RectToText({width - 80, height - 17, width - 50, height - 7}),
        "PlayListTimeFontColor " + textColor,
    });
}

std::string DefinitionBaseName(const fs::path& ssfPath)
{
    const std::string name = ssfPath.filename().string();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

fs::path EqDefinitionPath(const fs::path& ssfPath)
{
    return ssfPath.parent_path() / PathFromString(DefinitionBaseName(ssfPath) + "_EQ.ssf");
}

DefinitionFiles BuildDefinitionFiles(const SkinSession& session, const fs::path& ssfPath)
{
    const bool showEqualizer = session.Editor.ShowEqualizer;
    const int32_t mainOffset = MainPartTop(session.Editor);
    const int32_t eqOffset = EqPartTop(session.Editor);
    const std::string baseName = NameText(DefinitionBaseName(ssfPath));

    TStringList eq = HeaderLines(baseName);
    eq.insert(eq.end(), {"MainBitmap MainNormal_EQ.bmp", "MainBitmapPressed MainPressed_EQ.bmp",
                         "MainBitmapInactive MainInactive_EQ.bmp"});
    TStringList plain = HeaderLines(baseName);
    plain.insert(plain.end(), {"MainBitmap MainNormal.bmp", "MainBitmapPressed MainPressed.bmp",
                               "MainBitmapInactive MainInactive.bmp"});
    WriteMainSection(plain, session, 0, false);
    WriteMainSection(eq, session, mainOffset, showEqualizer);
    if (showEqualizer) {
        // Target 1 of each file is its partner; the EQ file also gets a
        // button on the equalizer's own close box.
        plain.push_back("SetTargetSSF " + baseName + "_EQ.ssf");
        plain.push_back("ChangeSkinButton " + RectToText(kEqToggleButton) + " EQ_On/Off 1");
        eq.push_back("SetTargetSSF " + NameText(ssfPath.filename().string()));
        eq.push_back("ChangeSkinButton " + RectToText(kEqToggleButton.translated(0, mainOffset))
                     + " EQ_On/Off 1");
        eq.push_back("ChangeSkinButton " + RectToText(kCloseEqButton.translated(0, eqOffset))
                     + " CloseEQ 1");
    }
    WritePlayListSection(eq, session, showEqualizer);
    WritePlayListSection(plain, session, false);
    return {JoinDefinitionLines(plain), JoinDefinitionLines(eq)};
}

std::string JoinDefinitionLines(const TStringList& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace tf
