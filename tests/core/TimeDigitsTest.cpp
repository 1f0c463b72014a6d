#include "skin/TimeDigits.h"

#include "platform/Errors.h"
#include "support/ImageChecks.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace tf {
namespace {

using test::FixturePixel;
using PixelSet = std::set<std::pair<int, int>>;

class TimeDigits : public ::testing::Test {
protected:
    test::TempFolder temp;
    test::SkinFixture skin{temp / "skin"};
    SkinState state;
    EditorSettings editor;
    PreviewPictures previews;

    TimeDigits()
    {
        skin.writeBitmap(kMainBmp, 275, 116);
        state.SourceFilePaths[kMainBmp] = skin.path("main.bmp");
    }
    void render()
    {
        RenderTimeDigits(state, editor, previews, skin.path("numbers.bmp"), skin.path("nums_ex.bmp"));
    }
    const Bitmap& strip() const { return previews.TimeDigits; }

    // Pixels of the slash colour (no fixture pixel is pure blue).
    PixelSet slashPixels() const
    {
        PixelSet pixels;
        for (int y = 0; y < strip().height(); ++y)
            for (int x = 0; x < strip().width(); ++x)
                if (strip().pixel(x, y) == editor.TimeFontColor)
                    pixels.insert({x, y});
        return pixels;
    }
    // Every pixel of cell `cell` in the first 13 rows is pixel
    // (sourceX + dx, sourceY + dy) of the file, or the slash colour when
    // allowSlash.
    void expectCell(int cell, SourceFile file, int sourceX, int sourceY, bool allowSlash = false)
    {
        for (int y = 0; y < std::min(strip().height(), 13); ++y)
            for (int dx = 0; dx < 9; ++dx) {
                const Color pixel = strip().pixel(9 * cell + dx, y);
                if (allowSlash && pixel == editor.TimeFontColor)
                    continue;
                ASSERT_EQ(pixel, FixturePixel(file, sourceX + dx, sourceY + y))
                    << "cell " << cell << " " << dx << "," << y;
            }
    }
};

TEST_F(TimeDigits, NumbersBmpAloneGivesDigitsColonSlashAndSpace)
{
    skin.writeBitmap(kNumbersBmp, 99, 13);
    render();
    ASSERT_EQ(strip().width(), 117);
    ASSERT_EQ(strip().height(), 13);
    for (int digit = 0; digit < 10; ++digit)
        expectCell(digit, kNumbersBmp, 9 * digit, 0);
    expectCell(10, kMainBmp, 70, 26);
    expectCell(11, kNumbersBmp, 90, 0, true);
    expectCell(12, kNumbersBmp, 90, 0);
    const PixelSet slash = slashPixels();
    ASSERT_FALSE(slash.empty());
    for (const auto& [x, y] : slash)
        EXPECT_TRUE(x >= 99 && x < 108) << x; // a 7-point slash fits its cell
}

TEST_F(TimeDigits, NumsExIsPreferredAndItsMinusCellOverwritten)
{
    skin.writeBitmap(kNumbersBmp, 99, 13);
    skin.writeBitmap(kNumsExBmp, 108, 13);
    render();
    expectCell(3, kNumsExBmp, 27, 0);
    expectCell(11, kNumsExBmp, 90, 0, true);
    expectCell(12, kNumsExBmp, 90, 0);
}

TEST_F(TimeDigits, HeightIsCappedAt13AndShortImagesKeepTheirOwn)
{
    skin.writeBitmap(kNumbersBmp, 99, 16);
    render();
    EXPECT_EQ(strip().height(), 13);

    skin.writeBitmap(kNumbersBmp, 99, 10);
    render();
    ASSERT_EQ(strip().height(), 10);
    expectCell(10, kMainBmp, 70, 26); // rows 26 to 35 of main.bmp
    expectCell(12, kNumbersBmp, 90, 0);
}

TEST_F(TimeDigits, TransparentModeBlackensTheKeyColourButNotTheColon)
{
    const Color key = MakeColor(10, 20, 30);
    const Color ink = MakeColor(200, 100, 50);
    QImage digits(99, 13, QImage::Format_RGB32);
    digits.fill(ToQColor(key));
    for (int x = 0; x < 99; x += 3)
        digits.setPixel(x, 6, ToQRgb(ink));
    skin.writeBitmap("numbers.bmp", digits);
    QImage main = test::FixtureImage(kMainBmp, 275, 116);
    main.setPixel(72, 30, ToQRgb(key)); // inside the colon
    skin.writeBitmap("main.bmp", main);
    editor.TransparentTime = true;
    render();

    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 90; ++x)
            ASSERT_EQ(strip().pixel(x, y), y == 6 && x % 3 == 0 ? ink : kBlack) << x << "," << y;
    EXPECT_EQ(strip().pixel(92, 4), key);
    EXPECT_EQ(strip().pixel(90, 0), FixturePixel(kMainBmp, 70, 26));
    for (int y = 0; y < 13; ++y)
        for (int x = 99; x < 117; ++x)
            if (strip().pixel(x, y) != editor.TimeFontColor) {
                ASSERT_EQ(strip().pixel(x, y), kBlack) << x << "," << y;
            }
    EXPECT_FALSE(slashPixels().empty());
}

TEST_F(TimeDigits, SlashOffsetMovesTheGlyphVertically)
{
    skin.writeBitmap(kNumbersBmp, 99, 13);
    editor.TimeFontSizeText = "6";
    render();
    const PixelSet atStart = slashPixels();
    editor.TimeSlashOffset -= 1;
    editor.TimeSlashOffset -= 1;
    editor.TimeSlashOffset += 1;
    render();
    PixelSet expected;
    for (const auto& [x, y] : atStart)
        if (y >= 1)
            expected.insert({x, y - 1});
    EXPECT_EQ(slashPixels(), expected);
}

TEST_F(TimeDigits, LargeSlashSpillsIntoNeighbouringCells)
{
    skin.writeBitmap(kNumbersBmp, 99, 13);
    editor.TimeFontSizeText = "30";
    editor.TimeFontBold = true;
    render();
    bool outside = false;
    for (const auto& [x, y] : slashPixels())
        outside = outside || x < 99 || x >= 108;
    EXPECT_TRUE(outside);
}

// A size text that is not a number stops before the slash: the strip is
// left without it and not yet cut to 13 rows.
TEST_F(TimeDigits, BadSizeTextLeavesStripWithoutSlash)
{
    skin.writeBitmap(kNumbersBmp, 99, 16);
    editor.TimeFontSizeText = "7x";
    try {
        render();
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Conversion);
        EXPECT_EQ(error.message(), QStringLiteral("'7x' は整数ではありません"));
    }
    EXPECT_EQ(strip().width(), 117);
    EXPECT_EQ(strip().height(), 16);
    EXPECT_TRUE(slashPixels().empty());
    expectCell(10, kMainBmp, 70, 26);

    editor.TimeFontSizeText = "7";
    render();
    EXPECT_EQ(strip().height(), 13);
    EXPECT_FALSE(slashPixels().empty());
}

TEST_F(TimeDigits, WithoutDigitImagesTheStripStaysAsItWas)
{
    skin.writeBitmap(kNumbersBmp, 99, 13);
    render();
    const Bitmap before = strip();
    skin.remove("numbers.bmp");
    render();
    EXPECT_TRUE(test::SamePixels(strip(), before));
}

// Absurd sizes the text box lets through must neither fail nor hang.
TEST_F(TimeDigits, ExtremeFontSizesStillRender)
{
    skin.writeBitmap(kNumbersBmp, 99, 13);
    for (const char* size : {"0", "-7", "2000", "-2147483648", "2147483647"}) {
        editor.TimeFontSizeText = size;
        EXPECT_NO_THROW(render()) << size;
        EXPECT_EQ(strip().height(), 13) << size;
    }
}

} // namespace
} // namespace tf
