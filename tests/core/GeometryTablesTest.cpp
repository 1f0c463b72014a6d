#include "skin/GeometryTables.h"
#include "support/ScriptedPrompts.h"

#include "platform/Errors.h"
#include "platform/SplitRule.h"
#include "skin/SkinSession.h"
#include "skin/SliderStrips.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

class GeometryFilesTest : public ::testing::Test {
protected:
    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(folder / name, std::ios::binary) << text;
    }

    test::TempFolder folder;
    ScriptedPrompts prompts;
    PartRectTable rects{};
};

TEST_F(GeometryFilesTest, ShippedFilesFillTheirSlots)
{
    ReadStartupGeometry(rects, test::BinFolder(), prompts);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(rects[0], (Rect{0, 0, 23, 18}));
    EXPECT_EQ(rects[18 + 5], (Rect{114, 16, 136, 32}));
    EXPECT_EQ(rects[36 + 13], (Rect{10, 22, 18, 65}));
    EXPECT_EQ(rects[67], (Rect{13, 229, 26, 292}));
    EXPECT_EQ(rects[82], (Rect{21, 38, 34, 101}));
    EXPECT_EQ(rects[105], (Rect{224, 164, 268, 176}));
    EXPECT_EQ(rects[106], Rect{});
    EXPECT_EQ(rects[107], Rect{});
}

TEST_F(GeometryFilesTest, MissingFilesWarnOnceEachInReadingOrder)
{
    write("btnspos.dat", "heading\r\n1 2 3 4\r\n");
    ReadStartupGeometry(rects, folder.path(), prompts);
    ASSERT_EQ(prompts.shown().size(), 3u);
    EXPECT_EQ(prompts.shown()[0].Caption, QStringLiteral("注意"));
    EXPECT_EQ(prompts.shown()[0].Icon, MessageIcon::Warning);
    EXPECT_EQ(prompts.shown()[0].Text, QStringLiteral("\"loadbtns1.dat\"がありませんので正しく処理ができません"));
    EXPECT_TRUE(prompts.shown()[1].Text.startsWith(QStringLiteral("\"loadbtns2.dat\"")));
    EXPECT_TRUE(prompts.shown()[2].Text.startsWith(QStringLiteral("\"eqpos.dat\"")));
    EXPECT_EQ(rects[36], (Rect{1, 2, 3, 4}));
}

TEST_F(GeometryFilesTest, DataFilesAreFoundInAnyLetterCase)
{
    PartRectTable shipped{};
    ReadStartupGeometry(shipped, test::BinFolder(), prompts);
    for (const char* name : {"LOADBTNS1.DAT", "LoadBtns2.dat", "BTNSPOS.DAT", "EqPos.Dat", "PAN.DAT"}) {
        std::string lower(name);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return char(std::tolower(c)); });
        fs::copy_file(test::BinFolder() / lower, folder / name);
    }
    prompts.clear();
    ReadStartupGeometry(rects, folder.path(), prompts);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(rects, shipped);

    test::SkinFixture skin(folder / "skin");
    skin.writeBitmap(kBalanceBmp, 47, 433);
    SkinState state;
    EXPECT_TRUE(ComposePan(state, skin.path("balance.bmp"), folder.path()));
}

// Read once per process and shared by every session, yet never stale: a
// changed or removed file is read again, with its warning.
TEST_F(GeometryFilesTest, SessionsShareTheDataUntilAFileChanges)
{
    for (const char* name : {"loadbtns1.dat", "loadbtns2.dat", "btnspos.dat", "eqpos.dat", "pan.dat"})
        fs::copy_file(test::BinFolder() / name, folder / name);
    const auto start = [&] {
        SkinSession session(folder.path(), prompts);
        InitializeSession(session);
        return session.State.PartRects;
    };
    const PartRectTable shipped = start();
    EXPECT_EQ(start(), shipped);
    write("loadbtns1.dat", "heading\r\n1 2 3 4\r\n");
    EXPECT_EQ(start()[0], (Rect{1, 2, 3, 4}));
    fs::remove(folder / "eqpos.dat");
    prompts.clear();
    EXPECT_EQ(start()[67], Rect{});
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(prompts.shown()[0].Text.startsWith(QStringLiteral("\"eqpos.dat\"")));
}

TEST_F(GeometryFilesTest, HeadingOnlyStoresNothing)
{
    write("loadbtns1.dat", "only a heading\r\n");
    TStringList items;
    ReadGeometryFile(rects, folder.path(), kStartupGeometryFiles[0], items, prompts);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(rects[0], Rect{});
}

TEST_F(GeometryFilesTest, ExtraRowsNeverSpillIntoTheNextRange)
{
    std::string text = "h\r\n";
    for (int row = 0; row < 20; ++row)
        text += std::to_string(row) + " 0 0 0\r\n";
    write("loadbtns1.dat", text);
    TStringList items;
    ReadGeometryFile(rects, folder.path(), kStartupGeometryFiles[0], items, prompts);
    EXPECT_EQ(rects[17].left, 17);
    EXPECT_EQ(rects[18], Rect{});
}

TEST_F(GeometryFilesTest, EmptyLineRepeatsThePreviousRowAcrossFiles)
{
    write("loadbtns1.dat", "h\r\n1 2 3 4\r\n");
    write("loadbtns2.dat", "h\r\n\r\n5 6 7 8\r\n");
    write("eqpos.dat", "h\r\n13, 229,26 ,292\r\n13,229,26,292\r\n");
    TStringList items;
    ReadGeometryFile(rects, folder.path(), kStartupGeometryFiles[0], items, prompts);
    ReadGeometryFile(rects, folder.path(), kStartupGeometryFiles[1], items, prompts);
    ReadGeometryFile(rects, folder.path(), kStartupGeometryFiles[3], items, prompts);
    EXPECT_EQ(rects[18], (Rect{1, 2, 3, 4}));
    EXPECT_EQ(rects[19], (Rect{5, 6, 7, 8}));
    EXPECT_EQ(rects[54], rects[55]) << "blanks after the commas change nothing";
}

TEST_F(GeometryFilesTest, MalformedRowsAreErrorsThatNameTheFile)
{
    TStringList items;
    for (const std::string& text : {std::string("h\r\n\r\n"), std::string("h\r\n   \r\n"),
                                    std::string("h\r\n1 2 3\r\n")}) {
        write("loadbtns1.dat", text);
        items.clear();
        try {
            ReadGeometryFile(rects, folder.path(), kStartupGeometryFiles[0], items, prompts);
            ADD_FAILURE() << "no error for " << text;
        } catch (const AppError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::ListIndex);
            EXPECT_TRUE(error.message().contains(QStringLiteral("loadbtns1.dat")));
            EXPECT_TRUE(error.message().contains(QStringLiteral("リストのインデックスが範囲を超えています")));
        }
    }
    write("loadbtns1.dat", "h\r\n1 2 x 4\r\n");
    EXPECT_THROW(ReadGeometryFile(rects, folder.path(), kStartupGeometryFiles[0], items, prompts), AppError);
}

TEST_F(GeometryFilesTest, StartUpReportsAMalformedFileAndGoesOn)
{
    write("loadbtns1.dat", "h\r\n1 2 x 4\r\n");
    write("loadbtns2.dat", "h\r\n5 6 7 8\r\n");
    write("btnspos.dat", "h\r\n");
    write("eqpos.dat", "h\r\n");
    ReadStartupGeometry(rects, folder.path(), prompts);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].Icon, MessageIcon::Error);
    EXPECT_EQ(prompts.shown()[0].Caption, kApplicationTitle);
    EXPECT_TRUE(prompts.shown()[0].Text.contains(QStringLiteral("'x' は整数ではありません")));
    EXPECT_EQ(rects[18], (Rect{5, 6, 7, 8}));
}

} // namespace
} // namespace tf
