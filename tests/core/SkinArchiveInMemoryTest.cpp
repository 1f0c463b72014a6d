// The converter reads archives in memory, the window unpacks them to disk:
// both ways must keep the same rules and give the same skin.

#include "output/SaveSkin.h"
#include "platform/FileSystem.h"
#include "session/ConvertSkin.h"
#include "session/OpenSkin.h"
#include "session/OpenSkinInMemory.h"
#include "sources/ArchiveFile.h"
#include "sources/ArchiveInMemory.h"
#include "support/OpenResultText.h"
#include "support/SessionFixture.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace tf {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::ZipMethod;
using test::ZipWriter;

std::vector<std::string> TableNames()
{
    return {kSourceFileTable.begin(), kSourceFileTable.end()};
}

// The skin of an archive the window's way and the converter's way, as the
// files a save writes, with what each said.
struct BothWays {
    OpenResult Unpacked;
    OpenResult InMemory;
    std::vector<NamedFile> UnpackedFiles;
    std::vector<NamedFile> InMemoryFiles;
};

BothWays OpenBothWays(const fs::path& archive)
{
    BothWays both;
    test::SessionFixture disk;
    both.Unpacked = OpenSkinArchive(disk.Session, archive, disk.ExeFolder / "tmp");
    if (both.Unpacked.loaded())
        both.UnpackedFiles = BuildSkinFiles(disk.Session, "skin.ssf");
    test::SessionFixture memory;
    both.InMemory = LoadSkinArchive(memory.Session, ReadSkinArchiveFile(archive));
    if (both.InMemory.loaded())
        both.InMemoryFiles = BuildSkinFiles(memory.Session, "skin.ssf");
    const auto texts = [](const ScriptedPrompts& prompts) {
        QStringList shown;
        for (const ScriptedPrompts::Shown& box : prompts.shown())
            shown << box.Text;
        return shown;
    };
    EXPECT_EQ(texts(disk.Prompts), texts(memory.Prompts)) << archive;
    return both;
}

void ExpectSameFiles(const std::vector<NamedFile>& a, const std::vector<NamedFile>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Name, b[i].Name);
        EXPECT_TRUE(a[i].Bytes == b[i].Bytes) << a[i].Name;
    }
}

TEST(SkinArchiveInMemory, EverySharedSkinLoadsAsWhenUnpacked)
{
    TF_REQUIRE_SHARED_SKINS();
    const TempFolder temp;
    std::vector<fs::path> archives;
    for (const fs::path& folder : {*test::SharedSkinsFolder(), *test::SharedSkinsFolder() / "corpus"})
        for (const fs::directory_entry& entry : ListFolderSorted(folder))
            if (entry.path().extension() == ".wsz")
                archives.push_back(entry.path());
    const fs::path sample = temp / "sample.wsz";
    {
        ZipWriter zip(sample);
        for (const fs::directory_entry& entry : ListFolderSorted(test::BinFolder() / "sample"))
            zip.addFile("sample/" + entry.path().filename().string(), ReadBytes(entry.path()));
    }
    archives.push_back(sample);
    ASSERT_GE(archives.size(), 58u);
    for (const fs::path& archive : archives) {
        SCOPED_TRACE(archive.filename().string());
        const BothWays both = OpenBothWays(archive);
        ASSERT_TRUE(both.Unpacked.loaded()) << test::ErrorText(both.Unpacked).toStdString();
        ASSERT_TRUE(both.InMemory.loaded()) << test::ErrorText(both.InMemory).toStdString();
        EXPECT_EQ(test::NoticeTexts(both.Unpacked), test::NoticeTexts(both.InMemory));
        ExpectSameFiles(both.UnpackedFiles, both.InMemoryFiles);
    }
}

// Of a whole archive only the members of the source table's names are
// inflated, and the skin folder's kept: the others' data is never read,
// damaged or not.
TEST(SkinArchiveInMemory, InflatesOnlyTheSkinFiles)
{
    const TempFolder temp;
    const fs::path archive = temp / "skin.wsz";
    ZipWriter(archive)
        .addFile("Other/main.bmp", "earlier skin")
        .addFile("Skin/MAIN.BMP", "main")
        .addFile("Skin/readme.txt", std::string(5000, 'r'), ZipMethod::Store)
        .addFile("Skin/region.txt", "region")
        .addGeneratedFile("Skin/bomb.bmp", 20 << 20);
    std::string bytes = ReadBytes(archive);
    bytes[bytes.find(std::string(5000, 'r')) + 10] = 'x'; // a bad CRC in readme.txt
    const SkinArchiveContents contents = ReadSkinArchive(bytes, TableNames());
    ASSERT_EQ(contents.SkinFolder, std::optional<std::string>("Skin"));
    ASSERT_EQ(contents.Files.size(), 2u);
    EXPECT_EQ(contents.Files[0].Name, "MAIN.BMP");
    EXPECT_EQ(contents.Files[0].Bytes, "main");
    EXPECT_EQ(contents.Files[1].Name, "region.txt");
    EXPECT_EQ(contents.Report.BytesWritten, 12u + 4 + 6);
    EXPECT_TRUE(contents.Report.ArchiveError.empty());
    EXPECT_EQ(contents.Report.LimitHit, ExtractionLimit::None);
}

// An archive over a limit is refused before it is copied or its directory
// read, the same whichever way reads it.
TEST(SkinArchiveInMemory, ArchivesOverTheLimitsAreRefusedBeforeReading)
{
    const TempFolder temp;
    const fs::path tooLarge = temp / "large.wsz";
    ZipWriter(tooLarge).addFile("main.bmp", "main");
    fs::resize_file(tooLarge, (uint64_t(64) << 20) + 1); // sparse: nothing to read
    const fs::path tooMany = temp / "many.wsz";
    {
        ZipWriter zip(tooMany);
        for (int i = 0; i < 4097; ++i)
            zip.addFile("f" + std::to_string(i), "", ZipMethod::Store);
    }
    const struct {
        fs::path Archive;
        ExtractionLimit Limit;
        const char* Said;
    } cases[] = {
        {tooLarge, ExtractionLimit::ArchiveSize, "64 MB"},
        {tooMany, ExtractionLimit::ListedMembers, "4096"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Archive.filename().string());
        ExtractionReport report;
        EXPECT_FALSE(ReadArchiveFile(c.Archive, {}, report));
        EXPECT_EQ(report.LimitHit, c.Limit);
        EXPECT_EQ(ReadSkinArchiveFile(c.Archive).Report.LimitHit, c.Limit);
        EXPECT_EQ(ExtractArchive(c.Archive, temp / "out").LimitHit, c.Limit);
        EXPECT_TRUE(fs::is_empty(temp / "out"));

        test::SessionFixture fixture;
        const fs::path work = fixture.ExeFolder / "tmp";
        const OpenResult result = OpenSkinArchive(fixture.Session, c.Archive, work);
        EXPECT_FALSE(fs::exists(work / "tmp.zip"));
        EXPECT_EQ(result.Outcome, OpenOutcome::NoSkinFolder);
        EXPECT_TRUE(test::ErrorText(result).contains(QString::fromUtf8(c.Said))) << test::ErrorText(result).toStdString();
        const ConversionResult converted = ConvertSkin(test::BinFolder(), {c.Archive, temp / "skin.ssf"}, {});
        EXPECT_EQ(converted.Error, test::ErrorText(result));
    }
}

// A name is a file or a folder for good: a member that would turn one into
// the other is passed over with a notice naming it, never replaces what is
// there.
TEST(SkinArchiveInMemory, AMemberNeverTurnsAFileIntoAFolder)
{
    const TempFolder temp;
    const std::string main = ReadBytes(test::BinFolder() / "sample" / "main.bmp");
    const struct {
        const char* Name;
        std::function<void(ZipWriter&)> Add;
        const char* PassedOver;
    } cases[] = {
        {"folder.wsz", [](ZipWriter& zip) { zip.addFolder("s/main.bmp/"); }, "s/main.bmp/"},
        {"below.wsz", [](ZipWriter& zip) { zip.addFile("s/main.bmp/x.bmp", "x"); }, "s/main.bmp/x.bmp"},
        // 日本 in Shift-JIS without the UTF-8 flag: both ways decode it alike.
        {"sjis.wsz", [](ZipWriter& zip) { zip.addFile("s/main.bmp/\x93\xfa\x96\x7b.txt", "x"); }, "s/main.bmp/日本.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const fs::path archive = temp / c.Name;
        {
            ZipWriter zip(archive);
            zip.addFile("s/main.bmp", main);
            c.Add(zip);
        }
        const BothWays both = OpenBothWays(archive);
        EXPECT_TRUE(both.Unpacked.loaded()) << test::ErrorText(both.Unpacked).toStdString();
        EXPECT_TRUE(both.InMemory.loaded()) << test::ErrorText(both.InMemory).toStdString();
        ASSERT_EQ(both.Unpacked.Notices.size(), 1);
        EXPECT_TRUE(test::NoticeTexts(both.Unpacked)[0].contains(QString::fromUtf8(c.PassedOver)));
        EXPECT_EQ(test::NoticeTexts(both.Unpacked), test::NoticeTexts(both.InMemory));
        ExpectSameFiles(both.UnpackedFiles, both.InMemoryFiles);
    }
}

#ifndef _WIN32
// The working copy says why it could not be written: a full disk is "no
// space left", not a generic input/output error.
TEST(SkinArchiveInMemory, AWorkingCopyOnAFullDiskSaysSo)
{
    EXPECT_EQ(WriteArchiveCopy("PK\x05\x06", "/dev/full"), std::make_error_code(std::errc::no_space_on_device).message());
}
#endif

} // namespace
} // namespace tf
