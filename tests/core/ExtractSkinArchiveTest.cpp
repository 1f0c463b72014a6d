#include "sources/ExtractSkinArchive.h"
#include "sources/WorkFolder.h"
#include "support/SessionFixture.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <QStandardPaths>
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

class ExtractSkinArchiveTest : public ::testing::Test {
protected:
    fs::path workFolder() const { return session.App.WorkFolder; }
    fs::path skinRoot() const { return workFolder() / "Skin"; }
    fs::path mainBmp() const { return session.State.SourceFilePaths[kMainBmp]; }

    TempFolder temp;
    test::SessionFixture fixture; // the executables' data, a private working folder
    SkinSession& session = fixture.session;
    ScriptedPrompts& prompts = fixture.prompts;
};

TEST_F(ExtractSkinArchiveTest, LoadsASkinFromASubfolderOfAnArchiveInCapitals)
{
    const fs::path archive = temp / "My Skin.WSZ";
    ZipWriter(archive).addFile("My Skin/MAIN.BMP", MainBmp()).addFile("My Skin/readme.txt", "by me");
    ExtractSkinArchive(session, archive);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(session.App.SkinLoaded);
    EXPECT_EQ(session.App.Caption, QStringLiteral("Tessaform Convertor 1.0 β6 -My Skin.WSZ-"));
    EXPECT_EQ(session.App.OpenName, QString::fromStdString(archive.string()));
    EXPECT_EQ(mainBmp(), skinRoot() / "My Skin/MAIN.BMP");
    EXPECT_EQ(session.State.SourceFilePaths[kCButtonsBmp], skinRoot() / "My Skin/cbuttons.bmp");
    EXPECT_TRUE(fs::is_regular_file(workFolder() / "tmp.zip"));
}

TEST_F(ExtractSkinArchiveTest, PrefersTheSkinAtTheRootOverDeeperOnes)
{
    const fs::path archive = temp / "two.zip";
    ZipWriter(archive).addFile("main.bmp", MainBmp()).addFile("extra/main.bmp", MainBmp());
    ExtractSkinArchive(session, archive);
    EXPECT_EQ(mainBmp(), skinRoot() / "main.bmp");
}

TEST_F(ExtractSkinArchiveTest, OtherExtensionsOnlyEmptyTheWorkFolder)
{
    fs::create_directories(workFolder() / "Skin/old");
    std::ofstream(workFolder() / "Skin/old/main.bmp") << MainBmp();
    const fs::path archive = temp / "skin.rar";
    ZipWriter(archive).addFile("main.bmp", MainBmp());
    ExtractSkinArchive(session, archive);
    EXPECT_TRUE(fs::is_directory(skinRoot()));
    EXPECT_TRUE(fs::is_empty(skinRoot()));
    EXPECT_FALSE(fs::exists(workFolder() / "tmp.zip"));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_FALSE(session.App.SkinLoaded);
    EXPECT_EQ(session.App.Caption, kMainCaption);
    EXPECT_EQ(session.App.OpenName, QString::fromStdString(archive.string()));
}

TEST_F(ExtractSkinArchiveTest, AReadOnlyArchiveGivesAWritableWorkingCopy)
{
    const fs::path archive = temp / "locked.wsz";
    ZipWriter(archive).addFile("main.bmp", MainBmp());
    fs::permissions(archive, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ExtractSkinArchive(session, archive);
    const fs::perms perms = fs::status(workFolder() / "tmp.zip").permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
    EXPECT_NE(perms & fs::perms::owner_read, fs::perms::none);
    ExtractSkinArchive(session, archive);
    EXPECT_TRUE(session.App.SkinLoaded);
}

TEST_F(ExtractSkinArchiveTest, WithoutMainBmpTheUserIsTold)
{
    const fs::path archive = temp / "notes.wsz";
    ZipWriter(archive).addFile("readme.txt", "no skin here").addFile(".hidden/main.bmp", MainBmp());
    const fs::path garbage = temp / "garbage.wsz";
    std::ofstream(garbage) << "not a zip";
    for (const fs::path& path : {archive, garbage}) {
        prompts.clear();
        ExtractSkinArchive(session, path);
        ASSERT_EQ(prompts.shown().size(), 1u) << path;
        EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Information);
        EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("情報"));
        EXPECT_EQ(prompts.shown()[0].text, kNoMainBmp);
        EXPECT_FALSE(session.App.SkinLoaded);
    }
}

TEST_F(ExtractSkinArchiveTest, ALimitIsReportedAndASkinThatCameOutWholeStillLoads)
{
    const fs::path archive = temp / "bomb.wsz";
    ZipWriter(archive).addFile("Skin/main.bmp", MainBmp()).addGeneratedFile("Skin/huge.bmp", 17 << 20);
    ExtractSkinArchive(session, archive);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("情報"));
    EXPECT_NE(prompts.shown()[0].text.indexOf(QStringLiteral("bomb.wsz")), -1);
    EXPECT_NE(prompts.shown()[0].text.indexOf(QStringLiteral("16 MB")), -1);
    EXPECT_TRUE(session.App.SkinLoaded);
    EXPECT_EQ(mainBmp(), skinRoot() / "Skin/main.bmp");
}

TEST_F(ExtractSkinArchiveTest, TheSharedSkinsExtractAndTheirSkinFolderIsFound)
{
    TF_REQUIRE_SHARED_SKINS();
    for (const char* name : {"base-2.91.wsz", "TopazAmp1-2.wsz", "Paper-Amp.wsz", "XMMS-Turquoise.wsz", "60.wsz"}) {
        const auto archive = test::SharedSkin(name);
        ASSERT_TRUE(archive) << name;
        prompts.clear();
        session.App.SkinLoaded = false;
        ExtractSkinArchive(session, *archive);
        EXPECT_TRUE(prompts.shown().empty()) << name;
        EXPECT_TRUE(session.App.SkinLoaded) << name;
        EXPECT_TRUE(fs::is_regular_file(mainBmp())) << name;
        EXPECT_EQ(mainBmp().string().rfind(skinRoot().string() + "/", 0), 0u) << name << ": " << mainBmp();
    }
}

TEST(WorkFolder, BesideTheExecutableWhenWritableElseInTheCache)
{
    const TempFolder temp;
    EXPECT_EQ(ChooseWorkFolder(temp.path()), temp / "tmp");
    const fs::path cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString();
    EXPECT_EQ(ChooseWorkFolder(temp / "missing"), cache / "tmp");
}

} // namespace
} // namespace tf
