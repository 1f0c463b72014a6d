#include "platform/Errors.h"
#include "platform/FolderDeletion.h"
#include "platform/Gradient.h"
#include "platform/IniLineLookup.h"
#include "platform/Numbers.h"
#include "platform/RectText.h"
#include "platform/SplitRule.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

TEST(SplitRule, IntegersFromCommaLists)
{
    TIntegerArray values;
    EXPECT_EQ(SplitToIntegers("4, 4", ',', values), 2);
    EXPECT_EQ(values, (TIntegerArray{4, 4}));
    EXPECT_EQ(SplitToIntegers("4,,4", ',', values), 3);
    EXPECT_EQ(values, (TIntegerArray{4, 0, 4}));
    EXPECT_EQ(SplitToIntegers("4,", ',', values), 2);
    EXPECT_EQ(values, (TIntegerArray{4, 0}));
    EXPECT_EQ(SplitToIntegers("a,5", ',', values), 2);
    EXPECT_EQ(values, (TIntegerArray{0, 5}));
    // A blank also ends an item; blanks around the equals sign become items.
    EXPECT_EQ(SplitToIntegers("= 4", ',', values), 2);
    EXPECT_EQ(values, (TIntegerArray{0, 4}));
    // Empty text leaves the array as it was.
    EXPECT_EQ(SplitToIntegers("", ',', values), 0);
    EXPECT_EQ(values, (TIntegerArray{0, 4}));
}

TEST(SplitRule, PointsDropAnOddLastItem)
{
    TPointArray points;
    EXPECT_EQ(SplitToPoints("0,0,275,0,275", ',', points), 2);
    EXPECT_EQ(points, (TPointArray{{0, 0}, {275, 0}}));
    EXPECT_EQ(SplitToPoints("", ',', points), 0);
    EXPECT_EQ(points.size(), 2u);
}

TEST(SplitRule, ListsQuotesAndBlanks)
{
    TStringList list;
    EXPECT_EQ(SplitToList("1 2 3 4", ' ', list), 4);
    EXPECT_EQ(list, (TStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(SplitToList("", ' ', list), 0);
    EXPECT_EQ(list.size(), 4u);
    EXPECT_EQ(SplitToList("x", '\0', list), 0);
    EXPECT_EQ(SplitToList("  13,229 ,  26,292", ',', list), 4);
    EXPECT_EQ(list, (TStringList{"13", "229", "26", "292"}));
    EXPECT_EQ(SplitToList("\"a b\",\"say \"\"hi\"\"\",c", ',', list), 3);
    EXPECT_EQ(list, (TStringList{"a b", "say \"hi\"", "c"}));
    EXPECT_EQ(SplitToList("1 2", ',', list), 2);
    EXPECT_EQ(SplitToList("   ", ',', list), 0);
    EXPECT_TRUE(list.empty());
}

TEST(NumberRule, IsNumber)
{
    for (const char* yes : {"12", " 12", "-3", "$1F", "0x1f", "+7", "2147483647", "-2147483648"})
        EXPECT_TRUE(IsNumber(yes)) << yes;
    for (const char* no : {"", "1.5", "12a", "12 ", "2147483648", "$", "0x", "-", " "})
        EXPECT_FALSE(IsNumber(no)) << no;
}

TEST(NumberRule, StrToRectParsesBottomFirstAndRaisesTheConversionError)
{
    EXPECT_EQ(StrToRect("1", "2", "3", "4"), (Rect{1, 2, 3, 4}));
    try {
        StrToRect("x", "2", "3", "y");
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Conversion);
        EXPECT_EQ(error.message(), QStringLiteral("'y' は整数ではありません"));
    }
}

TEST(TextHelpers, NumericPrefixAndRectText)
{
    EXPECT_EQ(NumericPrefix("24,33,41, // top"), "24,33,41, ");
    EXPECT_EQ(NumericPrefix("24\t,1"), "24");
    EXPECT_EQ(RectToText({1, 2, 3, 4}), "1 2 3 4");
    EXPECT_EQ(RectToStr({-1, 2, 3, 4}, ", "), "-1, 2, 3, 4");
}

TEST(ReadIniValue, FindsKeysFromTheSectionOn)
{
    EXPECT_EQ(ReadIniValue({"[Normal]", "NumPoints=4"}, "Normal", "NumPoints"), "4");
    EXPECT_EQ(ReadIniValue({"[normal]", "numpoints=4"}, "Normal", "NumPoints"), "4");
    // A section without the key takes it from a later section.
    EXPECT_EQ(ReadIniValue({"[Normal]", "[Equalizer]", "NumPoints=7"}, "Normal", "NumPoints"), "7");
    // Keys before the header do not count.
    EXPECT_EQ(ReadIniValue({"NumPoints=1", "[Normal]"}, "Normal", "NumPoints"), "");
    // Blanks around the equals sign stay in the value.
    EXPECT_EQ(ReadIniValue({"[Normal]", "NumPoints = 4"}, "Normal", "NumPoints"), "= 4");
    // The value keeps its letter case.
    EXPECT_EQ(ReadIniValue({"[NORMAL]", "POINTLIST=Ab"}, "Normal", "PointList"), "Ab");
    EXPECT_EQ(ReadIniValue({"[Normal]", "NumPoints"}, "Normal", "NumPoints"), "");
    EXPECT_EQ(ReadIniValue({}, "Normal", "NumPoints"), "");
    EXPECT_EQ(ReadIniValue({"[Normal]", "x=1"}, "", "x"), "");
}

TEST(PaintGradient, BlackToWhiteRamp)
{
    Bitmap canvas(70, 3);
    PaintGradient({0, 0, 65, 2}, canvas, 0, 1, {kBlack, kWhite});
    EXPECT_EQ(canvas.pixel(0, 0), kBlack);
    EXPECT_EQ(canvas.pixel(64, 1), kWhite);
    EXPECT_EQ(canvas.pixel(64, 2), kBlack); // the line stops before the bottom
    EXPECT_EQ(canvas.pixel(65, 0), kBlack);
    Bitmap pan(38, 1);
    PaintGradient({0, 0, 38, 1}, pan, 0, 1, {kBlack, kWhite});
    EXPECT_EQ(pan.pixel(19, 0), MakeColor(130, 130, 130)); // truncated, not rounded
    EXPECT_EQ(pan.pixel(37, 0), kWhite);
    Bitmap filled(4, 4);
    PaintGradient({1, 1, 3, 3}, filled, 0, 0, {kMagenta, kWhite});
    EXPECT_EQ(filled.pixel(2, 2), kMagenta);
    EXPECT_EQ(filled.pixel(3, 3), kBlack);
}

TEST(DeleteTree, RemovesEverythingButNeverFollowsLinks)
{
    test::TempFolder temp;
    const fs::path outside = temp / "outside";
    fs::create_directories(outside);
    std::ofstream(outside / "keep.txt") << "keep";
    const fs::path tree = temp / "tree";
    fs::create_directories(tree / "a" / "b");
    std::ofstream(tree / "a" / "b" / "file.bmp") << "x";
    std::ofstream(tree / "top.txt") << "x";
    fs::permissions(tree / "top.txt", fs::perms::owner_read, fs::perm_options::replace);
    fs::permissions(tree / "a" / "b", fs::perms::owner_read | fs::perms::owner_exec,
                    fs::perm_options::replace);
    TF_SKIP_ON_WINDOWS("symbolic links");
    fs::create_directory_symlink(outside, tree / "link");

    DeleteTree(tree, false);
    EXPECT_TRUE(fs::exists(tree));
    EXPECT_TRUE(fs::is_empty(tree));
    EXPECT_TRUE(fs::exists(outside / "keep.txt"));

    fs::create_directories(tree / "c");
    DeleteTree(tree, true);
    EXPECT_FALSE(fs::exists(tree));
    DeleteTree(temp / "missing", true); // never fails
}

} // namespace
} // namespace tf
