#include "skin/AnalyzerPattern.h"

#include "platform/Errors.h"
#include "support/ImageChecks.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf {
namespace {

class AnalyzerPattern : public ::testing::Test {
protected:
    test::TempFolder temp;
    test::SkinFixture skin{temp / "skin"};
    SkinState state;
    PreviewPictures previews;

    bool build(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        skin.writeText("viscolor.txt", text);
        return BuildAnalyzerPattern(state, previews, skin.path("viscolor.txt"));
    }
    // Lines 0 to count - 1, line n giving RGB(n, 2n, 3n).
    static std::vector<std::string> Numbered(int count)
    {
        std::vector<std::string> lines;
        for (int n = 0; n < count; ++n)
            lines.push_back(std::to_string(n) + "," + std::to_string(2 * n) + "," + std::to_string(3 * n)
                            + ", // line " + std::to_string(n));
        return lines;
    }
    static Color NumberedColor(int n) { return MakeColor(n, 2 * n, 3 * n); }
};

TEST_F(AnalyzerPattern, StandardFileGivesRowsOscilloscopeAndPeak)
{
    state.AnalyzerPreviewScale = 2;
    ASSERT_TRUE(build(Numbered(24)));
    ASSERT_EQ(previews.Analyzer.width(), 5);
    ASSERT_EQ(previews.Analyzer.height(), 16);
    for (int row = 0; row < 16; ++row) {
        EXPECT_EQ(state.AnalyzerColors[size_t(row)], NumberedColor(row + 2)) << row;
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(previews.Analyzer.pixel(x, row), NumberedColor(row + 2)) << x << "," << row;
    }
    EXPECT_EQ(state.OscilloColor, NumberedColor(18));
    EXPECT_EQ(state.PeakColor, NumberedColor(23));
    EXPECT_EQ(previews.AnalyzerPreviewSize, QSize(10, 32));
}

TEST_F(AnalyzerPattern, ColourLinesTolerateBlanksCommentsAndWideNumbers)
{
    std::vector<std::string> lines = Numbered(24);
    lines[2] = "24,33,40";
    lines[3] = "24, 33, 40 // with blanks";
    lines[4] = " 24 33 40";
    lines[5] = "24,33,40,99,100";
    lines[6] = "300,256,511"; // low 8 bits
    ASSERT_TRUE(build(lines));
    for (size_t row = 0; row < 4; ++row)
        EXPECT_EQ(state.AnalyzerColors[row], MakeColor(24, 33, 40)) << row;
    EXPECT_EQ(state.AnalyzerColors[4], MakeColor(44, 0, 255));
}

// A line without three numbers repeats the row above; above row 0 the
// carried colour is white.
TEST_F(AnalyzerPattern, ShortLinesCarryTheColourAbove)
{
    std::vector<std::string> lines = Numbered(24);
    lines[2] = "1,2";
    lines[5] = "";
    lines[6] = "// comment only";
    lines[10] = "7";
    lines[18] = "";
    lines[23] = "x";
    ASSERT_TRUE(build(lines));
    EXPECT_EQ(state.AnalyzerColors[0], kWhite);
    EXPECT_EQ(state.AnalyzerColors[1], NumberedColor(3));
    EXPECT_EQ(state.AnalyzerColors[3], NumberedColor(5 - 1));
    EXPECT_EQ(state.AnalyzerColors[4], NumberedColor(5 - 1));
    EXPECT_EQ(state.AnalyzerColors[8], NumberedColor(9));
    EXPECT_EQ(state.AnalyzerColors[9], NumberedColor(11));
    EXPECT_EQ(state.OscilloColor, kWhite);
    EXPECT_EQ(state.PeakColor, kWhite);

    // The carried colour starts white at every build.
    lines[2] = "1,2,3";
    lines[3] = "";
    ASSERT_TRUE(build(lines));
    lines[2] = "";
    ASSERT_TRUE(build(lines));
    EXPECT_EQ(state.AnalyzerColors[0], kWhite);
    EXPECT_EQ(state.AnalyzerColors[1], kWhite);
}

TEST_F(AnalyzerPattern, PeakColourNeedsAtLeast24Lines)
{
    state.PeakColor = MakeColor(1, 2, 3);
    for (int count : {19, 20, 23}) {
        ASSERT_TRUE(build(Numbered(count))) << count;
        EXPECT_EQ(state.AnalyzerColors[15], NumberedColor(17)) << count;
        EXPECT_EQ(state.OscilloColor, NumberedColor(18)) << count;
        EXPECT_EQ(state.PeakColor, MakeColor(1, 2, 3)) << count;
    }
}

// Lines up to the oscilloscope's must exist and their numbers parse; a
// failure keeps the colours read so far and leaves the pattern as it was.
TEST_F(AnalyzerPattern, ShortFileOrBadNumberStopsBeforeThePattern)
{
    ASSERT_TRUE(build(Numbered(24)));
    const Bitmap pattern = previews.Analyzer;
    std::vector<std::string> lines(10, "9,9,9");
    state.AnalyzerPreviewScale = 2;
    try {
        build(lines);
        ADD_FAILURE() << "no error for a 10-line file";
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::ListIndex);
        EXPECT_TRUE(error.message().endsWith(QStringLiteral("リストのインデックスが範囲を超えています (10)")))
            << error.what();
        EXPECT_TRUE(error.message().contains(QStringLiteral("viscolor.txt"))) << error.what();
    }
    EXPECT_EQ(state.AnalyzerColors[7], MakeColor(9, 9, 9));
    EXPECT_EQ(state.AnalyzerColors[8], NumberedColor(10));
    EXPECT_TRUE(test::SamePixels(previews.Analyzer, pattern));
    EXPECT_EQ(previews.AnalyzerPreviewSize, QSize(5, 16));

    for (const auto& [bad, item] : {std::pair{"1,,3", ""}, std::pair{"99999999999,0,0", "99999999999"}}) {
        lines = Numbered(24);
        lines[4] = bad;
        try {
            build(lines);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const AppError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Conversion);
            EXPECT_TRUE(error.message().endsWith(QStringLiteral("'%1' は整数ではありません").arg(item)))
                << error.what();
        }
    }
}

TEST_F(AnalyzerPattern, MissingFileChangesNothing)
{
    ASSERT_TRUE(build(Numbered(24)));
    skin.remove("viscolor.txt");
    state.AnalyzerPreviewScale = 2;
    const auto colors = state.AnalyzerColors;
    EXPECT_FALSE(BuildAnalyzerPattern(state, previews, skin.path("viscolor.txt")));
    EXPECT_EQ(state.AnalyzerColors, colors);
    EXPECT_EQ(previews.AnalyzerPreviewSize, QSize(5, 16));
}

} // namespace
} // namespace tf
