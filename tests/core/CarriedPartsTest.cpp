#include "session/CarriedParts.h"
#include "support/ScriptedPrompts.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

// A folder holding the named source files (empty: only presence counts).
fs::path Folder(const fs::path& root, const std::string& name, std::initializer_list<SourceFile> files)
{
    const fs::path folder = root / name;
    fs::create_directories(folder);
    for (SourceFile file : files)
        std::ofstream(folder / std::string(kSourceFileTable[size_t(file)]));
    return folder;
}

TEST(CarriedPartsTest, ListsWhatTheSkinLacksAndAnEarlierOneDrew)
{
    test::TempFolder temp;
    ScriptedPrompts prompts;
    SkinSession session(temp.path(), prompts);
    for (size_t i = 0; i < kSourceFileTable.size(); ++i)
        session.State.SourceFileNames[i] = std::string(kSourceFileTable[i]);
    PartHistory history;
    const auto load = [&](const fs::path& folder, bool equalizerShown = true) {
        SetSkinSource(session, folder);
        return NoteLoadedParts(history, session.State, equalizerShown);
    };
    const fs::path bare = Folder(temp.path(), "bare", {kMainBmp});
    const fs::path full = Folder(temp.path(), "full",
                                 {kMainBmp, kCButtonsBmp, kShufRepBmp, kTitleBarBmp, kPlEditBmp, kEqMainBmp,
                                  kPosBarBmp, kNumbersBmp, kTextBmp, kVisColorTxt, kPlEditTxt, kMonoSterBmp});
    std::ofstream(full / "viscolor.txt") << std::string(24, '\n'); // a line for the peak colour

    // At the start only what the bundled sample stands in for is not the
    // skin's; the classic analyzer colours are what the skin showed there.
    EXPECT_EQ(load(bare), (std::vector{SkinPart::Playlist, SkinPart::TimeDigits, SkinPart::SeekBar}));
    EXPECT_TRUE(load(full).empty());
    EXPECT_EQ(CarriedOverLine(load(bare)),
              QStringLiteral("前のスキンのままの部分: イコライザー, プレイリスト, 時間の数字, ボタン, "
                             "タイトルバー, シャッフル・リピート, モノラル・ステレオ, シークバー, 文字の色, "
                             "アナライザーの色"));

    // nums_ex.bmp alone draws the digits; pledit.bmp alone no playlist; a
    // hidden equalizer is not composed; a viscolor.txt too short for the
    // peak colour keeps the one before.
    const fs::path partial = Folder(temp.path(), "partial",
                                    {kMainBmp, kCButtonsBmp, kShufRepBmp, kTitleBarBmp, kPlEditBmp, kEqMainBmp,
                                     kPosBarBmp, kNumsExBmp, kTextBmp, kVisColorTxt, kMonoSterBmp});
    EXPECT_EQ(load(partial, false), (std::vector{SkinPart::Equalizer, SkinPart::Playlist, SkinPart::PeakColor}));
    EXPECT_EQ(SkinPartName(SkinPart::PeakColor), QStringLiteral("アナライザーのピークの色"));
    EXPECT_EQ(CarriedOverLine({}), QString());

    // A file the load passed over as unusable counts as missing.
    SetSkinSource(session, full);
    session.State.SourcePassedOver[kPosBarBmp] = true;
    EXPECT_EQ(NoteLoadedParts(history, session.State, true), std::vector{SkinPart::SeekBar});
}

} // namespace
} // namespace tf
