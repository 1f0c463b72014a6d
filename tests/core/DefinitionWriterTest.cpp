#include "output/DefinitionWriter.h"

#include "platform/FileSystem.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

// The comment line above the song-information keys and the playlist time
// font, as Shift-JIS bytes.
const std::string kCommentBytes =
    "\x23\x8B\xC8\x8F\xEE\x95\xF1\x82\xF0\x95\x5C\x8E\xA6\x82\xB7\x82\xE9\x83\x74\x83\x48\x83\x93"
    "\x83\x67" + std::string(24, '-');
const std::string kGothicBytes = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
// "表示": its first character's second byte is 5C.
const std::string kPlaylistFontBytes = "\x95\x5C\x8E\xA6";

struct DefinitionFixture : ::testing::Test {
    DefinitionFixture()
    {
        SkinState& state = session.State;
        state.ScrollTextRect() = {111, 27, 265, 33};
        state.PlaylistTextRect = {12, 20, 255, 79};
        state.ScrollTextFont() = {"MS UI Gothic", 8, false, true, true};
        state.InfoFont().Shadow = false;
        state.PlaylistFont() = {kPlaylistFontBytes, 9, false, false, false};
        state.TextColor = MakeColor(0, 255, 0);
        state.ShadowColor = MakeColor(1, 2, 3);
        state.PlaylistNormalColor = MakeColor(10, 20, 30);
        state.PlaylistCurrentColor = MakeColor(40, 50, 60);
        state.PlaylistSelectedBGColor = MakeColor(70, 80, 90);
        state.PlaylistNormalBGColor = MakeColor(99, 98, 97);
        state.PeakColor = MakeColor(200, 100, 50);
        state.HasPanImage = true;
        state.HasVolumeImage = true;
        state.VolumeImage = Bitmap(1904, 13);
        session.Previews.TimeDigits = Bitmap(120, 13);
        session.Previews.Playlist = Bitmap(275, 116);
        session.Previews.Analyzer = Bitmap(5, 16);
        state.PosBarImage1 = state.PosBarImage2 = Bitmap(29, 10);
        session.Editor.ShowEqualizer = false;
        session.Editor.EqualizerOnTop = false;
        session.Editor.TransparentTime = true;
    }

    DefinitionFiles build(const char* name = "/skins/out/Foo.ssf")
    {
        return BuildDefinitionFiles(session, PathFromString(name));
    }

    ScriptedPrompts prompts;
    SkinSession session{fs::path("/nowhere"), prompts};
};

// Lines of a written file, checking that each one ends with CR LF.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "text after the last CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    for (const std::string& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "lone CR or LF in " << line;
    return lines;
}

std::string WithCrLf(std::string_view text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

void ReplaceAll(std::string& text, std::string_view from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

size_t IndexOf(const std::vector<std::string>& lines, std::string_view line)
{
    const auto found = std::find(lines.begin(), lines.end(), line);
    EXPECT_NE(found, lines.end()) << "missing line: " << line;
    return size_t(found - lines.begin());
}

bool Contains(const std::vector<std::string>& lines, std::string_view line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool AnyStartsWith(const std::vector<std::string>& lines, std::string_view prefix)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

constexpr std::string_view kPlainFoo = R"(SkinName Foo
About TessaformConvertor 0.1
#------------------------------------------------
MainBitmap MainNormal.bmp
MainBitmapPressed MainPressed.bmp
MainBitmapInactive MainInactive.bmp
#------------------------------------------------
SetTargetSSF Small.ssf
MinimizeButton 244 3 253 12 Minimize
ChangeSkinButton 254 3 263 12 Small 0
CloseButton 264 3 273 12 Close
PreviousSongButton 16 88 39 106 Prev
PlayButton 39 88 62 106 Play
PauseButton 62 88 85 106 Pause
StopButton 85 88 108 106 Stop
NextSongButton 108 88 130 106 Next
OpenButton 136 89 158 105 Open
PlayListButton 242 58 265 70 PlayList
RandomButton 164 89 211 104 Random
LoopButton 210 89 238 104 Loop
AboutButton 253 91 266 106 About
ConfigButton 10 24 18 32 Config
SongModeMonoWindowField 212 41 239 53 Mono
SongModeStereoWindowField 239 41 268 53 Stereo
{COMMENT}
SongInfoField 111 27 265 33 SongInfomation
SongInformationFontName MS UI Gothic
SongInformationFontSize 8
SongInformationFontColor 0 255 0
SongInformationFontBold 0
SongInformationFontItalic 1
SongInformationFontShadow 1
SongInformationFontShadowColor 1 2 3
#------------------------------------------------
TimeField 52 26 97 39
TimeFontType BMP
TimeFontBitmap Numbers.bmp
TimeFontBitmapSize 9 13
TimeFontTransparent 1
#------------------------------------------------
SpectrumPattern Analyzer.bmp
SpectrumPatternType 0
SpectrumField 24 43 101 59 Analyzer
SpectrumPeakColor 200 100 50
#------------------------------------------------
SongKbpsField 110 40 125 50
SongKbpsFontType FONT
SongKbpsFontName MS UI Gothic
SongKbpsFontSize 7
SongKbpsFontColor 0 255 0
SongKbpsFontShadow 0
#------------------------------------------------
SongKhzField 156 40 166 50
SongKhzFontType FONT
SongKhzFontName MS UI Gothic
SongKhzFontSize 7
SongKhzFontColor 0 255 0
SongKhzFontShadow 0
#------------------------------------------------
SeekBarField 16 72 265 82 Seek
SeekType BAR
SeekBitmap PosBar1.bmp
SeekBitmapPressed PosBar2.bmp
SeekBarDirection HORIZONTAL
#------------------------------------------------
PanType ADVANCE
PanBarField 177 57 215 70 Pan
PanBitmap Pan.Bmp
PanPositionImage PanMask.bmp
PanImageSize 38 13
PanBarDirection HORIZONTAL
#------------------------------------------------
VolumeControlType ADVANCE
VolumeField 107 57 172 70 Volume
VolumeBitmap Vol.Bmp
VolumeControlPositionImage VolMask.bmp
VolumeImageSize 68 13
VolumeControlDirection HORIZONTAL

#------------------------------------------------
PlayListMainBitmap PlayListNormal.bmp
PlayListMainBitmapPressed PlayListPressed.bmp
#------------------------------------------------
PlayListLinkXY 0 116
PlayListLinkXY 0 -116
PlayListLinkXY 275 0
PlayListLinkXY -275 0
#------------------------------------------------
PlayListTextField 12 20 255 79
PlayListFontName {PLFONT}
PlayListFontSize 9
PlayListFontColor 10 20 30
PlayListRectColor 70 80 90
PlayListRectAlpha 255
PlayListRectFontColor 10 20 30
PlayListCurrentTrackColor 40 50 60
#------------------------------------------------
PlayListTotalPlayTimeFontName {GOTHIC}
PlayListTotalPlayTimeFontSize 8
PlayListTotalPlayTimeField 135 87 220 97
PlayListTotalPlayTimeFontColor 0 255 0
#------------------------------------------------
PlayListTimeFontName {GOTHIC}
PlayListTimeFontSize 8
PlayListTimeField 195 99 225 109
PlayListTimeFontColor 0 255 0
)";

std::string ExpectedPlainFoo()
{
    std::string text = WithCrLf(kPlainFoo);
    ReplaceAll(text, "{COMMENT}", kCommentBytes);
    ReplaceAll(text, "{GOTHIC}", kGothicBytes);
    ReplaceAll(text, "{PLFONT}", kPlaylistFontBytes);
    return text;
}

TEST_F(DefinitionFixture, PlainFileMatchesByteForByte)
{
    const std::string plain = build().Plain;
    EXPECT_EQ(plain, ExpectedPlainFoo());
    // The bytes that a text conversion would damage: the 5C inside the
    // comment, the full-width font name, the stored playlist font name.
    ASSERT_EQ(kCommentBytes.size(), 49u);
    EXPECT_EQ(kCommentBytes[10], '\x5C');
    EXPECT_NE(plain.find("\r\n" + kCommentBytes + "\r\n"), std::string::npos);
    EXPECT_NE(plain.find("PlayListTimeFontName " + kGothicBytes + "\r\n"), std::string::npos);
    EXPECT_NE(plain.find("PlayListFontName \x95\x5C\x8E\xA6\r\n"), std::string::npos);
    EXPECT_TRUE(plain.ends_with("PlayListTimeFontColor 0 255 0\r\n"));
    EXPECT_EQ(plain.find(std::string_view(kSeparatorLine)), plain.find("#---"));
    EXPECT_EQ(kSeparatorLine.size(), 49u);
}

TEST_F(DefinitionFixture, EqFileBelowDiffersFromPlainOnlyInImagesMasksAndLinks)
{
    const std::vector<std::string> reference = Lines(build().Plain);
    session.Editor.ShowEqualizer = true;
    const DefinitionFiles files = build();
    const std::vector<std::string> plain = Lines(files.Plain);
    const std::vector<std::string> eq = Lines(files.Eq);

    // The plain file gains its switch to the EQ file right after the main
    // section.
    std::vector<std::string> expectedPlain = reference;
    const size_t afterMain = IndexOf(reference, "VolumeControlDirection HORIZONTAL") + 1;
    expectedPlain.insert(expectedPlain.begin() + long(afterMain),
                         {"SetTargetSSF Foo_EQ.ssf", "ChangeSkinButton 219 58 243 70 EQ_On/Off 1"});
    EXPECT_EQ(plain, expectedPlain);

    std::vector<std::string> expectedEq = reference;
    for (std::string& line : expectedEq) {
        if (line.starts_with("MainBitmap"))
            ReplaceAll(line, ".bmp", "_EQ.bmp");
        ReplaceAll(line, "PanMask.bmp", "PanMask_EQ.bmp");
        ReplaceAll(line, "VolMask.bmp", "VolMask_EQ.bmp");
        ReplaceAll(line, "PlayListLinkXY 0 116", "PlayListLinkXY 0 232");
    }
    expectedEq.insert(expectedEq.begin() + long(afterMain),
                      {"SetTargetSSF Foo.ssf", "ChangeSkinButton 219 58 243 70 EQ_On/Off 1",
                       "ChangeSkinButton 264 119 273 128 CloseEQ 1"});
    EXPECT_EQ(eq, expectedEq);
    EXPECT_EQ(eq[3], "MainBitmap MainNormal_EQ.bmp");
    EXPECT_EQ(EqDefinitionPath("/skins/out/Foo.ssf"), fs::path("/skins/out/Foo_EQ.ssf"));
}

// Splits "Key 1 2 3 4 Action" into the key and four numbers when the line
// has that shape.
bool ParseFieldLine(const std::string& line, std::string& key, int (&values)[4])
{
    std::istringstream in(line);
    return bool(in >> key >> values[0] >> values[1] >> values[2] >> values[3]);
}

TEST_F(DefinitionFixture, EqOnTopMovesEveryMainRectangleDownAndLeavesThePlaylist)
{
    session.Editor.ShowEqualizer = true;
    const DefinitionFiles below = build();
    session.Editor.EqualizerOnTop = true;
    const DefinitionFiles onTop = build();
    EXPECT_EQ(onTop.Plain, below.Plain);

    const std::vector<std::string> low = Lines(below.Eq);
    const std::vector<std::string> top = Lines(onTop.Eq);
    ASSERT_EQ(low.size(), top.size());
    const size_t playlistStart = IndexOf(top, "PlayListMainBitmap PlayListNormal.bmp");
    int moved = 0;
    for (size_t i = 0; i < top.size(); ++i) {
        std::string key;
        int a[4], b[4];
        const bool isRect = ParseFieldLine(low[i], key, a) && ParseFieldLine(top[i], key, b)
            && key != "PlayListLinkXY";
        if (i < playlistStart && isRect) {
            const int dy = top[i].ends_with("CloseEQ 1") ? -116 : 116;
            EXPECT_EQ(b[0], a[0]) << top[i];
            EXPECT_EQ(b[1], a[1] + dy) << top[i];
            EXPECT_EQ(b[2], a[2]) << top[i];
            EXPECT_EQ(b[3], a[3] + dy) << top[i];
            ++moved;
        } else {
            EXPECT_EQ(top[i], low[i]);
        }
    }
    EXPECT_EQ(moved, 26); // 16 buttons, 8 fields, 2 switch buttons
    for (const char* line : {"MinimizeButton 244 119 253 128 Minimize",
                             "SongInfoField 111 143 265 149 SongInfomation", "TimeField 52 142 97 155",
                             "PanBarField 177 173 215 186 Pan", "VolumeField 107 173 172 186 Volume",
                             "ChangeSkinButton 219 174 243 186 EQ_On/Off 1",
                             "ChangeSkinButton 264 3 273 12 CloseEQ 1",
                             "PlayListTextField 12 20 255 79", "PlayListTimeField 195 99 225 109"})
        EXPECT_TRUE(Contains(top, line)) << line;
}

TEST_F(DefinitionFixture, HiddenSongInformationLeavesNoCommentOrKeys)
{
    const size_t shown = Lines(build().Plain).size();
    session.State.ShowScrollText = false;
    const std::vector<std::string> lines = Lines(build().Plain);
    EXPECT_EQ(lines.size(), shown - 9);
    EXPECT_FALSE(Contains(lines, kCommentBytes));
    EXPECT_FALSE(AnyStartsWith(lines, "SongInf"));
    const size_t stereo = IndexOf(lines, "SongModeStereoWindowField 239 41 268 53 Stereo");
    EXPECT_EQ(lines[stereo + 1], kSeparatorLine);
    EXPECT_EQ(lines[stereo + 2], "TimeField 52 26 97 39");
}

TEST_F(DefinitionFixture, ShadowColorLinesFollowTheirOwnShadowFlags)
{
    session.State.ScrollTextFont().Shadow = false;
    session.State.InfoFont().Shadow = true;
    const std::vector<std::string> lines = Lines(build().Plain);
    EXPECT_TRUE(Contains(lines, "SongInformationFontShadow 0"));
    EXPECT_FALSE(AnyStartsWith(lines, "SongInformationFontShadowColor"));
    for (const char* key : {"SongKbps", "SongKhz"}) {
        const size_t flag = IndexOf(lines, std::string(key) + "FontShadow 1");
        EXPECT_EQ(lines[flag + 1], std::string(key) + "FontShadowColor 1 2 3");
    }
}

TEST_F(DefinitionFixture, OptionalBlocksLeaveNoLinesNotEvenSeparators)
{
    session.Editor.ShowEqualizer = true;
    session.Editor.TransparentTime = false;
    SkinState& state = session.State;
    state.HasPanImage = false;
    state.HasVolumeImage = false;
    state.ShowScrollText = false;
    state.ShowTime = false;
    state.ShowAnalyzer = false;
    state.ShowInfo = false;
    state.ShowSeekBar = false;
    const DefinitionFiles files = build();
    for (const std::string* text : {&files.Plain, &files.Eq}) {
        const std::vector<std::string> lines = Lines(*text);
        for (const char* prefix : {"Pan", "Volume", "Time", "Spectrum", "SongK", "Seek", "SongInf"})
            EXPECT_FALSE(AnyStartsWith(lines, prefix)) << prefix;
        const size_t stereo = IndexOf(lines, "SongModeStereoWindowField 239 41 268 53 Stereo");
        EXPECT_TRUE(lines[stereo + 1].starts_with("SetTargetSSF Foo")) << lines[stereo + 1];
    }
}

TEST_F(DefinitionFixture, TimeFieldFollowsTheGlyphHeightAndTransparencyIsOptional)
{
    session.Previews.TimeDigits = Bitmap(120, 16);
    session.Editor.TransparentTime = false;
    const std::vector<std::string> lines = Lines(build().Plain);
    const size_t field = IndexOf(lines, "TimeField 52 26 97 42");
    EXPECT_EQ(lines[field + 3], "TimeFontBitmapSize 9 16");
    EXPECT_EQ(lines[field + 4], kSeparatorLine);
    EXPECT_FALSE(AnyStartsWith(lines, "TimeFontTransparent"));
}

TEST_F(DefinitionFixture, PlaylistFieldsFollowThePlaylistPictureSize)
{
    session.Previews.Playlist = Bitmap(325, 145);
    session.State.PlaylistTextRect = {12, 20, 305, 108};
    const std::vector<std::string> lines = Lines(build().Plain);
    const size_t link = IndexOf(lines, "PlayListLinkXY 0 116");
    EXPECT_EQ(lines[link + 1], "PlayListLinkXY 0 -145");
    EXPECT_EQ(lines[link + 2], "PlayListLinkXY 325 0");
    EXPECT_EQ(lines[link + 3], "PlayListLinkXY -275 0");
    EXPECT_TRUE(Contains(lines, "PlayListTextField 12 20 305 108"));
    EXPECT_TRUE(Contains(lines, "PlayListTotalPlayTimeField 185 116 270 126"));
    EXPECT_TRUE(Contains(lines, "PlayListTimeField 245 128 275 138"));
}

// A picture that is not there (an installation without the sample skin) is
// never named: its block is left out, as if hidden.
TEST_F(DefinitionFixture, BlocksOfMissingPicturesAreLeftOut)
{
    const struct {
        Bitmap* Picture;
        const char* FirstKey;
    } cases[] = {
        {&session.Previews.TimeDigits, "TimeField"},
        {&session.Previews.Analyzer, "SpectrumPattern"},
        {&session.State.PosBarImage2, "SeekBarField"},
        {&session.Previews.Playlist, "PlayListMainBitmap"},
    };
    for (const auto& c : cases) {
        const Bitmap kept = *c.Picture;
        *c.Picture = Bitmap();
        EXPECT_FALSE(AnyStartsWith(Lines(build().Plain), c.FirstKey)) << c.FirstKey;
        *c.Picture = kept;
        EXPECT_TRUE(AnyStartsWith(Lines(build().Plain), c.FirstKey)) << c.FirstKey;
    }
}

TEST_F(DefinitionFixture, NamesComeFromTheChosenFileName)
{
    session.Editor.ShowEqualizer = true;
    {
        const DefinitionFiles files = build("/a.b/my.skin.ssf");
        EXPECT_EQ(Lines(files.Plain)[0], "SkinName my.skin");
        EXPECT_TRUE(Contains(Lines(files.Plain), "SetTargetSSF my.skin_EQ.ssf"));
        EXPECT_TRUE(Contains(Lines(files.Eq), "SetTargetSSF my.skin.ssf"));
        EXPECT_EQ(EqDefinitionPath("/a.b/my.skin.ssf"), fs::path("/a.b/my.skin_EQ.ssf"));
    }
    {
        const DefinitionFiles files = build("/out/Foo.txt");
        EXPECT_EQ(Lines(files.Plain)[0], "SkinName Foo");
        EXPECT_TRUE(Contains(Lines(files.Eq), "SetTargetSSF Foo.txt"));
        EXPECT_EQ(EqDefinitionPath("/out/Foo.txt"), fs::path("/out/Foo_EQ.ssf"));
    }
    EXPECT_EQ(Lines(build("/out/My Skin.ssf").Plain)[0], "SkinName My Skin");
    // No extension: the folder's dot is not the name's.
    EXPECT_EQ(Lines(build("/a.b/Foo").Plain)[0], "SkinName Foo");
    EXPECT_EQ(EqDefinitionPath("/a.b/Foo"), fs::path("/a.b/Foo_EQ.ssf"));
    // A name from the file system goes in as Shift-JIS, like everything else.
    EXPECT_EQ(Lines(build("/out/\u30b9\u30ad\u30f3.ssf").Plain)[0],
              "SkinName \x83\x58\x83\x4c\x83\x93");
    // A name that is all extension has an empty base name.
    EXPECT_EQ(Lines(build("/out/.ssf").Plain)[0], "SkinName ");
}

TEST_F(DefinitionFixture, ValuesAreWrittenWithoutValidation)
{
    session.State.ScrollTextFont().Name.clear();
    session.State.ScrollTextFont().Size = -3;
    session.State.ScrollTextRect() = {-5, -1, 0, 2};
    const std::vector<std::string> lines = Lines(build().Plain);
    EXPECT_TRUE(Contains(lines, "SongInformationFontName "));
    EXPECT_TRUE(Contains(lines, "SongInformationFontSize -3"));
    EXPECT_TRUE(Contains(lines, "SongInfoField -5 -1 0 2 SongInfomation"));
}

TEST(ColorText, PlainAndSystemColoursAreRgbTriples)
{
    EXPECT_EQ(ColorToRGBText(MakeColor(255, 0, 255)), "255 0 255");
    EXPECT_EQ(ColorToRGBText(MakeColor(1, 2, 3)), "1 2 3");
    // The window background (system colour 5) of the classic scheme.
    EXPECT_EQ(ColorToRGBText(0x80000005u), "255 255 255");
    EXPECT_EQ(ColorToRGBText(0xFF00000Fu), "212 208 200");
}

} // namespace
} // namespace tf
