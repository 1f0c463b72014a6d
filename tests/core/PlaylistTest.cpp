#include "skin/Playlist.h"

#include "platform/Errors.h"
#include "support/ImageChecks.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tf {
namespace {

using test::FixturePixel;

constexpr Color kTextBackground = MakeColor(0, 0, 0x10); // NormalBG of the standard pledit.txt

class Playlist : public ::testing::Test {
protected:
    test::TempFolder temp;
    test::SkinFixture skin{temp / "skin"};
    SkinState state;
    PreviewPictures previews;

    Playlist()
    {
        skin.writeBitmap(kPlEditBmp, 280, 186);
        skin.writeText("pledit.txt", test::SkinFixture::StandardPleditText());
    }
    bool compose(int32_t w, int32_t h)
    {
        return ComposePlaylist(state, previews, skin.path("pledit.bmp"), skin.path("pledit.txt"), w, h);
    }
    const Bitmap& picture() const { return previews.Playlist; }

    // The whole piece, or the part of it in rows [fromRow, toRow) and
    // columns [fromColumn, toColumn) of the piece, lies at (x, y).
    void expectPiece(const Rect& piece, int x, int y, Rect part = {0, 0, 1 << 20, 1 << 20})
    {
        const int right = std::min<int>(int(piece.width()), part.right);
        const int bottom = std::min<int>(int(piece.height()), part.bottom);
        for (int dy = part.top; dy < bottom; ++dy)
            for (int dx = part.left; dx < right; ++dx)
                ASSERT_EQ(picture().pixel(x + dx, y + dy),
                          FixturePixel(kPlEditBmp, piece.left + dx, piece.top + dy))
                    << "piece " << ToString(piece) << " at " << x << "," << y << " pixel " << dx << "," << dy;
    }
    void expectTextArea(const Rect& area)
    {
        EXPECT_EQ(state.PlaylistTextRect, area);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                ASSERT_EQ(picture().pixel(x, y), kTextBackground) << x << "," << y;
    }
};

constexpr Rect kTopLeft{0, 0, 25, 20};
constexpr Rect kTitle{26, 0, 126, 20};
constexpr Rect kTopFiller{127, 0, 152, 20};
constexpr Rect kTopRight{153, 0, 178, 20};
constexpr Rect kLeftSide{0, 42, 25, 71};
constexpr Rect kRightSide{26, 42, 51, 71};
constexpr Rect kBottomLeft{0, 72, 125, 110};
constexpr Rect kBottomFiller{179, 0, 204, 38};
constexpr Rect kBottomRight{126, 72, 276, 110};

TEST_F(Playlist, BaseSizeTilesTheWindowAroundItsTextArea)
{
    ASSERT_TRUE(compose(0, 0));
    ASSERT_EQ(picture().width(), 275);
    ASSERT_EQ(picture().height(), 116);
    expectPiece(kTopLeft, 0, 0);
    // Nine fillers at 25 to 225; the title covers x 87 to 186.
    expectPiece(kTopFiller, 25, 0);
    expectPiece(kTopFiller, 50, 0);
    expectPiece(kTopFiller, 75, 0, {0, 0, 12, 20});
    expectPiece(kTopFiller, 175, 0, {12, 0, 25, 20});
    expectPiece(kTopFiller, 225, 0);
    expectPiece(kTitle, 87, 0);
    expectPiece(kTopRight, 250, 0);
    // Side rows at 20 and 49; the text area hides all but the outer columns.
    for (int y : {20, 49}) {
        expectPiece(kLeftSide, 0, y, {0, 0, 12, 29});
        expectPiece(kRightSide, 250, y, {5, 0, 25, 29});
    }
    expectPiece(kBottomLeft, 0, 78, {0, 1, 125, 38});
    expectPiece(kBottomLeft, 0, 78, {0, 0, 12, 1});
    expectPiece(kBottomRight, 125, 78, {0, 1, 150, 38});
    expectTextArea({12, 20, 255, 79});
    EXPECT_EQ(state.PlaylistWidthSteps, 0);
    EXPECT_EQ(state.PlaylistHeightSteps, 0);
}

TEST_F(Playlist, StepsGrowThePictureByTilesOf25And29)
{
    ASSERT_TRUE(compose(2, 1));
    ASSERT_EQ(picture().width(), 325);
    ASSERT_EQ(picture().height(), 145);
    EXPECT_EQ(state.PlaylistWidthSteps, 2);
    EXPECT_EQ(state.PlaylistHeightSteps, 1);
    expectPiece(kTitle, 112, 0);
    expectPiece(kTopFiller, 25 * 11, 0);
    expectPiece(kTopRight, 300, 0);
    for (int y : {20, 49, 78}) {
        expectPiece(kLeftSide, 0, y, {0, 0, 12, 29});
        expectPiece(kRightSide, 300, y, {5, 0, 25, 29});
    }
    expectPiece(kBottomLeft, 0, 107, {0, 1, 125, 38});
    expectPiece(kBottomFiller, 125, 107, {0, 1, 25, 38});
    expectPiece(kBottomFiller, 150, 107, {0, 1, 25, 38});
    expectPiece(kBottomRight, 175, 107, {0, 1, 150, 38});
    expectTextArea({12, 20, 305, 108});

    // Odd picture widths centre the title with the division truncated.
    ASSERT_TRUE(compose(1, 0));
    expectPiece(kTitle, 100, 0);
}

TEST_F(Playlist, ReadsTheColoursAndTakesDefaultsWithoutPleditTxt)
{
    ASSERT_TRUE(compose(0, 0));
    EXPECT_EQ(state.PlaylistNormalColor, MakeColor(0, 255, 0));
    EXPECT_EQ(state.PlaylistCurrentColor, kWhite);
    EXPECT_EQ(state.PlaylistNormalBGColor, kTextBackground);
    EXPECT_EQ(state.PlaylistSelectedBGColor, MakeColor(0, 0, 0xC6));

    // Without pledit.txt: the classic player's colours, the text area black.
    skin.remove("pledit.txt");
    ASSERT_TRUE(compose(0, 0));
    EXPECT_EQ(state.PlaylistNormalColor, MakeColor(0, 255, 0));
    EXPECT_EQ(state.PlaylistCurrentColor, kWhite);
    EXPECT_EQ(state.PlaylistNormalBGColor, kBlack);
    EXPECT_EQ(state.PlaylistSelectedBGColor, kBlue);
    EXPECT_EQ(picture().pixel(100, 50), kBlack);
}

TEST_F(Playlist, MissingPleditBmpChangesNothing)
{
    ASSERT_TRUE(compose(2, 1));
    const Bitmap before = picture();
    skin.remove("pledit.bmp");
    EXPECT_FALSE(compose(5, 5));
    EXPECT_TRUE(test::SamePixels(picture(), before));
    EXPECT_EQ(state.PlaylistWidthSteps, 2);
    EXPECT_EQ(state.PlaylistHeightSteps, 1);
}

TEST_F(Playlist, BadColourGivesABlackTextAreaAndTheCompositionGoesOn)
{
    skin.writeText("pledit.txt", "[Text]\r\nNormalBG=#0F0\r\n");
    ASSERT_TRUE(compose(3, 3));
    EXPECT_EQ(picture().width(), 350);
    EXPECT_EQ(picture().pixel(100, 50), kBlack);
}

// Pieces a small pledit.bmp does not hold stay black, never what the
// previous skin left there.
TEST_F(Playlist, SmallPleditBmpLeavesUndrawnPixelsBlack)
{
    ASSERT_TRUE(compose(0, 0));
    skin.writeBitmap(kPlEditBmp, 100, 30);
    ASSERT_TRUE(compose(0, 0));
    EXPECT_EQ(picture().pixel(260, 5), kBlack);   // top-right corner is outside the source
    EXPECT_EQ(picture().pixel(5, 100), kBlack);   // so is the bottom row
    expectPiece(kTopLeft, 0, 0);
}

TEST(PlaylistSteps, NegativeAndOversizeCountsAreClampedToPicturesThatExist)
{
    EXPECT_EQ(ClampPlaylistSteps(-1, -7), (PlaylistSteps{0, 0}));
    EXPECT_EQ(ClampPlaylistSteps(40, 40), (PlaylistSteps{40, 40}));
    // 644 steps give 16375 pixels, the widest under the side limit.
    EXPECT_EQ(ClampPlaylistSteps(100000, 3).Width, 644);
    EXPECT_EQ(ClampPlaylistSteps(3, 100000).Height, 560);
    // The largest picture is one that "preview" and "check" read again.
    const PlaylistSteps huge = ClampPlaylistSteps(INT32_MAX, INT32_MAX);
    const long long width = 275 + 25LL * huge.Width, height = 116 + 29LL * huge.Height;
    EXPECT_LE(width * height, kMaxDecodedPixels);
    EXPECT_GT(width * (height + 29), kMaxDecodedPixels);
}

TEST_F(Playlist, NegativeStepsComposeTheBaseSize)
{
    ASSERT_TRUE(compose(-3, -100));
    EXPECT_EQ(picture().width(), 275);
    EXPECT_EQ(picture().height(), 116);
    EXPECT_EQ(state.PlaylistWidthSteps, 0);
    EXPECT_EQ(state.PlaylistHeightSteps, 0);
}

} // namespace
} // namespace tf
