#include "skin/SkinTextFiles.h"

#include "skin/MainComposition.h"
#include "support/SessionFixture.h"
#include "support/SkinFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tf {
namespace {

class PluginFileTest : public ::testing::Test {
protected:
    void loadWith(const std::string& sexyfont)
    {
        skin.writeBitmap(kMainBmp, 275, 116);
        skin.writeText("Sexyfont.txt", "[YunaSoft SexyFont Plug-In]\r\n" + sexyfont);
        fixture.load(skin.folder());
    }
    // The boxes of GrowRect; the load also warns of the sample's stand-ins.
    size_t growRectPrompts() const
    {
        return size_t(std::count_if(fixture.Prompts.shown().begin(), fixture.Prompts.shown().end(),
                                    [](const auto& shown) { return shown.Caption == QStringLiteral("情報"); }));
    }

    test::TempFolder temp;
    test::SkinFixture skin{temp.path()};
    test::SessionFixture fixture;
    SkinState& state = fixture.state();
};

TEST_F(PluginFileTest, AlphaAndOpacityTogetherSwitchAPartOff)
{
    loadWith("Alpha=1\r\nOpacity=0\r\nAlphaTime=1\r\nAlphaInfo=1\r\nOpacityInfo=0\r\nLockSeekBar=1\r\n");
    EXPECT_FALSE(state.ShowScrollText);
    EXPECT_TRUE(state.ShowTime) << "alpha 1 alone does not switch it off";
    EXPECT_FALSE(state.ShowInfo);
    EXPECT_FALSE(state.ShowSeekBar);
    // Reloading starts from the reset flags.
    fixture.load(skin.folder());
    EXPECT_FALSE(state.ShowScrollText);
    skin.remove("Sexyfont.txt");
    fixture.load(skin.folder());
    EXPECT_TRUE(state.ShowScrollText && state.ShowInfo && state.ShowSeekBar);
}

TEST_F(PluginFileTest, OffsetsGrowTheScrollTextField)
{
    loadWith("OffsetLeft=2\r\n");
    EXPECT_EQ(state.ScrollTextRect().left, 110);
    EXPECT_EQ(growRectPrompts(), 0u);
}

TEST_F(PluginFileTest, NegativeOffsetAsksAndKeepsTheField)
{
    loadWith("OffsetTop=30\r\n");
    EXPECT_EQ(growRectPrompts(), 1u);
    EXPECT_EQ(state.ScrollTextRect().left, 112);
    EXPECT_EQ(state.ScrollTextRect().top, 25);
}

TEST_F(PluginFileTest, FontsAndShadowsWithTheirDefaults)
{
    loadWith("FontSize=9\r\nFontBold=1\r\nFontItalic=x\r\n");
    EXPECT_EQ(state.ScrollTextFont().Name, "MS UI Gothic");
    EXPECT_EQ(state.ScrollTextFont().Size, 9);
    EXPECT_TRUE(state.ScrollTextFont().Bold);
    EXPECT_FALSE(state.ScrollTextFont().Italic) << "a bad boolean takes the default";
    EXPECT_TRUE(state.ScrollTextFont().Shadow) << "DropShadow defaults to on";
    EXPECT_TRUE(state.InfoFont().Shadow);
    EXPECT_TRUE(state.TimeFont().Shadow);
    EXPECT_EQ(state.PlaylistFont().Name, "MS UI Gothic");
    EXPECT_EQ(state.PlaylistFont().Size, 8);
    // MS UI Gothic at 9 points is 12 pixels high.
    EXPECT_EQ(state.ScrollTextRect(), (Rect{112, 25, 263, 39}));

    loadWith("ShadowInfo=1\r\nDropShadowInfo=0\r\nDropShadowTime=0\r\nDropShadow=0\r\n"
             "FontFacePE = \"Arial\"\r\nFontSizePE=$0A\r\n");
    EXPECT_FALSE(state.ScrollTextFont().Shadow);
    EXPECT_TRUE(state.InfoFont().Shadow) << "ShadowInfo wins over the two keys after it";
    EXPECT_TRUE(state.TimeFont().Shadow);
    EXPECT_EQ(state.PlaylistFont().Name, "Arial");
    EXPECT_EQ(state.PlaylistFont().Size, 10);
}

// A size the player cannot draw is brought into range where it is read,
// with a warning naming the file and the value.
TEST_F(PluginFileTest, FontSizesBeyondWhatIsDrawnAreClampedWithAWarning)
{
    loadWith("FontSize=5000\r\nFontSizePE=-300\r\n");
    EXPECT_EQ(state.ScrollTextFont().Size, 72);
    EXPECT_EQ(state.PlaylistFont().Size, -72);
    QStringList warnings;
    for (const auto& shown : fixture.Prompts.shown())
        if (shown.Text.contains(QStringLiteral("大きすぎます")))
            warnings << shown.Text;
    ASSERT_EQ(warnings.size(), 2) << warnings.join('\n').toStdString();
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("Sexyfont.txt")) && warnings[0].contains(QStringLiteral("FontSize=5000")));
    EXPECT_TRUE(warnings[1].contains(QStringLiteral("FontSizePE=-300")));
}

TEST_F(PluginFileTest, ShiftJisFontFaceReachesTheStateUnchanged)
{
    const std::string msPGothic = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
    loadWith("FontFace=" + msPGothic + "\r\nFontSize=10\r\n");
    EXPECT_EQ(state.ScrollTextFont().Name, msPGothic);
    // Windows' cell height of the MS Gothic family: 10 points are 13 pixels.
    EXPECT_EQ(state.ScrollTextRect().bottom, 25 + 13 + 2);
}

TEST_F(PluginFileTest, OtherFontsAreMeasured)
{
    loadWith("FontFace=DejaVu Sans\r\n");
    const int height = state.ScrollTextRect().bottom - 27;
    EXPECT_GT(height, 9);
    EXPECT_LT(height, 16);
}

TEST_F(PluginFileTest, SectionWithoutKeysChangesNothing)
{
    loadWith("; nothing here\r\n");
    EXPECT_EQ(state.ScrollTextFont(), TFontSetting{});
    EXPECT_EQ(state.ScrollTextRect(), (Rect{112, 25, 263, 38}));
}

TEST_F(PluginFileTest, TransparentTimeSetsTheSwitch)
{
    EXPECT_FALSE(fixture.Session.Editor.TransparentTime);
    loadWith("TransparentTime=1\r\n");
    EXPECT_TRUE(fixture.Session.Editor.TransparentTime);
    loadWith("TransparentTime=0\r\n");
    EXPECT_FALSE(fixture.Session.Editor.TransparentTime);
    loadWith("FontSize=8\r\n");
    EXPECT_FALSE(fixture.Session.Editor.TransparentTime) << "read only when present";
}

TEST_F(PluginFileTest, MaronSwitchesTheAnalyzerInAnyCase)
{
    skin.writeBitmap(kMainBmp, 275, 116);
    skin.writeText("maron.TXT", "[maron]\r\nEnable=0\r\n");
    fixture.load(skin.folder());
    EXPECT_FALSE(state.ShowAnalyzer);
    skin.writeText("maron.TXT", "[MARON]\r\nEnable=7\r\n");
    fixture.load(skin.folder());
    EXPECT_TRUE(state.ShowAnalyzer);
}

// text.bmp samples: column 0 and column 1 of rows 0 to 5.
Color SampleTextColor(std::vector<Color> column0, std::vector<Color> column1)
{
    Bitmap text(155, 18);
    for (int y = 0; y < 6; ++y) {
        text.setPixel(0, y, column0[size_t(y)]);
        text.setPixel(1, y, column1[size_t(y)]);
    }
    SkinState state;
    PickTextColors(state, text);
    EXPECT_EQ(state.ShadowColor, column0[0]);
    return state.TextColor;
}

TEST(TextColors, SampledFromTheFontSheet)
{
    const Color a = MakeColor(1, 1, 1), b = MakeColor(0, 226, 0), c = MakeColor(9, 9, 9);
    // Any change in column 0 gives the colour at (0, 4).
    EXPECT_EQ(SampleTextColor({a, b, b, b, c, b}, {a, a, a, a, a, a}), c);
    EXPECT_EQ(SampleTextColor({a, a, a, a, a, b}, {a, a, a, a, a, a}), a);
    // Column 0 flat: the topmost change of column 1, at the row above it.
    EXPECT_EQ(SampleTextColor({a, a, a, a, a, a}, {a, a, b, b, c, c}), a);
    EXPECT_EQ(SampleTextColor({c, c, c, c, c, c}, {a, b, b, b, b, b}), a);
    // Nothing changes: (0, 0).
    EXPECT_EQ(SampleTextColor({c, c, c, c, c, c}, {a, a, a, a, a, a}), c);
}

} // namespace
} // namespace tf
