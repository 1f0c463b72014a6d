#include "korvel/KorvelDefinition.h"

#include "platform/TextFile.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

// "ＭＳ ゴシック" in Shift-JIS: a blank inside, 0x5C-free but double-byte.
const std::string kGothic = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

TEST(KorvelDefinition, KeepsEveryKeyLineWithItsNumberAndRawValues)
{
    const std::string text = "SkinName My Skin\r\n"
                             "#\x95\x5C comment\r\n"
                             "\r\n"
                             "PlayListLinkXY 0 116\n"
                             "PlayListLinkXY 0 -116\r\n"
                             "PlayListTimeFontName " + kGothic + "\r\n"
                             "SongInformationFontName \r\n"
                             "SetTargetSSF Small.ssf\r\n";
    const KorvelDefinition definition = KorvelDefinition::Parse(text);

    ASSERT_EQ(definition.lines().size(), 6u);
    const DefinitionLine& name = definition.lines()[0];
    EXPECT_EQ(name.Number, 1);
    EXPECT_EQ(name.Text, "My Skin");
    EXPECT_EQ(name.Values, (std::vector<std::string>{"My", "Skin"}));

    const auto links = definition.findAll("playlistlinkxy");
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0]->Number, 4);
    EXPECT_EQ(links[1]->Number, 5);
    EXPECT_EQ(links[1]->integer(1), -116);
    EXPECT_EQ(definition.text("PlayListTimeFontName"), kGothic);
    EXPECT_EQ(definition.text("SongInformationFontName"), "");
    EXPECT_EQ(definition.find("SetTargetSSF")->Number, 8);
    EXPECT_EQ(definition.find("Missing"), nullptr);
}

TEST(KorvelDefinition, ReadsTypedValuesOnlyInTheirForm)
{
    struct Case {
        const char* Line;
        std::optional<tf::Rect> Rect;
        std::optional<tf::Color> Color;
        std::optional<bool> Flag;
    };
    const Case cases[] = {
        {"K 244 3 253 12 Minimize", Rect{244, 3, 253, 12}, {}, {}},
        {"K 10 -2 30 4", Rect{10, -2, 30, 4}, {}, {}},
        {"K 255 0 128", {}, MakeColor(255, 0, 128), {}},
        {"K 256 0 0", {}, {}, {}},
        {"K 1 2", {}, {}, {}},
        {"K 0", {}, {}, false},
        {"K 1", {}, {}, true},
        {"K yes", {}, {}, {}},
        {"K", {}, {}, {}},
    };
    for (const Case& c : cases) {
        const KorvelDefinition definition = KorvelDefinition::Parse(c.Line);
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(definition.rect("K"), c.Rect);
        EXPECT_EQ(definition.color("K"), c.Color);
        EXPECT_EQ(definition.flag("K"), c.Flag);
    }
}

TEST(KorvelDefinition, FindsNamedFilesBesideItWithoutRegardToCase)
{
    const test::TempFolder folder;
    std::ofstream(folder / "VOL.BMP") << "x";
    const KorvelDefinition definition = KorvelDefinition::Parse("VolumeBitmap Vol.Bmp\r\n", folder / "a.ssf");
    EXPECT_EQ(definition.findBeside(*definition.text("VolumeBitmap")), folder / "VOL.BMP");
    EXPECT_FALSE(definition.findBeside("Pan.Bmp"));
    EXPECT_FALSE(KorvelDefinition::Parse("VolumeBitmap Vol.Bmp\r\n").findBeside("Vol.Bmp"));
}

} // namespace
} // namespace tf
