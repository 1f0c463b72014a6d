#include "session/ConvertSkin.h"
#include "session/OpenSkin.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "support/OpenResultText.h"
#include "support/ScriptedPrompts.h"
#include "support/SessionFixture.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace tf {
namespace {

using test::ErrorText;
using test::NoticeTexts;
using test::ReadBytes;
using test::TempFolder;
using test::ZipMethod;
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
    fs::path workFolder() const { return fixture.ExeFolder / "tmp"; }
    OpenResult open(const fs::path& archive) { return OpenSkinArchive(session, archive, workFolder()); }
    fs::path skinRoot() const { return workFolder() / "Skin"; }
    fs::path mainBmp() const { return session.State.SourceFilePaths[kMainBmp]; }

    TempFolder temp;
    test::SessionFixture fixture; // the executables' data, a private working folder
    SkinSession& session = fixture.Session;
    ScriptedPrompts& prompts = fixture.Prompts;
};

TEST_F(OpenSkinArchiveTest, LoadsASkinFromASubfolderOfAnArchiveInCapitals)
{
    const fs::path archive = temp / "My Skin.WSZ";
    ZipWriter(archive).addFile("My Skin/MAIN.BMP", MainBmp()).addFile("My Skin/readme.txt", "by me");
    const OpenResult result = open(archive);
    EXPECT_EQ(prompts.shown().size(), 4u) << "only the stand-ins for posbar.bmp, viscolor.txt, pledit.bmp and the digits";
    EXPECT_TRUE(result.Notices.empty());
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
    const OpenResult result = open(archive);
    EXPECT_EQ(result.Outcome, OpenOutcome::NoSkinFolder);
    EXPECT_EQ(ErrorText(result), kNoMainBmp);
}

// Sets the "encrypted" flag of every local and central header.
void MarkEncrypted(const fs::path& archive)
{
    std::string bytes = ReadBytes(archive);
    const std::pair<std::string, int> headers[] = {{"PK\x03\x04", 6}, {"PK\x01\x02", 8}};
    for (const auto& [signature, flagsAt] : headers)
        for (size_t at = bytes.find(signature); at != std::string::npos; at = bytes.find(signature, at + 4))
            bytes[at + size_t(flagsAt)] |= 1;
    std::ofstream(archive, std::ios::binary | std::ios::trunc) << bytes;
}

TEST_F(OpenSkinArchiveTest, DamagedArchivesSayWhyAndAreNotConverted)
{
    const std::string readme(4000, 'r');
    // The converter reads only the skin's files, so damage elsewhere (a bad
    // CRC in readme.txt) leaves its skin whole and converted.
    const struct {
        const char* Name;
        std::function<void(const fs::path&)> Make;
        bool SkinCameOut;
        bool ConverterRefuses = true;
    } cases[] = {
        {"truncated.wsz", [&](const fs::path& path) {
             ZipWriter(path).addFile("main.bmp", MainBmp()).addFile("readme.txt", readme, ZipMethod::Store);
             fs::resize_file(path, fs::file_size(path) - 3000);
         }, true},
        {"bad-crc.wsz", [&](const fs::path& path) {
             ZipWriter(path).addFile("main.bmp", MainBmp()).addFile("readme.txt", readme, ZipMethod::Store);
             std::string bytes = ReadBytes(path);
             bytes[bytes.find(readme) + 100] = 'x';
             std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
         }, true, false},
        {"encrypted.wsz", [&](const fs::path& path) {
             ZipWriter(path).addFile("main.bmp", MainBmp());
             MarkEncrypted(path);
         }, false},
        {"not-a-zip.wsz", [](const fs::path& path) { std::ofstream(path) << "not a zip"; }, false},
        {"empty.wsz", [](const fs::path& path) { std::ofstream{path}; }, false},
    };
    for (const auto& c : cases) {
        const fs::path archive = temp / c.Name;
        c.Make(archive);
        const OpenResult result = open(archive);
        const QString prefix = QStringLiteral("アーカイブを展開できません: %1 (").arg(QString::fromUtf8(c.Name));
        ASSERT_TRUE(result.archiveError()) << c.Name;
        const QString said = result.archiveError()->message(result.Names);
        EXPECT_TRUE(said.startsWith(prefix) && said.endsWith(')') && said.size() > prefix.size() + 1)
            << c.Name << ": " << said.toStdString();
        EXPECT_FALSE(said.contains(PathToQString(workFolder()))) << c.Name;
        EXPECT_EQ(result.loaded(), c.SkinCameOut) << c.Name;
        // The window shows it beside what still loads; otherwise it is the error.
        EXPECT_EQ(c.SkinCameOut ? NoticeTexts(result).contains(said) : ErrorText(result) == said, true) << c.Name;

        const fs::path ssf = temp / "out" / (std::string(c.Name) + ".ssf");
        const ConversionResult converted = ConvertSkin(test::BinFolder(), {archive, ssf}, {});
        EXPECT_EQ(converted.Converted, !c.ConverterRefuses) << c.Name;
        EXPECT_EQ(converted.Error.startsWith(prefix), c.ConverterRefuses) << c.Name << ": " << converted.Error.toStdString();
        EXPECT_EQ(fs::exists(ssf), !c.ConverterRefuses) << c.Name;
    }
}

TEST_F(OpenSkinArchiveTest, MembersPassedOverAreListedInOneNotice)
{
    const fs::path archive = temp / "odd.wsz";
    ZipWriter(archive)
        .addFile("main.bmp", MainBmp())
        .addFile("../up.txt", "x")
        .addFile("/root.txt", "x")
        .addSymlink("link.bmp", "/etc/passwd");
    const OpenResult result = open(archive);
    EXPECT_TRUE(result.loaded());
    ASSERT_EQ(result.Notices.size(), 1);
    for (const char* name : {"odd.wsz", "../up.txt", "/root.txt", "link.bmp"})
        EXPECT_TRUE(NoticeTexts(result)[0].contains(QString::fromUtf8(name))) << name;
}

// A member passed over (a file where its folder already is) is named by its
// own name read from Shift-JIS, in either language: never by the private
// folder, a "\\?\" prefix or question marks. The notice is worded when
// shown, in the language of that moment.
TEST_F(OpenSkinArchiveTest, AMemberPassedOverIsNamedReadably)
{
    const fs::path archive = temp / "sjis.wsz";
    ZipWriter(archive) // 日本 in Shift-JIS, without the UTF-8 flag
        .addFile("main.bmp", MainBmp())
        .addFile("\x93\xfa\x96\x7b/Maron.txt/inner.txt", "x")
        .addFile("\x93\xfa\x96\x7b/Maron.txt", "[Maron]");
    const OpenResult result = open(archive);
    ASSERT_EQ(result.Notices.size(), 1);
    QStringList worded;
    for (const char* translation : {"", "tessaform_en"}) {
        QTranslator english;
        if (*translation && english.load(translation, QStringLiteral(":/translations")))
            QCoreApplication::installTranslator(&english);
        const QString notice = NoticeTexts(result)[0];
        EXPECT_TRUE(notice.contains(QStringLiteral("sjis.wsz"))) << notice.toStdString();
        EXPECT_TRUE(notice.contains(QStringLiteral("日本/Maron.txt"))) << notice.toStdString();
        EXPECT_FALSE(notice.contains(u'?')) << notice.toStdString();
        worded.append(notice);
    }
    EXPECT_NE(worded[0], worded[1]);
}

TEST_F(OpenSkinArchiveTest, LoadErrorsNameTheArchiveAndTheMember)
{
    const fs::path archive = temp / "base.wsz";
    ZipWriter(archive).addFile("Skin/main.bmp", "BM broken");
    const OpenResult result = open(archive);
    EXPECT_EQ(result.Outcome, OpenOutcome::LoadFailed);
    const QString error = ErrorText(result);
    EXPECT_TRUE(error.contains(QStringLiteral("base.wsz の ") + DisplayPath("Skin/main.bmp"))) << error.toStdString();
    EXPECT_FALSE(error.contains(PathToQString(workFolder()))) << error.toStdString();

    // A broken optional file is passed over; its warning names it the same way.
    ZipWriter(archive).addFile("Skin/main.bmp", MainBmp()).addFile("Skin/cbuttons.bmp", "BM broken");
    prompts.clear();
    EXPECT_TRUE(open(archive).loaded());
    QStringList texts;
    for (const auto& shown : prompts.shown())
        texts << shown.Text;
    EXPECT_TRUE(texts.join('\n').contains(QStringLiteral("base.wsz の ") + DisplayPath("Skin/cbuttons.bmp")))
        << texts.join('\n').toStdString();
    EXPECT_FALSE(texts.join('\n').contains(PathToQString(workFolder())));
}

#ifndef _WIN32
// Nothing but regular files is opened: main.bmp of another type is an error,
// an optional file a notice; a FIFO would block the load for ever.
TEST(OpenSkinFolder, SkinFilesThatAreNotRegularFilesAreNotOpened)
{
    const TempFolder temp;
    test::SessionFixture fixture;
    const std::function<void(const fs::path&)> kinds[] = {
        [](const fs::path& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); },
        [](const fs::path& path) { fs::create_directory(path); },
        [](const fs::path& path) { fs::create_symlink("/dev/null", path); },
    };
    for (const auto& make : kinds)
        for (const char* name : {"main.bmp", "cbuttons.bmp"}) {
            const fs::path folder = temp / "skin";
            fs::remove_all(folder);
            fs::create_directory(folder);
            if (std::string_view(name) != "main.bmp")
                std::ofstream(folder / "main.bmp", std::ios::binary) << MainBmp();
            make(folder / name);
            const OpenResult result = OpenSkinFolder(fixture.Session, folder);
            const QString shown = PathToQString(folder / name);
            if (std::string_view(name) == "main.bmp") {
                EXPECT_EQ(result.Outcome, OpenOutcome::LoadFailed) << int(fs::status(folder / name).type());
                EXPECT_TRUE(ErrorText(result).contains(shown)) << ErrorText(result).toStdString();
            } else {
                EXPECT_TRUE(result.loaded()) << ErrorText(result).toStdString();
                ASSERT_EQ(result.Notices.size(), 1);
                EXPECT_TRUE(NoticeTexts(result)[0].contains(shown));
            }
        }
}

#endif

TEST(OpenSkinFolder, TextFilesOverOneMebibyteArePassedOverByName)
{
    const TempFolder temp;
    test::SessionFixture fixture;
    std::ofstream(temp / "main.bmp", std::ios::binary) << MainBmp();
    std::ofstream(temp / "region.txt", std::ios::binary) << std::string((1 << 20) + 1, '\n');
    const OpenResult result = OpenSkinFolder(fixture.Session, temp.path());
    EXPECT_EQ(result.Outcome, OpenOutcome::Loaded);
    const QString warning = fixture.Prompts.shown().at(0).Text;
    EXPECT_TRUE(warning.contains(DisplayPath(temp / "region.txt"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("大きすぎます"))) << warning.toStdString();
}

TEST_F(OpenSkinArchiveTest, ALimitIsReportedAndASkinThatCameOutWholeStillLoads)
{
    const fs::path archive = temp / "bomb.wsz";
    ZipWriter(archive).addFile("Skin/main.bmp", MainBmp()).addGeneratedFile("Skin/huge.bmp", 17 << 20);
    const OpenResult result = open(archive);
    ASSERT_EQ(result.Notices.size(), 1);
    EXPECT_NE(NoticeTexts(result)[0].indexOf(QStringLiteral("bomb.wsz")), -1);
    EXPECT_NE(NoticeTexts(result)[0].indexOf(QStringLiteral("16 MB")), -1);
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
        EXPECT_EQ(mainBmp().generic_string().rfind(skinRoot().generic_string() + "/", 0), 0u) << name << ": " << mainBmp();
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
        const char* Name;
        OpenOutcome Outcome;
    } cases[] = {
        {"skin", OpenOutcome::Loaded},
        {"empty", OpenOutcome::NoSkinFolder},
        {"skin.zip", OpenOutcome::Loaded},
        {"notes.txt", OpenOutcome::NotASkinSource},
        {"missing.wsz", OpenOutcome::NotASkinSource},
    };
    for (const auto& c : cases) {
        const OpenResult result = OpenSkinSource(fixture.Session, temp / c.Name, temp / "work");
        EXPECT_EQ(result.Outcome, c.Outcome) << c.Name;
        EXPECT_EQ(!result.Error, c.Outcome == OpenOutcome::Loaded) << c.Name;
    }
    // A path the system cannot even look at says why (Windows finds no such
    // file and says that instead).
    TF_SKIP_ON_WINDOWS("a path too long is not found");
    const OpenResult tooLong = OpenSkinSource(fixture.Session, temp / std::string(5000, 'x'), temp / "work");
    EXPECT_TRUE(ErrorText(tooLong).contains(QString::fromStdString(std::make_error_code(std::errc::filename_too_long).message())))
        << ErrorText(tooLong).right(200).toStdString();
}

} // namespace
} // namespace tf
