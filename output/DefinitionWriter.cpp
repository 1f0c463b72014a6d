#include "output/DefinitionWriter.h"

#include "korvel/SkinFormat.h"
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
    std::string_view Key;
    tf::Rect Rect;
    std::string_view Action;
};

// Fixed places of the main window's buttons in the 275 x 116 image.
constexpr std::array<ButtonLine, 16> kButtonLines = {{
    {ssf::kMinimizeButton, {244, 3, 253, 12}, " Minimize"},
    {ssf::kChangeSkinButton, {254, 3, 263, 12}, " Small 0"},
    {ssf::kCloseButton, {264, 3, 273, 12}, " Close"},
    {ssf::kPreviousSongButton, {16, 88, 39, 106}, " Prev"},
    {ssf::kPlayButton, {39, 88, 62, 106}, " Play"},
    {ssf::kPauseButton, {62, 88, 85, 106}, " Pause"},
    {ssf::kStopButton, {85, 88, 108, 106}, " Stop"},
    {ssf::kNextSongButton, {108, 88, 130, 106}, " Next"},
    {ssf::kOpenButton, {136, 89, 158, 105}, " Open"},
    {ssf::kPlayListButton, {242, 58, 265, 70}, " PlayList"},
    {ssf::kRandomButton, {164, 89, 211, 104}, " Random"},
    {ssf::kLoopButton, {210, 89, 238, 104}, " Loop"},
    {ssf::kAboutButton, {253, 91, 266, 106}, " About"},
    {ssf::kConfigButton, {10, 24, 18, 32}, " Config"},
    {ssf::kSongModeMonoField, {212, 41, 239, 53}, " Mono"},
    {ssf::kSongModeStereoField, {239, 41, 268, 53}, " Stereo"},
}};

constexpr Rect kTimeFieldBase{52, 26, 97, 26}; // bottom grows by the glyph height
constexpr Rect kSpectrumField{24, 43, 101, 59};
constexpr Rect kSongKbpsField{110, 40, 125, 50};
constexpr Rect kSongKhzField{156, 40, 166, 50};
constexpr Rect kSeekBarField{16, 72, 265, 82};
constexpr Rect kEqToggleButton{219, 58, 243, 70};
constexpr Rect kCloseEqButton{264, 3, 273, 12};

std::string FlagText(bool flag) { return flag ? "1" : "0"; }
// A key, a blank and its value.
std::string Line(std::string_view key, std::string_view value) { return std::string(key) + " " + std::string(value); }
std::string FontLine(const ssf::TextFieldKeys& field, std::string_view suffix, std::string_view value)
{
    return Line(ssf::FontKey(field, suffix), value);
}
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
        add(Line(key, placed(rect)) + std::string(action));
    }
    void addInfoField(const ssf::TextFieldKeys& keys, const Rect& rect);

    TStringList& m_lines;
    const SkinSession& m_session;
    const SkinState& m_state;
    int32_t m_offset;
};

void MainSectionWriter::writeButtons()
{
    add(std::string(kSeparatorLine));
    add(Line(ssf::kSetTargetSsf, ssf::kSmallModeDefinition));
    for (const ButtonLine& button : kButtonLines)
        addField(button.Key, button.Rect, button.Action);
}

void MainSectionWriter::writeSongInformation()
{
    if (!m_state.ShowScrollText)
        return;
    const TFontSetting& font = m_state.ScrollTextFont();
    add(std::string(kSongInfoCommentLine));
    const ssf::TextFieldKeys& keys = ssf::kSongInformation;
    addField(keys.Field, m_state.ScrollTextRect(), " SongInfomation");
    add(FontLine(keys, ssf::kFontName, font.Name));
    add(FontLine(keys, ssf::kFontSize, IntText(font.Size)));
    add(FontLine(keys, ssf::kFontColor, ColorToRGBText(m_state.TextColor)));
    add(FontLine(keys, ssf::kFontBold, FlagText(font.Bold)));
    add(FontLine(keys, ssf::kFontItalic, FlagText(font.Italic)));
    add(FontLine(keys, ssf::kFontShadow, FlagText(font.Shadow)));
    if (font.Shadow)
        add(FontLine(keys, ssf::kFontShadowColor, ColorToRGBText(m_state.ShadowColor)));
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
    addField(ssf::kTimeField, field);
    add(Line(ssf::kTimeFontType, "BMP"));
    add(Line(ssf::kTimeDigitsImage.Key, ssf::kTimeDigitsImage.Name));
    add(Line(ssf::kTimeFontBitmapSize, "9 " + IntText(glyphHeight)));
    if (m_session.Editor.TransparentTime)
        add(Line(ssf::kTimeFontTransparent, "1"));
}

void MainSectionWriter::writeAnalyzer()
{
    if (!m_state.ShowAnalyzer || m_session.Previews.Analyzer.isEmpty())
        return;
    add(std::string(kSeparatorLine));
    add(Line(ssf::kAnalyzerImage.Key, ssf::kAnalyzerImage.Name));
    add(Line(ssf::kSpectrumPatternType, "0"));
    addField(ssf::kSpectrumField, kSpectrumField, " Analyzer");
    add(Line(ssf::kSpectrumPeakColor, ColorToRGBText(m_state.PeakColor)));
}

// Bit rate and frequency share one layout and one shadow flag.
void MainSectionWriter::addInfoField(const ssf::TextFieldKeys& keys, const Rect& rect)
{
    const bool shadow = m_state.InfoFont().Shadow;
    add(std::string(kSeparatorLine));
    addField(keys.Field, rect);
    add(FontLine(keys, ssf::kFontType, "FONT"));
    add(FontLine(keys, ssf::kFontName, "MS UI Gothic"));
    add(FontLine(keys, ssf::kFontSize, "7"));
    add(FontLine(keys, ssf::kFontColor, ColorToRGBText(m_state.TextColor)));
    add(FontLine(keys, ssf::kFontShadow, FlagText(shadow)));
    if (shadow)
        add(FontLine(keys, ssf::kFontShadowColor, ColorToRGBText(m_state.ShadowColor)));
}

void MainSectionWriter::writeInfo()
{
    if (!m_state.ShowInfo)
        return;
    addInfoField(ssf::kSongKbps, kSongKbpsField);
    addInfoField(ssf::kSongKhz, kSongKhzField);
}

void MainSectionWriter::writeSeekBar()
{
    if (!m_state.ShowSeekBar || m_state.PosBarImage1.isEmpty() || m_state.PosBarImage2.isEmpty())
        return;
    add(std::string(kSeparatorLine));
    addField(ssf::kSeekBarField, kSeekBarField, " Seek");
    add(Line(ssf::kSeekType, "BAR"));
    add(Line(ssf::kSeekBarImage.Key, ssf::kSeekBarImage.Name));
    add(Line(ssf::kSeekBarPressedImage.Key, ssf::kSeekBarPressedImage.Name));
    add(Line(ssf::kSeekBarDirection, "HORIZONTAL"));
}

void MainSectionWriter::writePan(bool eqMasks)
{
    if (!m_state.HasPanImage)
        return;
    add(std::string(kSeparatorLine));
    add(Line(ssf::kPanType, "ADVANCE"));
    addField(ssf::kPanBarField, kPanBarRect, " Pan");
    add(Line(ssf::kPanImage.Key, ssf::kPanImage.Name));
    add(Line(ssf::kPanMaskImage.Key, eqMasks ? ssf::kPanMaskImage.EqTwin : ssf::kPanMaskImage.Name));
    add(Line(ssf::kPanImageSize, "38 13"));
    add(Line(ssf::kPanBarDirection, "HORIZONTAL"));
}

void MainSectionWriter::writeVolume(bool eqMasks)
{
    if (!m_state.HasVolumeImage)
        return;
    char size[32];
    std::snprintf(size, sizeof size, "%d 13", m_state.VolumeImage.width() / ssf::kVolumeStrip.Frames);
    add(std::string(kSeparatorLine));
    add(Line(ssf::kVolumeControlType, "ADVANCE"));
    addField(ssf::kVolumeField, kVolumeBarRect, " Volume");
    add(Line(ssf::kVolumeImage.Key, ssf::kVolumeImage.Name));
    add(Line(ssf::kVolumeMaskImage.Key, eqMasks ? ssf::kVolumeMaskImage.EqTwin : ssf::kVolumeMaskImage.Name));
    add(Line(ssf::kVolumeImageSize, size));
    add(Line(ssf::kVolumeControlDirection, "HORIZONTAL"));
}

TStringList HeaderLines(const std::string& baseName)
{
    return {Line(ssf::kSkinName, baseName), Line(ssf::kAbout, "TessaformConvertor 0.1"), std::string(kSeparatorLine)};
}

} // namespace

ssf::JoinedLayout JoinedLayoutOf(const EditorSettings& editor)
{
    return ssf::JoinedLayoutOf(editor.EqualizerOnTop);
}

std::string ColorToRGBText(Color color)
{
    const Color rgb = ResolveSystemColor(color);
    char text[16];
    std::snprintf(text, sizeof text, "%d %d %d", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
    return text;
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
    const ssf::TextFieldKeys& list = ssf::kPlayListText;
    const ssf::TextFieldKeys& total = ssf::kPlayListTotalPlayTime;
    const ssf::TextFieldKeys& time = ssf::kPlayListTime;
    const auto link = [](int32_t x, int32_t y) { return Line(ssf::kPlayListLinkXY, IntText(x) + " " + IntText(y)); };
    lines.insert(lines.end(), {
        "", sep,
        Line(ssf::kPlayListImage.Key, ssf::kPlayListImage.Name),
        Line(ssf::kPlayListPressedImage.Key, ssf::kPlayListPressedImage.Name),
        sep,
        link(0, eqLink ? ssf::kJoinedHeight : ssf::kWindowHeight),
        link(0, -height),
        link(width, 0),
        link(-ssf::kWindowWidth, 0),
        sep,
        Line(list.Field, RectToText(text)),
        FontLine(list, ssf::kFontName, state.PlaylistFont().Name),
        FontLine(list, ssf::kFontSize, IntText(state.PlaylistFont().Size)),
        FontLine(list, ssf::kFontColor, ColorToRGBText(state.PlaylistNormalColor)),
        Line(ssf::kPlayListRectColor, ColorToRGBText(state.PlaylistSelectedBGColor)),
        Line(ssf::kPlayListRectAlpha, "255"),
        Line(ssf::kPlayListRectFontColor, ColorToRGBText(state.PlaylistNormalColor)),
        Line(ssf::kPlayListCurrentTrackColor, ColorToRGBText(state.PlaylistCurrentColor)),
        sep,
        FontLine(total, ssf::kFontName, gothic),
        FontLine(total, ssf::kFontSize, "8"),
        Line(total.Field, RectToText({width - 140, height - 29, width - 55, height - 19})),
        FontLine(total, ssf::kFontColor, textColor),
        sep,
        FontLine(time, ssf::kFontName, gothic),
        FontLine(time, ssf::kFontSize, "8"),
        Line(time.Field, RectToText({width - 80, height - 17, width - 50, height - 7})),
        FontLine(time, ssf::kFontColor, textColor),
    });
}

DefinitionFiles BuildDefinitionFiles(const SkinSession& session, const fs::path& ssfPath)
{
    const bool showEqualizer = session.Editor.ShowEqualizer;
    const ssf::JoinedLayout joined = JoinedLayoutOf(session.Editor);
    const std::string baseName = NameText(DefinitionBaseName(ssfPath));
    const auto addMainBitmaps = [](TStringList& lines, bool eqFile) {
        for (const ssf::ImageFile* image : {&ssf::kMainNormalImage, &ssf::kMainPressedImage, &ssf::kMainInactiveImage})
            lines.push_back(Line(image->Key, eqFile ? image->EqTwin : image->Name));
    };

    TStringList eq = HeaderLines(baseName);
    addMainBitmaps(eq, true);
    TStringList plain = HeaderLines(baseName);
    addMainBitmaps(plain, false);
    WriteMainSection(plain, session, 0, false);
    WriteMainSection(eq, session, joined.MainTop, showEqualizer);
    if (showEqualizer) {
        // Target 1 of each file is its partner; the EQ file also gets a
        // button on the equalizer's own close box.
        const std::string_view toggle = " EQ_On/Off 1";
        plain.push_back(Line(ssf::kSetTargetSsf, baseName + std::string(ssf::kEqDefinitionEnding)));
        plain.push_back(Line(ssf::kChangeSkinButton, RectToText(kEqToggleButton)) + std::string(toggle));
        eq.push_back(Line(ssf::kSetTargetSsf, NameText(ssfPath.filename().string())));
        eq.push_back(Line(ssf::kChangeSkinButton, RectToText(kEqToggleButton.translated(0, joined.MainTop)))
                     + std::string(toggle));
        eq.push_back(Line(ssf::kChangeSkinButton, RectToText(kCloseEqButton.translated(0, joined.EqTop)))
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
