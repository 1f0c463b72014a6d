// preview and check, run as a user runs them: the program itself on a skin
// it has just converted.

#include "platform/FileSystem.h"
#include "support/TestPaths.h"

#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tf {
namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out;
};

ProgramRun RunProgram(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(PathToQString(test::BinFolder() / "tessaform-cli"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

class KorvelCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RunProgram({"convert", PathToQString(test::BinFolder() / "sample"), "-o", ssf()}).exitCode, 0);
    }
    QString ssf() const { return PathToQString(temp / "sample.ssf"); }
    test::TempFolder temp;
};

TEST_F(KorvelCommandsTest, PreviewWritesTheViewAtTheAskedScale)
{
    const struct {
        QStringList options;
        QSize size;
    } cases[] = {
        {{}, {275, 232}},                                    // main window and the playlist below it
        {{"--eq", "--state", "pressed", "--scale", "2"}, {550, 696}}, // the equalizer joined, twice the size
    };
    for (const auto& c : cases) {
        const QString png = PathToQString(temp / "view.png");
        const ProgramRun run = RunProgram(QStringList{"preview", ssf(), "-o", png} << c.options);
        EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
        EXPECT_EQ(QImage(png).size(), c.size) << c.options.join(' ').toStdString();
    }
}

TEST_F(KorvelCommandsTest, CheckPassesAConvertedSkinAndNamesWhatBreaks)
{
    EXPECT_EQ(RunProgram({"check", ssf()}).exitCode, 0);
    fs::remove(temp / "Numbers.bmp");
    const ProgramRun run = RunProgram({"check", ssf()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains(QStringLiteral("sample.ssf:")) && run.out.contains(QStringLiteral("Numbers.bmp")))
        << run.out.toStdString();
}

TEST(KorvelCommands, WrongUsageIsExitTwo)
{
    for (const QStringList& arguments : {QStringList{"preview", "a.ssf"}, QStringList{"check"},
                                         QStringList{"preview", "a.ssf", "-o", "v.png", "--state", "lit"},
                                         QStringList{"preview", "a.ssf", "-o", "v.png", "--scale", "0"}})
        EXPECT_EQ(RunProgram(arguments).exitCode, 2) << arguments.join(' ').toStdString();
}

} // namespace
} // namespace tf
