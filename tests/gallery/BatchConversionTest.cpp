// The window's batch against the converter: the same bytes, a cancel that
// leaves every skin whole or absent, two skins of one name.

#include "GalleryTestSupport.h"

#include "gallery/BatchConversion.h"
#include "platform/FileSystem.h"
#include "sources/SkinFinder.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tf {
namespace {

// tessaform-cli convert SOURCES -o OUT with the options given.
void RunConverter(const std::vector<fs::path>& sources, const fs::path& out, const QStringList& options = {})
{
    QStringList arguments{QStringLiteral("convert")};
    for (const fs::path& source : sources)
        arguments << PathToQString(source);
    arguments << QStringLiteral("-o") << PathToQString(out) << options;
    QProcess converter;
    converter.start(PathToQString(test::BinFolder() / "tessaform-cli"), arguments);
    ASSERT_TRUE(converter.waitForFinished(300000));
    ASSERT_LE(converter.exitCode(), 1) << converter.readAllStandardError().toStdString();
}

std::vector<BatchLine> RunWindowBatch(const std::vector<fs::path>& sources, const fs::path& out,
                                      const ConversionOptions& options = {})
{
    BatchConversion batch(test::BinFolder());
    bool finished = false;
    QObject::connect(&batch, &BatchConversion::finished, [&] { finished = true; });
    EXPECT_TRUE(batch.start(sources, out, options));
    EXPECT_TRUE(test::WaitUntil([&] { return finished; }, 300000));
    return batch.lines();
}

std::vector<fs::path> SharedArchives(size_t count)
{
    std::vector<fs::path> archives;
    for (const auto& folder : {*test::SharedSkinsFolder(), *test::SharedSkinsFolder() / "corpus"})
        for (const fs::directory_entry& entry : ListFolderSorted(folder))
            if (HasSkinArchiveExtension(entry.path()) && archives.size() < count)
                archives.push_back(entry.path());
    return archives;
}

TEST(BatchConversionTest, WritesWhatTheConverterWritesUnderEveryOption)
{
    TF_REQUIRE_SHARED_SKINS();
    const std::vector<fs::path> skins = SharedArchives(8);
    struct Case {
        QStringList Arguments;
        ConversionOptions Options;
    };
    ConversionOptions noEqualizer;
    noEqualizer.ShowEqualizer = false;
    noEqualizer.HideTime = true;
    noEqualizer.PlaylistWidthSteps = 2;
    noEqualizer.PlaylistHeightSteps = 1;
    ConversionOptions onTop;
    onTop.EqualizerOnTop = true;
    onTop.HideAnalyzer = onTop.HideSongTitle = onTop.HideInfo = onTop.HideSeekBar = true;
    const std::vector<Case> cases = {
        {{}, {}},
        {{"--no-equalizer", "--hide-time", "--playlist-steps", "2,1"}, noEqualizer},
        {{"--equalizer-on-top", "--hide-analyzer", "--hide-song-title", "--hide-info", "--hide-seek-bar"}, onTop},
    };
    for (const Case& c : cases) {
        test::TempFolder temp;
        RunConverter(skins, temp / "cli", c.Arguments);
        const std::vector<BatchLine> lines = RunWindowBatch(skins, temp / "window", c.Options);
        for (const BatchLine& line : lines)
            EXPECT_NE(line.Result, BatchLine::Outcome::NotStarted) << line.Name.toStdString();
        const auto expected = test::FilesBelow(temp / "cli");
        EXPECT_GT(expected.size(), skins.size() * 10);
        EXPECT_TRUE(test::FilesBelow(temp / "window") == expected) << c.Arguments.join(' ').toStdString();
    }
}

// Skins in flight finish; none is started after the cancel, and none is
// left half written.
TEST(BatchConversionTest, CancelLeavesEveryOutputFolderWholeOrAbsent)
{
    TF_REQUIRE_SHARED_SKINS();
    const std::vector<fs::path> skins = SharedArchives(24);
    test::TempFolder temp;
    RunConverter(skins, temp / "cli");

    BatchConversion batch(test::BinFolder());
    bool finished = false;
    QObject::connect(&batch, &BatchConversion::finished, [&] { finished = true; });
    QObject::connect(&batch, &BatchConversion::progressed, [&] {
        if (batch.done() > 0)
            batch.cancel();
    });
    ASSERT_TRUE(batch.start(skins, temp / "window", {}, 2));
    EXPECT_FALSE(batch.start(skins, temp / "again", {}, 2)); // one batch at a time
    ASSERT_TRUE(test::WaitUntil([&] { return finished; }, 300000));
    EXPECT_TRUE(batch.wasCancelled());
    EXPECT_FALSE(fs::exists(temp / "again"));

    int converted = 0, notStarted = 0;
    for (const BatchLine& line : batch.lines()) {
        const fs::path folder = line.SsfPath.parent_path();
        const fs::path reference = temp / "cli" / fs::relative(folder, temp / "window");
        if (line.Result == BatchLine::Outcome::NotStarted) {
            ++notStarted;
            EXPECT_FALSE(fs::exists(folder)) << folder;
        } else {
            ++converted;
            EXPECT_TRUE(test::FilesBelow(folder) == test::FilesBelow(reference)) << folder;
        }
    }
    EXPECT_GT(converted, 0);
    EXPECT_GT(notStarted, 0);
    EXPECT_EQ(batch.done(), converted);
    EXPECT_TRUE(BatchReportText(batch.lines(), true).contains(QString::number(notStarted)));
}

// Two skins named alike: the first gets OUT/Skin, the other OUT/Skin-2 as
// the converter names it, each with its own files, and its line says so.
TEST(BatchConversionTest, TwoSkinsOfOneNameEachGetTheirOwnFolder)
{
    test::TempFolder temp;
    test::SkinFixture(temp / "a" / "Skin").writeStandard();
    test::SkinFixture other(temp / "other");
    other.writeStandard().writeBitmap("main.bmp", QImage(275, 116, QImage::Format_RGB32));
    test::Pack(temp / "other", temp / "b" / "skin.wsz");
    const std::vector<fs::path> sources{temp / "a" / "Skin", temp / "b" / "skin.wsz"};
    RunConverter(sources, temp / "cli");
    const std::vector<BatchLine> lines = RunWindowBatch(sources, temp / "window");

    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].SsfPath, temp / "window" / "Skin" / "Skin.ssf");
    EXPECT_FALSE(lines[0].Renamed);
    EXPECT_EQ(lines[1].SsfPath, temp / "window" / "skin-2" / "skin-2.ssf");
    EXPECT_TRUE(lines[1].Renamed);
    EXPECT_TRUE(DescribeBatchLine(lines[1]).contains(QStringLiteral("skin-2")));
    EXPECT_TRUE(test::FilesBelow(temp / "window") == test::FilesBelow(temp / "cli"));
    EXPECT_NE(test::FilesBelow(temp / "window" / "Skin")["MainNormal.bmp"],
              test::FilesBelow(temp / "window" / "skin-2")["MainNormal.bmp"]);
}

} // namespace
} // namespace tf
