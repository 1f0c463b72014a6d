// preview and check, run as a user runs them: the program itself on a skin
// it has just converted.

#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "support/TestPaths.h"

#include <QImage>
#include <QProcess>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tf {
namespace {

struct ProgramRun {
    int ExitCode = -1;
    QString Out;
};

ProgramRun RunProgram(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // In English whatever the desktop's language: the tests read the words.
    process.start(PathToQString(test::BinFolder() / "tessaform-cli"), QStringList{"--lang", "en"} + arguments);
    // A program that never started, hung or crashed has no exit code to
    // compare (QProcess says 0): its reason is kept instead.
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, process.errorString() + QLatin1Char('\n') + QString::fromUtf8(process.readAll())};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

class KorvelCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RunProgram({"convert", PathToQString(test::BinFolder() / "sample"), "-o", ssf()}).ExitCode, 0);
    }
    QString ssf() const { return PathToQString(temp / "sample.ssf"); }
    test::TempFolder temp;
};

TEST_F(KorvelCommandsTest, PreviewWritesTheViewAtTheAskedScale)
{
    const struct {
        QStringList Options;
        QSize Size;
    } cases[] = {
        {{}, {275, 232}},                                    // main window and the playlist below it
        {{"--eq", "--state", "pressed", "--scale", "2"}, {550, 696}}, // the equalizer joined, twice the size
    };
    for (const auto& c : cases) {
        const QString png = PathToQString(temp / "view.png");
        const ProgramRun run = RunProgram(QStringList{"preview", ssf(), "-o", png} << c.Options);
        EXPECT_EQ(run.ExitCode, 0) << run.Out.toStdString();
        EXPECT_EQ(QImage(png).size(), c.Size) << c.Options.join(' ').toStdString();
    }
}

TEST_F(KorvelCommandsTest, CheckPassesAConvertedSkinAndNamesWhatBreaks)
{
    EXPECT_EQ(RunProgram({"check", ssf()}).ExitCode, 0);
    fs::remove(temp / "Numbers.bmp");
    const ProgramRun run = RunProgram({"check", ssf()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Out.contains(QStringLiteral("sample.ssf:")) && run.Out.contains(QStringLiteral("Numbers.bmp")))
        << run.Out.toStdString();
}

void WriteBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A font size beyond what the player draws is drawn at the largest, and
// both commands say so with the value.
TEST_F(KorvelCommandsTest, HugeFontSizeIsDrawnAtTheLargestWithAWarning)
{
    std::string definition = ReadFileBytes(temp / "sample.ssf");
    const size_t at = definition.find("SongInformationFontSize ");
    ASSERT_NE(at, std::string::npos);
    definition.replace(at, definition.find('\r', at) - at, "SongInformationFontSize 5000");
    WriteBytes(temp / "sample.ssf", definition);
    const ProgramRun preview = RunProgram({"preview", ssf(), "-o", PathToQString(temp / "view.png")});
    EXPECT_EQ(preview.ExitCode, 0) << preview.Out.toStdString();
    EXPECT_TRUE(preview.Out.contains(QStringLiteral("warning")) && preview.Out.contains(QStringLiteral("5000")))
        << preview.Out.toStdString();
    const ProgramRun check = RunProgram({"check", ssf()});
    EXPECT_EQ(check.ExitCode, 1);
    EXPECT_TRUE(check.Out.contains(QStringLiteral("5000"))) << check.Out.toStdString();
}

// check finishes first a save that a kill stopped between its renames, and
// says when it cannot.
TEST_F(KorvelCommandsTest, CheckCompletesASaveStoppedMidwayOrSaysItCannot)
{
    const std::string pressed = ReadFileBytes(temp / "MainPressed.bmp");
    WriteBytes(temp / "MainNormal.bmp.999999999-4.tmp", pressed);
    WriteBytes(temp / ".tessaform.journal", "TessaformJournal 1\nMainNormal.bmp.999999999-4.tmp\n");
    const ProgramRun completed = RunProgram({"check", ssf()});
    EXPECT_EQ(completed.ExitCode, 0) << completed.Out.toStdString();
    EXPECT_TRUE(completed.Out.contains(QStringLiteral("completed"))) << completed.Out.toStdString();
    EXPECT_EQ(ReadFileBytes(temp / "MainNormal.bmp"), pressed);
    EXPECT_FALSE(fs::exists(temp / ".tessaform.journal"));

    WriteBytes(temp / ".tessaform.journal", "TessaformJournal 1\n../elsewhere.bmp.1-1.tmp\n");
    const ProgramRun broken = RunProgram({"check", ssf()});
    EXPECT_EQ(broken.ExitCode, 1);
    EXPECT_TRUE(broken.Out.contains(QStringLiteral("cannot be completed"))) << broken.Out.toStdString();
}

// Whatever a definition, a path or an option holds, no control character
// reaches the terminal raw.
TEST_F(KorvelCommandsTest, ControlCharactersAreEscapedInEveryCommand)
{
    std::string definition = ReadFileBytes(temp / "sample.ssf");
    const size_t at = definition.find("SeekBitmap PosBar1.bmp");
    ASSERT_NE(at, std::string::npos);
    definition.replace(at, 22, "SeekBitmap \x1b]0;OWNED\x07\x1b[2J");
    WriteBytes(temp / "sample.ssf", definition);
    const QStringList cases[] = {
        {"check", ssf()},
        {"preview", PathToQString(temp / "no\x1b[2Jne.ssf"), "-o", PathToQString(temp / "v.png")},
        {"check", PathToQString(temp / "no\x1b[2Jne.ssf")},
        {"convert", "a", "-o", "x", "--bo\x1b[2Jgus"},
    };
    for (const QStringList& arguments : cases) {
        const ProgramRun run = RunProgram(arguments);
        EXPECT_FALSE(run.Out.contains(QChar(0x1b))) << run.Out.toStdString();
        EXPECT_TRUE(run.Out.contains(QStringLiteral("\\x1b"))) << run.Out.toStdString();
    }
}

TEST(KorvelCommands, WrongUsageIsExitTwo)
{
    for (const QStringList& arguments : {QStringList{"preview", "a.ssf"}, QStringList{"check"},
                                         QStringList{"preview", "a.ssf", "-o", "v.png", "--state", "lit"},
                                         QStringList{"preview", "a.ssf", "-o", "v.png", "--scale", "0"}}) {
        const ProgramRun run = RunProgram(arguments);
        EXPECT_EQ(run.ExitCode, 2) << arguments.join(' ').toStdString() << "\n" << run.Out.toStdString();
    }
}

} // namespace
} // namespace tf
