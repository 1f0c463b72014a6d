#include "session/OpenSkin.h"
#include "support/ScriptedPrompts.h"
#include "support/SessionFixture.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

using test::TempFolder;
using test::ZipWriter;

const QString kNoMainBmp = QStringLiteral("Main.bmpがありません。Winampのスキンでない可能性があります");

// A main.bmp the loading pipeline accepts.
const std::string& MainBmp()
{
    static const std::string bytes = [] {
        const TempFolder folder;
        test::SkinFixture(folder.path()).writeBitmap(kMainBmp, 275, 116);
        std::ifstream in(folder / "main.bmp", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
}

class OpenSkinArchiveTest : public ::testing::Test {
protected:
    fs::path workFolder() const { return fixture.exeFolder / "tmp"; }
    OpenResult open(const fs::path& archive) { return OpenSkinArchive(session, archive, workFolder()); }
    fs::path skinRoot() const { return workFolder() / "Skin"; }
    fs::path mainBmp() const { return session.State.SourceFilePaths[kMainBmp]; }

    TempFolder temp;
    test::SessionFixture fixture; // the executables' data, a private working folder
    SkinSession& session = fixture.session;
    ScriptedPrompts& prompts = fixture.prompts;
};

TEST_F(OpenSkinArchiveTest, LoadsASkinFromASubfolderOfAnArchiveInCapitals)
{
    const fs::path archive = temp / "My Skin.WSZ";
    ZipWriter(archive).addFile("My Skin/MAIN.BMP", MainBmp()).addFile("My Skin/readme.txt", "by me");
    const OpenResult result = open(archive);
    EXPECT_EQ(prompts.shown().size(), 2u) << "only the sample's stand-ins for pledit.bmp and viscolor.txt";
    EXPECT_TRUE(result.Notices.isEmpty());
    EXPECT_EQ(result.Outcome, OpenOutcome::Loaded);
    EXPECT_EQ(result.SkinFolder, skinRoot() / "My Skin");
    EXPECT_EQ(mainBmp(), skinRoot() / "My Skin/MAIN.BMP");
    EXPECT_EQ(session.State.SourceFilePaths[kCButtonsBmp], skinRoot() / "My Skin/cbuttons.bmp");
    EXPECT_TRUE(fs::is_regular_file(workFolder() / "tmp.zip"));
}

TEST_F(OpenSkinArchiveTest, PrefersTheSkinAtTheRootOverDeeperOnes)
{
    const fs::path archive = temp / "two.zip";
    ZipWriter(archive).addFile("main.bmp", MainBmp()).addFile("extra/main.bmp", MainBmp());
    open(archive);
    EXPECT_EQ(mainBmp(), skinRoot() / "main.bmp");
}

TEST_F(OpenSkinArchiveTest, OtherExtensionsOnlyEmptyTheWorkFolder)
{
    fs::create_directories(workFolder() / "Skin/old");
    std::ofstream(workFolder() / "Skin/old/main.bmp") << MainBmp();
    const fs::path archive = temp / "skin.rar";
    ZipWriter(archive).addFile("main.bmp", MainBmp());
    const OpenResult result = open(archive);
    EXPECT_TRUE(fs::is_directory(skinRoot()));
    EXPECT_TRUE(fs::is_empty(skinRoot()));
    EXPECT_FALSE(fs::exists(workFolder() / "tmp.zip"));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(result.Outcome, OpenOutcome::NotASkinSource);
}

TEST_F(OpenSkinArchiveTest, AReadOnlyArchiveGivesAWritableWorkingCopy)
{
    const fs::path archive = temp / "locked.wsz";
    ZipWriter(archive).addFile("main.bmp", MainBmp());
    fs::permissions(archive, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    open(archive);
    const fs::perms perms = fs::status(workFolder() / "tmp.zip").permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
    EXPECT_NE(perms & fs::perms::owner_read, fs::perms::none);
    EXPECT_TRUE(open(archive).loaded());
}

TEST_F(OpenSkinArchiveTest, WithoutMainBmpTheResultSaysSo)
{
    const fs::path archive = temp / "notes.wsz";
    ZipWriter(archive).addFile("readme.txt", "no skin here").addFile(".hidden/main.bmp", MainBmp());
    const fs::path garbage = temp / "garbage.wsz";
    std::ofstream(garbage) << "not a zip";
    for (const fs::path& path : {archive, garbage}) {
        const OpenResult result = open(path);
        EXPECT_EQ(result.Outcome, OpenOutcome::NoSkinFolder) << path;
        EXPECT_EQ(result.Error, kNoMainBmp);
    }
}

TEST_F(OpenSkinArchiveTest, ALimitIsReportedAndASkinThatCameOutWholeStillLoads)
{
    const fs::path archive = temp / "bomb.wsz";
    ZipWriter(archive).addFile("Skin/main.bmp", MainBmp()).addGeneratedFile("Skin/huge.bmp", 17 << 20);
    const OpenResult result = open(archive);
    ASSERT_EQ(result.Notices.size(), 1);
    EXPECT_NE(result.Notices[0].indexOf(QStringLiteral("bomb.wsz")), -1);
    EXPECT_NE(result.Notices[0].indexOf(QStringLiteral("16 MB")), -1);
    EXPECT_TRUE(result.loaded());
    EXPECT_EQ(mainBmp(), skinRoot() / "Skin/main.bmp");
}

TEST_F(OpenSkinArchiveTest, TheSharedSkinsExtractAndTheirSkinFolderIsFound)
{
    TF_REQUIRE_SHARED_SKINS();
    for (const char* name : {"base-2.91.wsz", "TopazAmp1-2.wsz", "Paper-Amp.wsz", "XMMS-Turquoise.wsz", "60.wsz"}) {
        const auto archive = test::SharedSkin(name);
        ASSERT_TRUE(archive) << name;
        prompts.clear();
        const OpenResult result = open(*archive);
        EXPECT_TRUE(prompts.shown().empty()) << name;
        EXPECT_TRUE(result.loaded()) << name;
        EXPECT_TRUE(fs::is_regular_file(mainBmp())) << name;
        EXPECT_EQ(mainBmp().string().rfind(skinRoot().string() + "/", 0), 0u) << name << ": " << mainBmp();
    }
}

TEST(OpenSkinSource, FoldersArchivesAndOtherFiles)
{
    const TempFolder temp;
    test::SessionFixture fixture;
    fs::create_directories(temp / "skin");
    std::ofstream(temp / "skin/Main.BMP", std::ios::binary) << MainBmp();
    fs::create_directories(temp / "empty");
    ZipWriter(temp / "skin.zip").addFile("main.bmp", MainBmp());
    std::ofstream(temp / "notes.txt") << "text";
    const struct {
        const char* name;
        OpenOutcome outcome;
    } cases[] = {
        {"skin", OpenOutcome::Loaded},
        {"empty", OpenOutcome::NoSkinFolder},
        {"skin.zip", OpenOutcome::Loaded},
        {"notes.txt", OpenOutcome::NotASkinSource},
        {"missing.wsz", OpenOutcome::NotASkinSource},
    };
    for (const auto& c : cases) {
        const OpenResult result = OpenSkinSource(fixture.session, temp / c.name, temp / "work");
        EXPECT_EQ(result.Outcome, c.outcome) << c.name;
        EXPECT_EQ(result.Error.isEmpty(), c.outcome == OpenOutcome::Loaded) << c.name;
    }
}

} // namespace
} // namespace tf
