#include "cli/Batch.h"
#include "cli/CommandLine.h"
#include "cli/MemoryBudget.h"
#include "korvel/SkinCheck.h"
#include "platform/Errors.h"
#include "platform/FolderLock.h"
#include "platform/FileSystem.h"
#include "platform/ImageFile.h"
#include "platform/TextFile.h"
#include "skin/Playlist.h"
#include "support/BmpBuilder.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cctype>
#include <fstream>
#include <sstream>
#include <thread>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace tf {
namespace {

struct CliRun {
    int ExitCode;
    QString Out;
    QString Err;
};

CliRun RunCli(const QStringList& arguments)
{
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.Command)
        return {kExitUsage, {}, parsed.Reason};
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int code = RunCommand(*parsed.Command, test::BinFolder(), outStream, errStream, false);
    return {code, out, err};
}

QString Text(const fs::path& path) { return QString::fromStdString(path.string()); }

class CliTest : public ::testing::Test {
protected:
    fs::path writeSkin(const std::string& name)
    {
        test::SkinFixture(temp / name).writeStandard();
        return temp / name;
    }
    test::TempFolder temp;
};

TEST_F(CliTest, ConvertsOneSkinFolderIntoTheNamedFile)
{
    const fs::path skin = writeSkin("Blue Steel");
    const fs::path out = temp / "out" / "new" / "Blue.ssf";
    const CliRun run = RunCli({"convert", Text(skin), "-o", Text(out)});
    EXPECT_EQ(run.ExitCode, kExitConverted) << run.Out.toStdString();
    for (const char* name : {"Blue.ssf", "Blue_EQ.ssf", "MainNormal.bmp", "MainNormal_EQ.bmp", "Pan.Bmp",
                             "Vol.Bmp", "Numbers.bmp", "Analyzer.bmp", "PlayListNormal.bmp"})
        EXPECT_TRUE(fs::exists(out.parent_path() / name)) << name;
    EXPECT_TRUE(run.Out.contains(QStringLiteral("1 of 1 skins converted")));
}

TEST_F(CliTest, OptionsChangeWhatIsWritten)
{
    const fs::path skin = writeSkin("s");
    const fs::path out = temp / "out" / "s.ssf";
    const CliRun run = RunCli({"convert", Text(skin), "-o", Text(out), "--no-equalizer", "--hide-time",
                            "--hide-seek-bar", "--playlist-steps", "2,1"});
    ASSERT_EQ(run.ExitCode, kExitConverted) << run.Out.toStdString();
    EXPECT_FALSE(fs::exists(temp / "out" / "s_EQ.ssf"));
    EXPECT_FALSE(fs::exists(temp / "out" / "Numbers.bmp"));
    EXPECT_FALSE(fs::exists(temp / "out" / "PosBar1.bmp"));
    const QImage playlist = DecodeImageFile(temp / "out" / "PlayListNormal.bmp");
    EXPECT_EQ(playlist.size(), QSize(325, 145));
}

TEST_F(CliTest, BatchConvertsTheGoodSkinsAndReportsTheBrokenOne)
{
    const fs::path good = writeSkin("good");
    test::SkinFixture broken(temp / "broken");
    broken.writeStandard().writeText("main.bmp", "BM broken");
    const fs::path notASkin = temp / "empty";
    fs::create_directories(notASkin);
    const CliRun run = RunCli({"convert", Text(good), Text(broken.folder()), Text(notASkin), "-o",
                            Text(temp / "batch"), "-j", "2"});
    EXPECT_EQ(run.ExitCode, kExitSomeFailed);
    EXPECT_TRUE(fs::exists(temp / "batch" / "good" / "good.ssf"));
    EXPECT_FALSE(fs::exists(temp / "batch" / "broken" / "broken.ssf"));
    EXPECT_TRUE(run.Out.contains(QStringLiteral("FAILED     broken:"))) << run.Out.toStdString();
    EXPECT_TRUE(run.Out.contains(QStringLiteral("main.bmp")));
    EXPECT_TRUE(run.Out.contains(QStringLiteral("FAILED     empty: Main.bmpがありません")));
    EXPECT_TRUE(run.Out.contains(QStringLiteral("1 of 3 skins converted, 2 failed")));
}

TEST_F(CliTest, ArchivesConvertFromAPrivateFolder)
{
    test::SkinFixture skin(temp / "unpacked" / "Inner");
    skin.writeStandard();
    const fs::path archive = temp / "Packed.WSZ";
    {
        test::ZipWriter zip(archive);
        for (const auto& entry : fs::directory_iterator(skin.folder()))
            zip.addFile("Inner/" + entry.path().filename().string(), ReadFileBytes(entry.path()));
    }
    const CliRun run = RunCli({"convert", Text(archive), Text(archive), "-o", Text(temp / "out")});
    EXPECT_EQ(run.ExitCode, kExitConverted) << run.Out.toStdString();
    EXPECT_TRUE(fs::exists(temp / "out" / "Packed" / "Packed.ssf"));
    EXPECT_TRUE(fs::exists(temp / "out" / "Packed-2" / "Packed-2.ssf"));
}

TEST_F(CliTest, GrowRectWarningsAreAnsweredAndReported)
{
    test::SkinFixture skin(temp / "w");
    skin.writeStandard().writeText("Sexyfont.txt", "[YunaSoft SexyFont Plug-In]\r\nOffsetTop=40\r\n");
    const CliRun run = RunCli({"convert", Text(skin.folder()), "-o", Text(temp / "o" / "w.ssf")});
    EXPECT_EQ(run.ExitCode, kExitConverted);
    EXPECT_TRUE(run.Out.contains(QStringLiteral("warning  w: Rectの値が0より小さくなりました")));
}

TEST_F(CliTest, ControlCharactersInNamesCannotForgeLines)
{
    TF_SKIP_ON_WINDOWS("no control characters in its file names");
    const fs::path skin = writeSkin("x\nconverted  ok-skin -> ok.ssf");
    const CliRun run = RunCli({"convert", Text(skin), "-o", Text(temp / "out" / "ok.ssf")});
    EXPECT_EQ(run.ExitCode, kExitConverted);
    EXPECT_EQ(run.Out.count(QLatin1Char('\n')), 2) << run.Out.toStdString();
    EXPECT_TRUE(run.Out.startsWith(QStringLiteral("converted  x\\x0aconverted  ok-skin -> ok.ssf -> ")));
}

TEST_F(CliTest, OutputInsideTheSkinFolderIsRefused)
{
    const fs::path skin = writeSkin("s");
    for (const fs::path& out : {skin / "out.ssf", skin / "sub" / "out.ssf"}) {
        const CliRun run = RunCli({"convert", Text(skin), "-o", Text(out)});
        EXPECT_EQ(run.ExitCode, kExitSomeFailed);
        EXPECT_TRUE(run.Out.contains(QStringLiteral("スキンのフォルダ"))) << run.Out.toStdString();
    }
    EXPECT_FALSE(fs::exists(skin / "out.ssf"));
    EXPECT_FALSE(fs::exists(skin / "sub"));
}

TEST_F(CliTest, ABareOutputNameIsInTheCurrentFolder)
{
    const fs::path skin = writeSkin("s");
    fs::create_directories(temp / "here");
    const QString before = QDir::currentPath();
    QDir::setCurrent(Text(temp / "here"));
    const CliRun run = RunCli({"convert", Text(skin), "-o", "bare.ssf"});
    QDir::setCurrent(before);
    EXPECT_EQ(run.ExitCode, kExitConverted) << run.Out.toStdString();
    EXPECT_TRUE(fs::exists(temp / "here" / "bare.ssf"));
    EXPECT_TRUE(fs::exists(temp / "here" / "MainNormal.bmp"));
}

// The largest skin the converter takes, every bitmap with the most pixels a
// bitmap may have, at the largest playlist it writes, run as a user runs it,
// then drawn and checked as the user would.
TEST_F(CliTest, LargestSkinConvertsInBoundedMemory)
{
    TF_SKIP_ON_WINDOWS("no peak memory of a child process");
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's own memory is not the program's";
#elif !defined(_WIN32)
    const std::string bitmap = test::BmpBuilder(4096, 4096, 1).build(); // 16 Mi pixels
    const fs::path skin = temp / "largest";
    fs::create_directories(skin);
    for (const char* name : {"main.bmp", "cbuttons.bmp", "shufrep.bmp", "titlebar.bmp", "pledit.bmp", "eqmain.bmp",
                             "posbar.bmp", "numbers.bmp", "nums_ex.bmp", "text.bmp", "volume.bmp", "balance.bmp",
                             "Monoster.bmp"})
        std::ofstream(skin / name, std::ios::binary) << bitmap;
    const QString steps = QStringLiteral("%1,%1").arg(kMaxPlaylistSteps);
    QProcess process;
    process.start(Text(test::BinFolder() / "tessaform-cli"),
                  {"convert", Text(skin), "-o", Text(temp / "out" / "s.ssf"), "--playlist-steps", steps});
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), kExitConverted) << process.readAllStandardOutput().toStdString();
    for (const QStringList& arguments : {QStringList{"preview", Text(temp / "out" / "s.ssf"), "-o",
                                                     Text(temp / "view.png"), "--state", "pressed"},
                                         QStringList{"check", Text(temp / "out" / "s_EQ.ssf")}}) {
        process.start(Text(test::BinFolder() / "tessaform-cli"), arguments);
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_NE(process.exitCode(), kExitUsage) << process.readAllStandardError().toStdString();
    }
    EXPECT_EQ(QImage(Text(temp / "view.png")).height(), 116 + 4292);
    rusage children = {};
    getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 256 * 1024) << "KiB at the peak";
#endif
}

// A save that must wait for another into the same folder says so, and a
// signal ends the wait at once.
TEST_F(CliTest, WaitingForAnotherSaveIsToldAndEndsAtASignal)
{
    TF_SKIP_ON_WINDOWS("no SIGINT");
#ifndef _WIN32
    const fs::path skin = writeSkin("s");
    const fs::path out = temp / "out";
    fs::create_directories(out);
    const FolderLock held(out);
    QProcess process;
    process.start(Text(test::BinFolder() / "tessaform-cli"), {"convert", Text(skin), "-o", Text(out / "s.ssf")});
    ASSERT_TRUE(process.waitForStarted(10000));
    process.setReadChannel(QProcess::StandardError);
    QString err;
    while (!err.contains(DisplayPath(out)) && process.waitForReadyRead(30000))
        err += QString::fromUtf8(process.readAllStandardError());
    ASSERT_TRUE(err.contains(DisplayPath(out))) << "no word of the wait";
    kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(20000)) << "the wait went on after the signal";
    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_FALSE(fs::exists(out / "s.ssf"));
#endif
}

// The program on a batch large enough to be stopped midway, with its own
// temporary folder.
class CliInterruptTest : public CliTest {
protected:
    void SetUp() override
    {
        fs::create_directories(tmp);
        for (int i = 0; i < 60; ++i)
            sources << Text(writeSkin("skin" + std::to_string(i)));
    }
    void start(QProcess& process)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", Text(tmp));
        environment.insert("TMP", Text(tmp));
        environment.insert("TEMP", Text(tmp));
        process.setProcessEnvironment(environment);
        // The summary is read in English, whatever the desktop speaks.
        process.start(Text(test::BinFolder() / "tessaform-cli"),
                      QStringList{"--lang", "en", "convert"} + sources + QStringList{"-o", Text(out), "-j", "2"});
    }
    // Started and at least one skin through.
    void waitForFirstSkin(QProcess& process)
    {
        ASSERT_TRUE(process.waitForStarted(10000));
        while (!process.canReadLine())
            ASSERT_TRUE(process.waitForReadyRead(30000));
    }
    std::vector<std::string> leftovers() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(tmp)) // Qt keeps its runtime folder there
            if (entry.path().filename().string().starts_with("tessaform-"))
                found.push_back(entry.path().filename().string());
        for (const auto& entry : fs::recursive_directory_iterator(out)) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(".tmp") || name.ends_with(".lock") || name.ends_with(".journal"))
                found.push_back(name);
        }
        return found;
    }
    fs::path tmp = temp / "tmp";
    fs::path out = temp / "out";
    QStringList sources;
};

TEST_F(CliInterruptTest, RerunAfterAKillLeavesNoTemporaries)
{
    QProcess killed;
    start(killed);
    waitForFirstSkin(killed);
    killed.kill();
    killed.waitForFinished();
    // What a run killed at a worse moment leaves, in case this one was quick.
    fs::create_directories(tmp / "tessaform-999999999-AbCdEf" / "tmp");
    std::ofstream(tmp / "tessaform-999999999-AbCdEf" / ".tessaform-work");
    fs::create_directories(out / "skin0");
    std::ofstream(out / "skin0" / "MainNormal.bmp.999999999-7.tmp") << "half";

    QProcess rerun;
    start(rerun);
    ASSERT_TRUE(rerun.waitForFinished(120000));
    EXPECT_EQ(rerun.exitCode(), kExitConverted) << rerun.readAllStandardOutput().toStdString();
    EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

TEST_F(CliInterruptTest, TerminationStopsTheBatchWithTheSummary)
{
    // A console program there is stopped by console events, which a test
    // cannot send to a child without a console of its own.
    TF_SKIP_ON_WINDOWS("no SIGTERM");
    QProcess process;
    start(process);
    waitForFirstSkin(process);
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 143) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("not started: stopped by SIGTERM"))) << output.toStdString();
    EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

// A reader that goes away (a pipe into "head") stops the batch as a signal
// does: the skins in flight finish and nothing is left behind.
TEST_F(CliInterruptTest, ClosedOutputStopsTheBatchAndCleansUp)
{
    TF_SKIP_ON_WINDOWS("no SIGPIPE");
    QProcess process, head;
    process.setStandardOutputProcess(&head);
    head.start("head", {"-n", "1"});
    start(process);
    ASSERT_TRUE(head.waitForFinished(60000)); // after the first skin's line
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 128 + 13);
    EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

TEST(CliUsage, WrongUsageIsExitTwoWithAReason)
{
    for (const QStringList& arguments : {QStringList{}, QStringList{"convert"}, QStringList{"convert", "a"},
                                         QStringList{"frobnicate", "a", "-o", "b"},
                                         QStringList{"convert", "a", "b", "-o", "x.ssf"},
                                         QStringList{"convert", "a", "-o", "x", "-j", "0"},
                                         QStringList{"convert", "a", "-o", "x", "--playlist-steps", "3"},
                                         QStringList{"convert", "a", "-o", "x", "--playlist-steps", "145,0"},
                                         QStringList{"convert", "a", "-o", ""},
                                         QStringList{"convert", "a", "-o", "x", "--bogus"}}) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.ExitCode, kExitUsage) << arguments.join(' ').toStdString();
        EXPECT_FALSE(run.Err.isEmpty());
        EXPECT_FALSE(run.Err.contains('\n'));
    }
    EXPECT_TRUE(UsageText().contains(QStringLiteral("--hide-analyzer")));
}

// A skin whose name starts with "-" is a file after "--" (our options still
// count there) and, without it, when it exists.
TEST_F(CliTest, DashNamesAreFilesAfterDoubleDashOrWhenTheyExist)
{
    writeSkin("-exists");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Text(temp.path())));
    const struct {
        QStringList Arguments;
        std::vector<fs::path> Sources; // empty: wrong usage
        bool HideTime;
    } cases[] = {
        {{"convert", "--", "-x.wsz", "-o", "out"}, {"-x.wsz"}, false},
        {{"convert", "-o", "out", "--", "-x.wsz", "--hide-time", "-y"}, {"-x.wsz", "-y"}, true},
        {{"convert", "-exists", "-o", "out"}, {"-exists"}, false},
        {{"convert", "-missing.wsz", "-o", "out"}, {}, false},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.Arguments);
        EXPECT_EQ(parsed.Command.has_value(), !c.Sources.empty())
            << c.Arguments.join(' ').toStdString() << ": " << parsed.Reason.toStdString();
        if (!parsed.Command)
            continue;
        EXPECT_EQ(parsed.Command->Sources, c.Sources) << c.Arguments.join(' ').toStdString();
        EXPECT_EQ(parsed.Command->Output, fs::path("out"));
        EXPECT_EQ(parsed.Command->Options.HideTime, c.HideTime);
    }
    QDir::setCurrent(before);
    EXPECT_TRUE(UsageText().contains(QStringLiteral("convert -- -x.wsz -o OUT")));

    // The program itself, on an archive so named.
    {
        test::ZipWriter zip(temp / "-x.wsz");
        for (const auto& entry : fs::directory_iterator(temp / "-exists"))
            zip.addFile(entry.path().filename().string(), ReadFileBytes(entry.path()));
    }
    QProcess process;
    process.setWorkingDirectory(Text(temp.path()));
    process.start(Text(test::BinFolder() / "tessaform-cli"), {"convert", "--", "-x.wsz", "-o", "out"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), kExitConverted) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(fs::exists(temp / "out" / "-x" / "-x.ssf"));
}

TEST(CliBatch, NamesCollideWithoutRegardToCase)
{
    const auto entries = PlanBatch({"/a/Skin", "/b/skin.wsz", "/c/SKIN/"}, "/out");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].SsfPath, fs::path("/out/Skin/Skin.ssf"));
    EXPECT_EQ(entries[1].Name, QStringLiteral("skin-2"));
    EXPECT_EQ(entries[1].SsfPath, fs::path("/out/skin-2/skin-2.ssf"));
    EXPECT_EQ(entries[2].Name, QStringLiteral("SKIN-3"));

    // A name that looks numbered is a name of its own; numbers go on from
    // where they were.
    QStringList names;
    for (const BatchEntry& entry : PlanBatch({"/a/skin", "/b/skin", "/c/skin-2.wsz", "/d/skin", "/e/skin-3"}, "/out"))
        names << entry.Name;
    EXPECT_EQ(names, (QStringList{"skin", "skin-2", "skin-2-2", "skin-3", "skin-3-2"}));
}

// A batch's skins wait for memory, first come first served; a share grows
// only when that fits at once, so no skin waits while holding memory; a skin
// too large for the whole budget goes when it is alone.
TEST(CliBatch, MemoryIsSharedOutWithoutWaitingWhileHolding)
{
    MemoryBudget budget(100);
    MemoryBudget::Share a = budget.reserve(60);
    MemoryBudget::Share b = budget.reserve(30);
    EXPECT_FALSE(b.resize(50));
    EXPECT_EQ(budget.held(), 90u);
    std::atomic<bool> admitted{false};
    std::thread waiting([&] {
        MemoryBudget::Share c = budget.reserve(50);
        admitted = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(admitted);
    a.release();
    waiting.join();
    EXPECT_TRUE(b.resize(50));
    b.release();
    EXPECT_EQ(budget.reserve(500).bytes(), 500u);
    EXPECT_EQ(budget.held(), 0u);
}

// The language changes what the converter says, its own texts and the
// libraries' alike, and nothing of what it writes. Japanese names go through
// the command line and back into the report.
TEST_F(CliTest, SpeaksTheChosenLanguageAndWritesTheSameFiles)
{
    const fs::path empty = temp / "空のフォルダ";
    fs::create_directories(empty);
    struct Case {
        const char* Language;
        const char* Summary;
        const char* Failure;
    };
    const Case cases[] = {
        {"en", "1 of 2 skins converted, 1 failed", "FAILED     空のフォルダ: There is no Main.bmp."},
        {"ja", "2 個のスキンのうち 1 個を変換しました、1 個は失敗", "失敗       空のフォルダ: Main.bmpがありません。"},
    };
    for (const Case& c : cases) {
        QProcess process;
        process.start(Text(test::BinFolder() / "tessaform-cli"),
                      {"--lang", c.Language, "convert", Text(test::BinFolder() / "sample"), Text(empty), "-o",
                       Text(temp / (std::string("出力 ") + c.Language))});
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        EXPECT_EQ(process.exitCode(), kExitSomeFailed) << c.Language;
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.Summary))) << out.toStdString();
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.Failure))) << out.toStdString();
    }
    std::vector<std::string> written;
    const fs::path english = temp / "出力 en";
    const fs::path japanese = temp / "出力 ja";
    for (const auto& entry : fs::recursive_directory_iterator(english)) {
        const fs::path relative = fs::relative(entry.path(), english);
        written.push_back(relative.string());
        if (entry.is_regular_file()) {
            EXPECT_EQ(ReadFileBytes(entry.path()), ReadFileBytes(japanese / relative)) << relative;
        }
    }
    EXPECT_GT(written.size(), 10u);

    QProcess unknown;
    unknown.start(Text(test::BinFolder() / "tessaform-cli"), {"--lang", "fr", "--help"});
    ASSERT_TRUE(unknown.waitForFinished(30000));
    EXPECT_EQ(unknown.exitCode(), kExitUsage);
    EXPECT_TRUE(unknown.readAllStandardError().contains("--lang"));
}

TEST(CliProgram, RunsWithoutADisplay)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString((test::BinFolder() / "tessaform-cli").string()), {"--help"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().contains("convert"));
}

// Every token of a definition file that names a bitmap (the switch targets
// are the player's check's to judge: "Small.ssf" is the player's own).
std::vector<std::string> NamedFiles(const fs::path& ssf)
{
    std::vector<std::string> names;
    for (const std::string& line : ReadLines(ssf)) {
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            std::string lower = word;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
            if (lower.ends_with(".bmp"))
                names.push_back(word);
        }
    }
    return names;
}

// The real skins of the corpus, converted as archives two at a time: each
// converts, names only files it wrote, never shows the private unpacking
// folder, and gives a skin the player's check finds nothing wrong with.
TEST(CliCorpus, EverySkinConvertsWhole)
{
    TF_REQUIRE_SHARED_SKINS();
    std::vector<fs::path> archives;
    for (const auto& entry : fs::directory_iterator(*test::SharedSkinsFolder() / "corpus"))
        if (entry.path().extension() == ".wsz")
            archives.push_back(entry.path());
    std::sort(archives.begin(), archives.end());
    ASSERT_FALSE(archives.empty());

    test::TempFolder out;
    const std::vector<BatchEntry> entries = PlanBatch(archives, out.path());
    const std::vector<ConversionResult> results = RunBatch(test::BinFolder(), entries, {}, 2);
    ASSERT_EQ(results.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(entries[i].Name.toStdString());
        const ConversionResult& result = results[i];
        EXPECT_TRUE(result.Converted) << result.Error.toStdString();
        QStringList messages = result.Warnings; // a named list: the loop must not outlive it
        messages << result.Error;
        for (const QString& message : messages)
            EXPECT_FALSE(message.contains(QStringLiteral("tessaform-"))) << message.toStdString();
        for (const auto& file : fs::directory_iterator(entries[i].SsfPath.parent_path())) {
            if (file.path().extension() != ".ssf")
                continue;
            for (const std::string& name : NamedFiles(file.path()))
                EXPECT_TRUE(FindFileNoCase(file.path().parent_path(), name)) << name;
            const std::vector<CheckFinding> findings = CheckKorvelSkin(file.path());
            for (const CheckFinding& finding : findings)
                EXPECT_NE(finding.Severity, Severity::Problem) << finding.toString().toStdString();
        }
    }
}

} // namespace
} // namespace tf
