// Whatever optional file a skin lacks or holds broken, the converted skin is
// whole: every file its definitions name is written and the player's check
// finds nothing wrong; a warning names the file wherever the converter had to
// make up for it.
#include "KorvelTestSupport.h"
#include "korvel/SkinCheck.h"
#include "output/DefinitionWriter.h"
#include "output/SaveSkin.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ImageFile.h"
#include "platform/TextFile.h"
#include "session/ConvertSkin.h"
#include "skin/SkinState.h"
#include "sources/ArchiveExtraction.h"
#include "sources/SkinFinder.h"
#include "support/SessionFixture.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

enum class Change { Remove, Empty, Garbage };

struct OptionalFile {
    const char* Name;
    // Broken (empty or garbage), it is passed over with a warning; the
    // plug-in, outline and playlist colour readers take any text.
    bool Strict;
    const char* Garbage;
};

constexpr OptionalFile kOptionalFiles[] = {
    {"cbuttons.bmp", true, "BM not a bitmap"}, {"shufrep.bmp", true, "BM not a bitmap"},
    {"titlebar.bmp", true, "BM not a bitmap"}, {"pledit.bmp", true, "BM not a bitmap"},
    {"eqmain.bmp", true, "BM not a bitmap"},   {"posbar.bmp", true, "BM not a bitmap"},
    {"numbers.bmp", true, "BM not a bitmap"},  {"nums_ex.bmp", true, "BM not a bitmap"},
    {"text.bmp", true, "BM not a bitmap"},     {"viscolor.txt", true, "0,0,0\r\n24,33,41\r\n"},
    {"volume.bmp", true, "GIF89a"},            {"balance.bmp", true, "\x89PNG\r\n"},
    {"monoster.bmp", true, "BM not a bitmap"}, {"pledit.txt", false, "\x01\xfe[Text\r\nNormal=#zz"},
    {"region.txt", false, "\xff\x00[Normal]\r\nNumPoints=9\r\n"},
    {"Sexyfont.txt", false, "\x00\x81\x40"},   {"Maron.txt", false, "[MARON\r\n"},
};

// The classic player's analyzer bars, top to bottom.
const Color kClassicBars[16] = {
    MakeColor(239, 49, 16),  MakeColor(206, 41, 16),  MakeColor(214, 90, 0),   MakeColor(214, 102, 0),
    MakeColor(214, 115, 0),  MakeColor(198, 123, 8),  MakeColor(222, 165, 24), MakeColor(214, 181, 33),
    MakeColor(189, 222, 41), MakeColor(148, 222, 33), MakeColor(41, 206, 16),  MakeColor(50, 190, 16),
    MakeColor(57, 181, 16),  MakeColor(49, 156, 8),   MakeColor(41, 148, 0),   MakeColor(24, 132, 8),
};

bool Has(const fs::path& folder, std::string_view name) { return FindFileNoCase(folder, name).has_value(); }

// Whether the converter has to say something about the file so changed: a
// broken file it reads, or a missing one whose picture the definition names.
// The digits come from nums_ex.bmp first, numbers.bmp only without it.
bool Warns(const OptionalFile& file, Change change, const fs::path& skin)
{
    const std::string_view name = file.Name;
    if (change != Change::Remove)
        return file.Strict && (name != "numbers.bmp" || !Has(skin, "nums_ex.bmp"));
    if (name == "numbers.bmp")
        return !Has(skin, "nums_ex.bmp");
    if (name == "nums_ex.bmp")
        return !Has(skin, "numbers.bmp");
    return name == "posbar.bmp" || name == "viscolor.txt" || name == "pledit.bmp";
}

void Apply(const fs::path& folder, const OptionalFile& file, Change change)
{
    const fs::path path = FindFileNoCase(folder, file.Name).value_or(folder / file.Name);
    if (change == Change::Remove)
        fs::remove(path);
    else
        std::ofstream(path, std::ios::binary | std::ios::trunc) << (change == Change::Empty ? "" : file.Garbage);
}

::testing::AssertionResult ChecksClean(const fs::path& ssf)
{
    for (const fs::path& file : {ssf, EqDefinitionPath(ssf)}) {
        if (!fs::exists(file))
            continue;
        for (const CheckFinding& finding : CheckKorvelSkin(file))
            if (finding.Severity == Severity::Problem)
                return ::testing::AssertionFailure() << finding.toString().toStdString();
    }
    return ::testing::AssertionSuccess();
}

void ExpectClassicAnalyzer(const fs::path& ssf)
{
    const QImage pattern = DecodeImageFile(ssf.parent_path() / "Analyzer.bmp");
    ASSERT_EQ(pattern.size(), QSize(5, 16));
    for (int row = 0; row < 16; ++row)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(FromQRgb(pattern.pixel(x, row)), kClassicBars[row]) << x << "," << row;
    const std::vector<std::string> lines = ReadLines(ssf);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "SpectrumPeakColor 150 150 150"), lines.end());
}

class OptionalSkinFiles : public ::testing::TestWithParam<fs::path> {};

TEST_P(OptionalSkinFiles, RemovedOrBrokenEachInTurnTheSkinConvertsWhole)
{
    test::TempFolder work;
    fs::path skin = GetParam();
    if (!fs::is_directory(skin)) {
        ExtractArchive(skin, work / "unpacked");
        skin = FindSkinFolder(work / "unpacked");
        ASSERT_FALSE(skin.empty());
    }
    int n = 0;
    for (const OptionalFile& file : kOptionalFiles)
        for (const Change change : {Change::Remove, Change::Empty, Change::Garbage}) {
            SCOPED_TRACE(std::string(file.Name) + " " + std::to_string(int(change)));
            const fs::path changed = work / ("case" + std::to_string(++n));
            fs::copy(skin, changed, fs::copy_options::recursive);
            Apply(changed, file, change);
            const fs::path ssf = work / ("out" + std::to_string(n)) / "skin.ssf";
            const ConversionResult result = ConvertSkin(test::BinFolder(), {changed, ssf}, {});
            ASSERT_TRUE(result.Converted) << result.Error.toStdString();
            const bool named = std::any_of(result.Warnings.begin(), result.Warnings.end(), [&](const QString& text) {
                return text.contains(QString::fromLatin1(file.Name), Qt::CaseInsensitive);
            });
            EXPECT_EQ(named, Warns(file, change, skin)) << result.Warnings.join('\n').toStdString();
            EXPECT_TRUE(ChecksClean(ssf));
            if (std::string_view(file.Name) == "viscolor.txt" && change == Change::Remove)
                ExpectClassicAnalyzer(ssf);
        }
}

INSTANTIATE_TEST_SUITE_P(Skins, OptionalSkinFiles, ::testing::ValuesIn(test::SkinsToConvert()),
                         [](const auto& info) { return test::TestNameOf(info.param); });

// A skin of main.bmp alone under every option of the settings panel.
TEST(OptionalSkinFilesOptions, MainBmpAloneConvertsWholeUnderEveryOption)
{
    test::TempFolder work;
    fs::create_directories(work / "bare");
    fs::copy_file(test::SampleSkinFolder() / "main.bmp", work / "bare" / "main.bmp");
    std::vector<ConversionOptions> options(8);
    options[1].ShowEqualizer = false;
    options[2].EqualizerOnTop = true;
    options[3].PlaylistWidthSteps = options[3].PlaylistHeightSteps = 3;
    options[4].HideTime = options[4].HideSongTitle = true;
    options[5].HideAnalyzer = options[5].HideInfo = true;
    options[6].HideSeekBar = true;
    options[7].ShowEqualizer = false, options[7].HideTime = options[7].HideAnalyzer = options[7].HideSeekBar = true;
    for (size_t i = 0; i < options.size(); ++i) {
        const fs::path ssf = work / ("out" + std::to_string(i)) / "bare.ssf";
        const ConversionResult result = ConvertSkin(test::BinFolder(), {work / "bare", ssf}, options[i]);
        ASSERT_TRUE(result.Converted) << i << ": " << result.Error.toStdString();
        EXPECT_TRUE(ChecksClean(ssf)) << i;
    }
}

// The window saves what it shows: after another skin, or after a load that
// failed before it composed anything, a skin without its optional files
// still saves whole.
TEST(OptionalSkinFilesWindow, ASaveAfterAnotherLoadNamesOnlyWhatItWrites)
{
    test::TempFolder work;
    test::SkinFixture full(work / "full"), bare(work / "bare"), broken(work / "broken");
    full.writeStandard();
    bare.writeBitmap(kMainBmp, 275, 116);
    broken.writeStandard().writeText("main.bmp", "BM broken");
    for (const fs::path& first : {full.folder(), broken.folder()}) {
        test::SessionFixture fixture;
        try {
            fixture.load(first);
        } catch (const AppError&) {
            ASSERT_EQ(first, broken.folder());
        }
        fixture.load(bare.folder());
        const fs::path ssf = work / "out" / first.filename() / "bare.ssf";
        fs::create_directories(ssf.parent_path());
        SaveSkin(fixture.Session, ssf);
        EXPECT_TRUE(ChecksClean(ssf)) << first;
    }
}

} // namespace
} // namespace tf
