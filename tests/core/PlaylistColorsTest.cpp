#include "skin/PlaylistColors.h"

#include "platform/Errors.h"
#include "support/ScriptedPrompts.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

constexpr Color kGreen = MakeColor(0, 255, 0);

TEST(ParseSkinColor, ReadsSixHexDigitsInAnyPrefixAndCase)
{
    for (const char* text : {"#00ff00", "#00FF00", "$00FF00", "00FF00"})
        EXPECT_EQ(ParseSkinColor(text), kGreen) << text;
    EXPECT_EQ(ParseSkinColor("#102030"), MakeColor(0x10, 0x20, 0x30));
    // After a prefix only the last six characters count.
    EXPECT_EQ(ParseSkinColor("#1234567"), MakeColor(0x23, 0x45, 0x67));
    // Without a prefix, characters after the sixth are ignored.
    EXPECT_EQ(ParseSkinColor("102030FF"), MakeColor(0x10, 0x20, 0x30));
}

TEST(ParseSkinColor, ShortOrMalformedTextRaisesTheConversionError)
{
    const auto messageOf = [](const char* text) {
        try {
            ParseSkinColor(text);
        } catch (const AppError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Conversion) << text;
            return error.message();
        }
        ADD_FAILURE() << "no error for " << text;
        return QString();
    };
    // The message shows the number text built from the pairs.
    EXPECT_EQ(messageOf("#0F0"), QStringLiteral("'$F0#0' は整数ではありません"));
    EXPECT_EQ(messageOf(""), QStringLiteral("'$' は整数ではありません"));
    EXPECT_FALSE(messageOf("#00GG00").isEmpty());
    EXPECT_FALSE(messageOf("# 1 2 3").isEmpty());
}

class PlaylistColors : public ::testing::Test {
protected:
    test::TempFolder temp;
    test::SkinFixture skin{temp / "skin"};
    SkinState state;

    void setAllWhite()
    {
        state.PlaylistNormalColor = state.PlaylistCurrentColor = kWhite;
        state.PlaylistNormalBGColor = state.PlaylistSelectedBGColor = kWhite;
    }
    std::array<Color, 4> colors() const
    {
        return {state.PlaylistNormalColor, state.PlaylistCurrentColor, state.PlaylistNormalBGColor,
                state.PlaylistSelectedBGColor};
    }
};

TEST_F(PlaylistColors, ReadsTheFourKeysOfSectionText)
{
    skin.writeText("pledit.txt", "[text]\r\nnormal = \"#010203\"\r\nCURRENT=#040506\r\n"
                                 "NormalBG=#070809\r\nSelectedBG=#0A0B0C\r\n");
    ReadPlaylistColors(state, skin.path("pledit.txt"));
    EXPECT_EQ(colors(), (std::array<Color, 4>{MakeColor(1, 2, 3), MakeColor(4, 5, 6),
                                              MakeColor(7, 8, 9), MakeColor(10, 11, 12)}));
}

TEST_F(PlaylistColors, MissingFileGivesTheClassicColoursAndMissingSectionOrKeyBlack)
{
    ReadPlaylistColors(state, skin.path("pledit.txt"));
    EXPECT_EQ(colors(), (std::array<Color, 4>{kGreen, kWhite, kBlack, kBlue}));

    setAllWhite();
    skin.writeText("pledit.txt", "[Other]\r\nNormal=#FFFFFF\r\n");
    ReadPlaylistColors(state, skin.path("pledit.txt"));
    EXPECT_EQ(colors(), (std::array<Color, 4>{kBlack, kBlack, kBlack, kBlack}));

    skin.writeText("pledit.txt", "[Text]\r\nCurrent=#00FF00\r\n");
    ReadPlaylistColors(state, skin.path("pledit.txt"));
    EXPECT_EQ(colors(), (std::array<Color, 4>{kBlack, kGreen, kBlack, kBlack}));
}

// A value ends at its first blank, tab or ";"; what still is no colour
// gives black and a warning, and the keys after it are read.
TEST_F(PlaylistColors, LooseValuesAreCutAndBadOnesWarnAndGiveBlack)
{
    const struct {
        const char* Value;
        tf::Color Color;
        const char* Warned; // the value shown in the warning, or nothing
    } cases[] = {
        {"#102030      ;Textfarbe", MakeColor(0x10, 0x20, 0x30), nullptr},
        {"#102030\t; comment", MakeColor(0x10, 0x20, 0x30), nullptr},
        {"#102030;comment", MakeColor(0x10, 0x20, 0x30), nullptr},
        {"#102030   ", MakeColor(0x10, 0x20, 0x30), nullptr},
        {"#00000", kBlack, "#00000"},
        {"#0F0", kBlack, "#0F0"},
        {"", kBlack, ""},
    };
    for (const auto& c : cases) {
        setAllWhite();
        skin.writeText("pledit.txt", std::string("[Text]\r\nNormal=#00FF00\r\nNormalBG=") + c.Value
                                         + "\r\nSelectedBG=#00FF00\r\n");
        ScriptedPrompts prompts;
        ReadPlaylistColors(state, skin.path("pledit.txt"), &prompts);
        EXPECT_EQ(colors(), (std::array<Color, 4>{kGreen, kBlack, c.Color, kGreen})) << c.Value;
        if (!c.Warned) {
            EXPECT_TRUE(prompts.shown().empty()) << c.Value;
            continue;
        }
        ASSERT_EQ(prompts.shown().size(), 1u) << c.Value;
        const QString& text = prompts.shown()[0].Text;
        EXPECT_TRUE(text.contains(DisplayPath(skin.path("pledit.txt")))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("NormalBG の値 '%1'").arg(c.Warned))) << text.toStdString();
    }
}

} // namespace
} // namespace tf
