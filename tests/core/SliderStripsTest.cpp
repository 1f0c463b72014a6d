#include "skin/SliderStrips.h"

#include "platform/ArchiveText.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "skin/AnalyzerPattern.h"
#include "skin/Playlist.h"
#include "skin/SkinSession.h"
#include "skin/TimeDigits.h"
#include "support/ScriptedPrompts.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace tf {
namespace {

using test::FixturePixel;

constexpr Color kUntouched = kBlack;

std::string CountingPanTable(int lines)
{
    std::string text;
    for (int line = 0; line < lines; ++line)
        text += std::to_string(line) + "\r\n";
    return text;
}

class SliderStrips : public ::testing::Test {
protected:
    test::TempFolder temp;
    test::SkinFixture skin{temp / "skin"};
    test::SkinFixture exe{temp / "exe"};
    SkinState state;

    fs::path volume() const { return skin.path("volume.bmp"); }
    fs::path balance() const { return skin.path("balance.bmp"); }

    bool composeVolume(int width, int height)
    {
        skin.writeBitmap(kVolumeBmp, width, height);
        return ComposeVolume(state, volume());
    }
    bool composePan(int height, const std::string& table)
    {
        skin.writeBitmap(kBalanceBmp, 47, height);
        exe.writeText("pan.dat", table);
        return ComposePan(state, balance(), exe.folder());
    }
};

// Frame i of the volume strip shows band i, with the knob 2 i pixels in.
TEST_F(SliderStrips, VolumeFramesCarryBandAndMovingKnob)
{
    ASSERT_TRUE(composeVolume(68, 433));
    EXPECT_TRUE(state.HasVolumeImage);
    ASSERT_EQ(state.VolumeImage.width(), 1904);
    ASSERT_EQ(state.VolumeImage.height(), 13);
    for (int i : {0, 1, 13, 27}) {
        const int left = 68 * i;
        EXPECT_EQ(state.VolumeImage.pixel(left, 0), FixturePixel(kVolumeBmp, 0, 15 * i)) << i;
        EXPECT_EQ(state.VolumeImage.pixel(left + 67, 12), FixturePixel(kVolumeBmp, 67, 15 * i + 12)) << i;
        const int knob = left + 2 * i;
        EXPECT_EQ(state.VolumeImage.pixel(knob, 1), FixturePixel(kVolumeBmp, 15, 422)) << i;
        EXPECT_EQ(state.VolumeImage.pixel(knob + 13, 11), FixturePixel(kVolumeBmp, 28, 432)) << i;
        // Row 0 and the column before the knob keep the band.
        EXPECT_EQ(state.VolumeImage.pixel(knob, 0), FixturePixel(kVolumeBmp, 2 * i, 15 * i)) << i;
        if (i > 0) {
            EXPECT_EQ(state.VolumeImage.pixel(knob - 1, 5), FixturePixel(kVolumeBmp, 2 * i - 1, 15 * i + 5)) << i;
        }
    }
    EXPECT_EQ(state.VolumeImage.pixel(68 * 27 + 54, 1), FixturePixel(kVolumeBmp, 15, 422));
}

// 420 rows hold no knob; 419 and 430 rows hold none or part of one, and only
// the rows that exist are drawn: the rest of each frame keeps its band.
TEST_F(SliderStrips, KnobCopyDrawsOnlyTheSourceRowsThatExist)
{
    for (int height : {420, 419}) {
        ASSERT_TRUE(composeVolume(68, height)) << height;
        for (int i = 0; i < 28; ++i)
            for (int y = 0; y < 13; ++y)
                for (int x = 0; x < 68; ++x)
                    ASSERT_EQ(state.VolumeImage.pixel(68 * i + x, y), FixturePixel(kVolumeBmp, x, 15 * i + y))
                        << height << " frame " << i << " at " << x << "," << y;
    }
    ASSERT_TRUE(composeVolume(68, 430)); // knob rows 422 to 429 exist
    const int knob = 68 * 5 + 10;
    EXPECT_EQ(state.VolumeImage.pixel(knob, 8), FixturePixel(kVolumeBmp, 15, 429));
    EXPECT_EQ(state.VolumeImage.pixel(knob, 9), FixturePixel(kVolumeBmp, 10, 15 * 5 + 9));

    ASSERT_TRUE(composePan(419, CountingPanTable(24)));
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(state.PanImage.pixel(38 * i + i + 3, 5), FixturePixel(kBalanceBmp, 9 + i + 3, 15 * i + 5)) << i;
}

TEST_F(SliderStrips, VolumeStripIsEmptiedWhenTheSkinHasNoneOrTooShortOne)
{
    ASSERT_TRUE(composeVolume(68, 433));
    skin.remove("volume.bmp");
    EXPECT_FALSE(ComposeVolume(state, volume()));
    EXPECT_TRUE(state.VolumeImage.isEmpty());
    EXPECT_FALSE(state.HasVolumeImage);

    ASSERT_TRUE(composeVolume(68, 433));
    EXPECT_FALSE(composeVolume(68, 13));
    EXPECT_TRUE(state.VolumeImage.isEmpty());
    EXPECT_FALSE(state.HasVolumeImage);
}

TEST_F(SliderStrips, PanFramesFollowTheTable)
{
    ASSERT_TRUE(composePan(433, CountingPanTable(30))); // lines after the 24th are ignored
    EXPECT_TRUE(state.HasPanImage);
    ASSERT_EQ(state.PanImage.width(), 912);
    ASSERT_EQ(state.PanImage.height(), 13);
    for (int i = 0; i < 24; ++i) {
        const int left = 38 * i;
        EXPECT_EQ(state.PanImage.pixel(left, 0), FixturePixel(kBalanceBmp, 9, 15 * i)) << i;
        EXPECT_EQ(state.PanImage.pixel(left + 37, 12), FixturePixel(kBalanceBmp, 46, 15 * i + 12)) << i;
        EXPECT_EQ(state.PanImage.pixel(left + i, 1), FixturePixel(kBalanceBmp, 15, 422)) << i;
        EXPECT_EQ(state.PanImage.pixel(left + i + 13, 11), FixturePixel(kBalanceBmp, 28, 432)) << i;
    }

    // The delivered table: frame 0 shows band 27, frame 12 the centre band.
    skin.writeBitmap(kBalanceBmp, 47, 433);
    ASSERT_TRUE(ComposePan(state, balance(), test::BinFolder()));
    EXPECT_EQ(state.PanImage.pixel(0, 0), FixturePixel(kBalanceBmp, 9, 15 * 27));
    EXPECT_EQ(state.PanImage.pixel(38 * 12, 0), FixturePixel(kBalanceBmp, 9, 0));
}

TEST_F(SliderStrips, MissingPanTableFailsBeforeAnythingIsDrawn)
{
    ASSERT_TRUE(composePan(433, CountingPanTable(24)));
    exe.remove("pan.dat");
    // Also for a bitmap too short to use: the table is read first.
    for (int height : {433, 13}) {
        skin.writeBitmap(kBalanceBmp, 47, height);
        try {
            ComposePan(state, balance(), exe.folder());
            ADD_FAILURE() << "no error for " << height;
        } catch (const AppError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::FileOpen);
            EXPECT_TRUE(error.message().contains(QStringLiteral("pan.dat"))) << error.what();
        }
        EXPECT_TRUE(state.PanImage.isEmpty());
        EXPECT_FALSE(state.HasPanImage);
    }
}

// A bad table fails inside the frame loop: the frames before the bad line
// are drawn and the flag is already set.
TEST_F(SliderStrips, BadPanTableLeavesStripPartlyDrawn)
{
    try {
        composePan(433, CountingPanTable(10));
        ADD_FAILURE() << "no error for a short table";
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::ListIndex);
        EXPECT_TRUE(error.message().contains(QStringLiteral("pan.dat (11 行目)"))) << error.what();
        EXPECT_TRUE(error.message().endsWith(QStringLiteral("リストのインデックスが範囲を超えています (10)")))
            << error.what();
    }
    EXPECT_TRUE(state.HasPanImage);
    ASSERT_EQ(state.PanImage.width(), 912);
    EXPECT_EQ(state.PanImage.pixel(38 * 9, 0), FixturePixel(kBalanceBmp, 9, 15 * 9));
    EXPECT_EQ(state.PanImage.pixel(38 * 10 + 20, 6), kUntouched);

    try {
        composePan(433, "0\r\n1\r\n2\r\n3\r\n4\r\nfour\r\n6\r\n");
        ADD_FAILURE() << "no error for a line that is not a number";
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Conversion);
        EXPECT_TRUE(error.message().contains(QStringLiteral("pan.dat (6 行目): 'four' は整数ではありません")))
            << error.what();
    }
    EXPECT_TRUE(state.HasPanImage);
    EXPECT_EQ(state.PanImage.pixel(38 * 4, 0), FixturePixel(kBalanceBmp, 9, 15 * 4));
    EXPECT_EQ(state.PanImage.pixel(38 * 5 + 20, 6), kUntouched);
}

// Bands no bitmap holds draw nothing; none wraps round onto a real band
// (-286331153 times 15 is 1 in 32-bit arithmetic).
TEST_F(SliderStrips, PanBandsOutsideTheBitmapStayBlack)
{
    std::string table = "-1\r\n2147483647\r\n-2147483648\r\n-286331153\r\n";
    table += CountingPanTable(20);
    ASSERT_TRUE(composePan(433, table));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(state.PanImage.pixel(38 * i + 30, 6), kUntouched) << i;
}

// Every member of a skin archive written flat into folder (the real skins
// keep their files in at most one subfolder).
void ExtractFlat(const fs::path& archivePath, const fs::path& folder)
{
    std::unique_ptr<archive, decltype(&archive_read_free)> reader(archive_read_new(), archive_read_free);
    archive_read_support_format_zip(reader.get());
    ASSERT_EQ(OpenArchiveForReading(reader.get(), archivePath, 65536), ARCHIVE_OK);
    archive_entry* entry = nullptr;
    while (archive_read_next_header(reader.get(), &entry) == ARCHIVE_OK) {
        if (archive_entry_filetype(entry) != AE_IFREG)
            continue;
        std::string name = MemberNameUtf8(entry);
        name = name.substr(name.find_last_of("/\\") + 1);
        std::ofstream out(folder / PathFromString(name), std::ios::binary | std::ios::trunc);
        char buffer[65536];
        for (la_ssize_t size; (size = archive_read_data(reader.get(), buffer, sizeof buffer)) > 0;)
            out.write(buffer, size);
    }
}

TEST(RealSkins, StripsPlaylistTimeDigitsAndAnalyzerComposeWithoutError)
{
    TF_REQUIRE_SHARED_SKINS();
    int skins = 0;
    for (const auto& entry : fs::directory_iterator(*test::SharedSkinsFolder())) {
        if (entry.path().extension() != ".wsz")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        test::TempFolder folder;
        ExtractFlat(entry.path(), folder.path());
        ScriptedPrompts prompts;
        SkinSession session(test::BinFolder(), prompts);
        for (size_t i = 0; i < kSourceFileTable.size(); ++i)
            session.State.SourceFileNames[i] = std::string(kSourceFileTable[i]);
        SetSkinSource(session, folder.path());
        SkinState& state = session.State;
        const auto& paths = state.SourceFilePaths;
        EXPECT_NO_THROW(BuildAnalyzerPattern(state, session.Previews, paths[kVisColorTxt]));
        EXPECT_NO_THROW(ComposeVolume(state, paths[kVolumeBmp]));
        EXPECT_NO_THROW(ComposePan(state, paths[kBalanceBmp], session.DataFolder));
        EXPECT_NO_THROW(ComposePlaylist(state, session.Previews, paths[kPlEditBmp], paths[kPlEditTxt], 2, 3));
        EXPECT_NO_THROW(RenderTimeDigits(state, session.Editor, session.Previews, paths[kNumbersBmp],
                                         paths[kNumsExBmp]));
        EXPECT_EQ(session.Previews.TimeDigits.width(), 117);
        EXPECT_EQ(session.Previews.Playlist.width(), 325);
        ++skins;
    }
    EXPECT_GT(skins, 0);
}

} // namespace
} // namespace tf
