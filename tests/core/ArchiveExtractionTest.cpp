#include "sources/ArchiveExtraction.h"
#include "platform/FileSystem.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;

namespace tf {
namespace {

using test::TempFolder;
using test::ZipMethod;
using test::ZipName;
using test::ZipWriter;

constexpr uint64_t kMiB = uint64_t(1) << 20;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Everything below root, links included and never followed, as relative
// paths; folders end with '/'.
std::vector<std::string> ListTree(const fs::path& root)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        const bool folder = it->is_directory() && !it->is_symlink();
        names.push_back(fs::relative(it->path(), root).generic_string() + (folder ? "/" : ""));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<SkipReason> Reasons(const ExtractionReport& report)
{
    std::vector<SkipReason> reasons;
    for (const SkippedMember& skipped : report.Skipped)
        reasons.push_back(skipped.Reason);
    return reasons;
}

class ArchiveExtraction : public ::testing::Test {
protected:
    ExtractionReport extract(const ExtractionLimits& limits = {}) { return ExtractArchive(archive, destination, limits); }

    TempFolder temp;
    fs::path archive = temp / "skin.zip";
    fs::path destination = temp / "out";
};

TEST_F(ArchiveExtraction, KeepsFolderPathsAndSplitsBackslashes)
{
    ZipWriter(archive)
        .addFile("Skin/main.bmp", "main")
        .addFile("Skin\\sub\\text.bmp", "text", ZipMethod::Store)
        .addFolder("Empty/")
        .addFile("inner.zip", "PK\x03\x04 not opened");
    const ExtractionReport report = extract();
    EXPECT_EQ(ListTree(destination),
              (std::vector<std::string>{"Empty/", "Skin/", "Skin/main.bmp", "Skin/sub/", "Skin/sub/text.bmp",
                                        "inner.zip"}));
    EXPECT_EQ(ReadFile(destination / "Skin/main.bmp"), "main");
    EXPECT_EQ(ReadFile(destination / "Skin/sub/text.bmp"), "text");
    EXPECT_EQ(report.Files.size(), 3u);
    EXPECT_TRUE(report.Skipped.empty());
    EXPECT_EQ(report.LimitHit, ExtractionLimit::None);
    EXPECT_TRUE(report.ArchiveError.empty());
}

TEST_F(ArchiveExtraction, NamesDifferingInCaseLandOnOneFile)
{
    ZipWriter(archive)
        .addFile("Skin/Main.bmp", "first")
        .addFile("SKIN/MAIN.BMP", "second")
        .addFile("skin/b.bmp", "b");
    extract();
    EXPECT_EQ(ListTree(destination), (std::vector<std::string>{"Skin/", "Skin/Main.bmp", "Skin/b.bmp"}));
    EXPECT_EQ(ReadFile(destination / "Skin/Main.bmp"), "second");
}

TEST_F(ArchiveExtraction, NamesThatAreNotUtf8AreReadAsShiftJis)
{
    // "スキン\表.bmp" in CP932: the 0x5C of 表 is not a separator, the other is.
    ZipWriter(archive)
        .addFile("\x83\x58\x83\x4c\x83\x93\\\x95\x5c.bmp", "sjis")
        .addFile("日本/main.bmp", "flagged", ZipMethod::Deflate, ZipName::Utf8)
        .addFile("ü.txt", "unflagged utf-8");
    extract();
    EXPECT_EQ(ListTree(destination),
              (std::vector<std::string>{"ü.txt", "スキン/", "スキン/表.bmp", "日本/", "日本/main.bmp"}));
    EXPECT_EQ(ReadFile(destination / PathFromString("スキン/表.bmp")), "sjis");
}

TEST_F(ArchiveExtraction, NamesReachingOutsideAreSkipped)
{
    ZipWriter(archive)
        .addFile("../evil", "x")
        .addFile("/abs/evil", "x")
        .addFile("a/../../evil", "x")
        .addFile("C:\\evil", "x")
        .addFile("\\\\server\\share\\evil", "x")
        .addFile(std::string(300, 'n'), "x")
        .addFile("./ok.bmp", "ok");
    const ExtractionReport report = extract();
    EXPECT_EQ(ListTree(temp.path()), (std::vector<std::string>{"out/", "out/ok.bmp", "skin.zip"}));
    EXPECT_EQ(Reasons(report),
              (std::vector<SkipReason>{SkipReason::ParentFolder, SkipReason::AbsolutePath, SkipReason::ParentFolder,
                                       SkipReason::AbsolutePath, SkipReason::AbsolutePath, SkipReason::TooLong}));
}

TEST_F(ArchiveExtraction, LinkMembersAreNeverCreated)
{
    const fs::path outside = temp / "outside";
    fs::create_directory(outside);
    ZipWriter(archive)
        .addSymlink("link", outside.string())
        .addFile("link/evil.bmp", "written through the link?")
        .addSymlink("up", "../outside")
        .addFile("up/evil.bmp", "x");
    const ExtractionReport report = extract();
    EXPECT_TRUE(fs::is_empty(outside));
    EXPECT_EQ(ListTree(destination), (std::vector<std::string>{"link/", "link/evil.bmp", "up/", "up/evil.bmp"}));
    EXPECT_EQ(Reasons(report), (std::vector<SkipReason>{SkipReason::Link, SkipReason::Link}));
}

TEST_F(ArchiveExtraction, LinksAlreadyInTheDestinationAreNotFollowed)
{
    const fs::path outside = temp / "outside";
    fs::create_directories(outside);
    std::ofstream(outside / "target.txt") << "keep";
    fs::create_directories(destination);
    TF_SKIP_ON_WINDOWS("symbolic links");
    fs::create_directory_symlink(outside, destination / "Skin");
    fs::create_symlink(outside / "target.txt", destination / "a.bmp");
    // Both names reach the links only through the case-insensitive match.
    ZipWriter(archive).addFile("skin/main.bmp", "x").addFile("A.BMP", "replaced");
    const ExtractionReport report = extract();
    EXPECT_EQ(ListTree(outside), (std::vector<std::string>{"target.txt"}));
    EXPECT_EQ(ReadFile(outside / "target.txt"), "keep");
    EXPECT_EQ(Reasons(report), (std::vector<SkipReason>{SkipReason::LinkOnTheWay}));
    EXPECT_FALSE(fs::is_symlink(destination / "a.bmp"));
    EXPECT_EQ(ReadFile(destination / "a.bmp"), "replaced");
}

// A directory listing more members than the limit is refused before the
// library reads it (it would keep every entry in memory); without a
// directory the members are counted as they come.
TEST_F(ArchiveExtraction, EnforcesTheMemberCountLimit)
{
    {
        ZipWriter writer(archive);
        for (int i = 0; i < 5000; ++i)
            writer.addFile("f" + std::to_string(i), "", ZipMethod::Store);
    }
    ExtractionReport report = extract();
    EXPECT_EQ(report.LimitHit, ExtractionLimit::ListedMembers);
    EXPECT_TRUE(report.Files.empty());
    EXPECT_NE(DescribeExtractionLimit(archive, report).indexOf(QStringLiteral("4096")), -1);

    const std::string bytes = ReadFile(archive);
    fs::resize_file(archive, bytes.find("PK\x01\x02"));
    report = extract();
    EXPECT_EQ(report.LimitHit, ExtractionLimit::MemberCount);
    EXPECT_EQ(report.Files.size(), 4096u);
    EXPECT_EQ(ListTree(destination).size(), 4096u);
    EXPECT_NE(DescribeExtractionLimit(archive, report).indexOf(QStringLiteral("4096")), -1);
}

// Bombs: a few tens of KB that inflate to far more than the limits allow.
TEST_F(ArchiveExtraction, StopsAtTheSizeLimitsWithoutTrustingHeaders)
{
    ZipWriter(archive).addFile("main.bmp", "complete").addGeneratedFile("bomb.bmp", 20 * kMiB);
    ASSERT_LT(fs::file_size(archive), 64 * 1024u);
    ExtractionReport report = extract();
    EXPECT_EQ(report.LimitHit, ExtractionLimit::MemberSize);
    EXPECT_EQ(report.LimitMember, "bomb.bmp");
    EXPECT_EQ(ListTree(destination), (std::vector<std::string>{"main.bmp"}));
    EXPECT_LE(report.BytesWritten, 16 * kMiB + 8);
    const QString message = DescribeExtractionLimit(archive, report);
    EXPECT_NE(message.indexOf(QStringLiteral("skin.zip")), -1);
    EXPECT_NE(message.indexOf(QStringLiteral("16 MB")), -1);

    fs::remove_all(destination);
    {
        ZipWriter writer(archive);
        for (int i = 0; i < 6; ++i)
            writer.addGeneratedFile("part" + std::to_string(i), 15 * kMiB, 'z');
    }
    report = extract();
    EXPECT_EQ(report.LimitHit, ExtractionLimit::TotalSize);
    EXPECT_EQ(report.LimitMember, "part4");
    EXPECT_EQ(ListTree(destination), (std::vector<std::string>{"part0", "part1", "part2", "part3"}));
    EXPECT_EQ(fs::file_size(destination / "part3"), 15 * kMiB);
    EXPECT_NE(DescribeExtractionLimit(archive, report).indexOf(QStringLiteral("64 MB")), -1);
}

TEST_F(ArchiveExtraction, DamagedArchivesKeepWhatCameOutWhole)
{
    ZipWriter(archive)
        .addFile("a.bmp", std::string(4000, 'a'), ZipMethod::Store)
        .addFile("b.bmp", std::string(4000, 'b'), ZipMethod::Store);
    fs::resize_file(archive, 4000 + 500); // into the middle of b.bmp, no central directory
    ExtractionReport report = extract();
    EXPECT_EQ(ReadFile(destination / "a.bmp"), std::string(4000, 'a'));
    EXPECT_FALSE(fs::exists(destination / "b.bmp"));
    EXPECT_EQ(Reasons(report), (std::vector<SkipReason>{SkipReason::Damaged}));

    // A member whose deflated data is broken; the one after it still comes out.
    fs::remove_all(destination);
    std::string digits;
    for (int i = 0; i < 20000; ++i)
        digits += std::to_string(i * 7919 % 1000);
    ZipWriter(archive).addFile("a.bmp", digits).addFile("b.bmp", "fine");
    {
        std::fstream file(archive, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(200);
        file.write("\xff\xff\xff\xff\xff\xff\xff\xff", 8);
    }
    report = extract();
    EXPECT_EQ(ListTree(destination), (std::vector<std::string>{"b.bmp"}));
    EXPECT_EQ(Reasons(report), (std::vector<SkipReason>{SkipReason::Damaged}));

    fs::remove_all(destination);
    std::ofstream(archive, std::ios::binary | std::ios::trunc) << "not an archive at all";
    report = extract();
    EXPECT_FALSE(report.ArchiveError.empty());
    EXPECT_TRUE(ListTree(destination).empty());
}

// A destination that cannot be made is said in the user's language, with
// the system's reason, and never named: it is the program's private folder.
TEST_F(ArchiveExtraction, ADestinationThatCannotBeMadeIsSaidInWords)
{
    ZipWriter(archive).addFile("main.bmp", "BM");
    std::ofstream(temp / "file") << "x";
    const ExtractionReport report = ExtractArchive(archive, temp / "file" / "out");
    const QString said = DescribeArchiveError(archive, report);
    EXPECT_TRUE(said.startsWith(QStringLiteral("アーカイブを展開できません: skin.zip (作業フォルダを作成できません: ")))
        << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("file"))) << said.toStdString();
}

TEST_F(ArchiveExtraction, ParallelExtractionsDoNotInterfere)
{
    {
        ZipWriter writer(archive);
        for (int i = 0; i < 50; ++i)
            writer.addFile("Skin/F" + std::to_string(i) + ".bmp", std::string(size_t(1000 + i), 'x'));
    }
    const mode_t umaskBefore = umask(022);
    umask(umaskBefore);
    std::vector<ExtractionReport> reports(4);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < reports.size(); ++i)
        threads.emplace_back([&, i] { reports[i] = ExtractArchive(archive, temp / ("out" + std::to_string(i))); });
    for (std::thread& thread : threads)
        thread.join();
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].Files.size(), 50u);
        EXPECT_EQ(ListTree(temp / ("out" + std::to_string(i))).size(), 51u);
    }
    const mode_t umaskAfter = umask(022);
    umask(umaskAfter);
    EXPECT_EQ(umaskAfter, umaskBefore);
}

} // namespace
} // namespace tf
