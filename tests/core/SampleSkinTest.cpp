// The bundled sample skin under data/sample: complete, at the standard
// sizes, in the file formats real skins use, and loading without a single
// message.

#include "platform/ImageFile.h"
#include "platform/IniLineLookup.h"
#include "platform/Numbers.h"
#include "platform/SplitRule.h"
#include "platform/TextFile.h"
#include "skin/SkinTextFiles.h"
#include "support/SessionFixture.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tf {
namespace {

namespace fs = std::filesystem;

fs::path SampleFolder() { return test::SourceFolder() / "data" / "sample"; }

struct SampleBitmap {
    const char* Name;
    int Width;
    int Height;
};

constexpr SampleBitmap kBitmaps[] = {
    {"main.bmp", 275, 116},    {"cbuttons.bmp", 136, 36}, {"shufrep.bmp", 92, 85},  {"titlebar.bmp", 344, 87},
    {"pledit.bmp", 280, 186},  {"eqmain.bmp", 275, 315},  {"posbar.bmp", 307, 10},  {"numbers.bmp", 99, 13},
    {"nums_ex.bmp", 108, 13},  {"text.bmp", 155, 18},     {"volume.bmp", 68, 433},  {"balance.bmp", 47, 433},
    {"monoster.bmp", 56, 24},
};

constexpr const char* kTextFiles[] = {"region.txt", "viscolor.txt", "pledit.txt", "Sexyfont.txt", "Maron.txt"};

uint16_t ReadU16(const std::string& bytes, size_t offset)
{
    return uint16_t(uint8_t(bytes[offset]) | (uint8_t(bytes[offset + 1]) << 8));
}

TEST(SampleSkinTest, EveryBitmapIsA24BitFileOfTheStandardSize)
{
    for (const SampleBitmap& bitmap : kBitmaps) {
        SCOPED_TRACE(bitmap.Name);
        const fs::path path = SampleFolder() / bitmap.Name;
        ASSERT_TRUE(fs::is_regular_file(path));
        const std::string bytes = ReadFileBytes(path);
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(ReadU16(bytes, 28), 24) << "bits per pixel";
        const QImage image = DecodeImageFile(path);
        EXPECT_EQ(image.width(), bitmap.Width);
        EXPECT_EQ(image.height(), bitmap.Height);
    }
}

TEST(SampleSkinTest, TextFilesArePresentWithCrLfLineEnds)
{
    for (const char* name : kTextFiles) {
        SCOPED_TRACE(name);
        const fs::path path = SampleFolder() / name;
        ASSERT_TRUE(fs::is_regular_file(path));
        const std::string text = ReadFileBytes(path);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;
            }
        }
    }
}

TEST(SampleSkinTest, RegionOutlinesBothWindowsWithRoundedCorners)
{
    const TStringList lines = ReadLines(SampleFolder() / "region.txt");
    for (const char* section : {"Normal", "Equalizer"}) {
        SCOPED_TRACE(section);
        TIntegerArray counts;
        TPointArray points;
        SplitToIntegers(ReadIniValue(lines, section, "NumPoints"), ',', counts);
        SplitToPoints(ReadIniValue(lines, section, "PointList"), ',', points);
        ASSERT_FALSE(counts.empty());
        EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), int(points.size()));

        TIntegerArray regionCounts;
        TPointArray regionPoints;
        const std::optional<Region> region = ReadRegion(lines, section, regionCounts, regionPoints);
        ASSERT_TRUE(region.has_value());
        EXPECT_FALSE(region->contains(0, 0));
        EXPECT_FALSE(region->contains(274, 115));
        EXPECT_TRUE(region->contains(3, 0));
        EXPECT_TRUE(region->contains(0, 3));
        EXPECT_TRUE(region->contains(137, 58));
        EXPECT_TRUE(region->contains(274, 112));
    }
}

TEST(SampleSkinTest, ViscolorHas24LinesOfThreeChannels)
{
    const TStringList lines = ReadLines(SampleFolder() / "viscolor.txt");
    ASSERT_EQ(lines.size(), 24u);
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        TStringList items;
        ASSERT_GE(SplitToList(NumericPrefix(line), ',', items), 3);
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(IsNumber(items[i]));
            const int channel = StrToInt(items[i]);
            EXPECT_TRUE(channel >= 0 && channel <= 255);
        }
        EXPECT_NE(line.find("//"), std::string::npos) << "each colour says what it is for";
    }
}

QImage SampleImage(const char* name) { return DecodeImageFile(SampleFolder() / name); }

bool IsBlank(const QImage& cell)
{
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            if (cell.pixel(x, y) != cell.pixel(0, 0))
                return false;
        }
    }
    return true;
}

// A character missing from the glyph table would come out as another
// glyph; every drawn cell must be one of its own.
TEST(SampleSkinTest, TextFontHasADistinctGlyphForEveryCharacter)
{
    const QImage font = SampleImage("text.bmp");
    std::vector<std::pair<int, QImage>> drawn;
    int blanks = 0;
    for (int cell = 0; cell < 31 * 3; ++cell) {
        const QImage glyph = font.copy(5 * (cell % 31), 6 * (cell / 31), 5, 6);
        if (IsBlank(glyph)) {
            ++blanks;
            continue;
        }
        for (const auto& [other, image] : drawn)
            EXPECT_NE(glyph, image) << "cells " << other << " and " << cell;
        drawn.emplace_back(cell, glyph);
    }
    // Row 0 holds 28 glyphs, row 1 31, row 2 5; the rest is blank.
    EXPECT_EQ(drawn.size(), 64u);
    EXPECT_EQ(blanks, 3 + 26);
}

TEST(SampleSkinTest, DigitCellsAreDistinctAndTheExtendedSetHasAMinus)
{
    const QImage numbers = SampleImage("numbers.bmp");
    const QImage extended = SampleImage("nums_ex.bmp");
    for (int a = 0; a < 11; ++a) {
        EXPECT_EQ(numbers.copy(9 * a, 0, 9, 13), extended.copy(9 * a, 0, 9, 13)) << "cell " << a;
        for (int b = a + 1; b < 11; ++b)
            EXPECT_NE(numbers.copy(9 * a, 0, 9, 13), numbers.copy(9 * b, 0, 9, 13)) << a << " and " << b;
    }
    EXPECT_NE(extended.copy(99, 0, 9, 13), extended.copy(90, 0, 9, 13));
    // The plain set's minus is the middle bar of the 2.
    EXPECT_NE(numbers.pixel(20, 6), numbers.pixel(0, 0));
}

// The converter cuts the time colon out of main.bmp and draws no title-bar
// pieces on the inactive image, so both must be painted into main.bmp.
TEST(SampleSkinTest, MainWindowCarriesTheColonAndTheClutterBar)
{
    const QImage main = SampleImage("main.bmp");
    EXPECT_FALSE(IsBlank(main.copy(70, 26, 9, 13)));
    EXPECT_EQ(main.copy(10, 22, 8, 43), SampleImage("titlebar.bmp").copy(304, 0, 8, 43));
}

// The converter draws the 0 dB track 13 columns wide and lets the
// background show in the 14th, so that column must match it.
TEST(SampleSkinTest, EqualizerTrackEdgeMatchesTheBackground)
{
    const QImage eq = SampleImage("eqmain.bmp");
    const QImage edge = eq.copy(13 + 13, 229, 1, 63);
    EXPECT_EQ(eq.copy(21 + 13, 38, 1, 63), edge) << "preamp";
    for (int band = 0; band < 10; ++band)
        EXPECT_EQ(eq.copy(78 + 18 * band + 13, 38, 1, 63), edge) << "band " << band;
}

// Loading the sample shows no message (no rectangle goes negative, no colour
// fails to parse), takes the text colour from the glyphs rather than the
// background, and keeps every part of the skin switched on.
TEST(SampleSkinTest, LoadsWithoutMessagesAndKeepsEveryPart)
{
    test::SessionFixture fixture;
    fixture.load(SampleFolder());
    const SkinState& state = fixture.state();
    EXPECT_TRUE(fixture.Prompts.shown().empty());
    EXPECT_NE(state.TextColor, state.ShadowColor);
    EXPECT_EQ(state.TextColor, FromQRgb(DecodeImageFile(SampleFolder() / "text.bmp").pixel(0, 1)));
    EXPECT_NE(state.PlaylistNormalColor, state.PlaylistNormalBGColor);
    EXPECT_TRUE(state.ShowScrollText && state.ShowTime && state.ShowInfo && state.ShowSeekBar);
    EXPECT_TRUE(state.ShowAnalyzer);
    EXPECT_TRUE(state.ScrollTextFont().Shadow);
    EXPECT_TRUE(state.HasVolumeImage && state.HasPanImage);
    // The region clips the corners of the composed images to magenta.
    EXPECT_EQ(state.MainNormalImage.pixel(0, 0), kMagenta);
    EXPECT_NE(state.MainNormalImage.pixel(137, 58), kMagenta);
}

// The splash window sizes itself to the picture; the bundled one keeps the
// window's design size.
TEST(BundledSplashTest, StartPictureIsAJpegOfTheSplashSize)
{
    const fs::path path = test::SourceFolder() / "data" / "Start.jpg";
    const std::string bytes = ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes.substr(0, 3), "\xFF\xD8\xFF");
    const QImage picture = DecodeImageFile(path);
    EXPECT_EQ(picture.width(), 322);
    EXPECT_EQ(picture.height(), 185);
}

} // namespace
} // namespace tf
