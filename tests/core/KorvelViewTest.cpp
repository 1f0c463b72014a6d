#include "korvel/KorvelView.h"

#include "KorvelTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QImage>
#include <map>

namespace fs = std::filesystem;

namespace tf {
namespace {

// Set TESSAFORM_UPDATE_GOLDEN=1 to write the pictures anew after a change
// that is meant to alter the view; look at them before committing.
void ExpectMatchesGolden(const QImage& image, const std::string& goldenName)
{
    const fs::path golden = test::SourceFolder() / "tests" / "data" / goldenName;
    if (qEnvironmentVariableIntValue("TESSAFORM_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(image.save(QString::fromStdString(golden.string())));
        return;
    }
    const QImage expected = QImage(QString::fromStdString(golden.string())).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << golden;
    ASSERT_EQ(image.size(), expected.size());
    int differing = 0;
    QPoint first;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                first = {x, y};
    EXPECT_EQ(differing, 0) << "first at " << first.x() << "," << first.y() << " of " << goldenName;
}

struct KorvelViewSample : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(test::ConvertToKorvel(test::SampleSkinFolder(), ssf)); }
    KorvelView render(const fs::path& path, ViewState state)
    {
        return RenderKorvelView(KorvelDefinition::Load(path), ImagesBesideFile(path), {state, 1});
    }

    test::TempFolder out;
    fs::path ssf = out / "sample.ssf";
};

TEST_F(KorvelViewSample, MatchesTheGoldenPictures)
{
    const KorvelView normal = render(ssf, ViewState::Normal);
    ExpectMatchesGolden(normal.image, "korvel-view-sample.png");
    EXPECT_EQ(normal.mainWindow, (Rect{0, 0, 275, 116}));
    EXPECT_EQ(normal.playlistWindow, (Rect{0, 116, 275, 232}));

    const auto eq = FindEqDefinition(ssf);
    ASSERT_EQ(eq, out / "sample_EQ.ssf");
    EXPECT_EQ(FindEqDefinition(*eq), eq);
    ExpectMatchesGolden(render(*eq, ViewState::Pressed).image, "korvel-view-sample-eq-pressed.png");
}

TEST_F(KorvelViewSample, DrawsFromMemoryAsFromFilesAndRedrawsOnlyAChangedField)
{
    const KorvelDefinition definition = KorvelDefinition::Load(ssf);
    std::map<std::string, Bitmap> images;
    for (const fs::directory_entry& entry : ListFolderSorted(out.path()))
        if (entry.path().extension() != ".ssf")
            images.emplace(entry.path().filename().string(), Bitmap::Load(entry.path()));
    const QImage fromFiles = render(ssf, ViewState::Normal).image;
    EXPECT_EQ(RenderKorvelView(definition, ImagesInMemory(images)).image, fromFiles);

    // As the window would after the user picks another title colour.
    std::string bytes = ReadFileBytes(ssf);
    const std::string colourLine = "SongInformationFontColor ";
    const size_t at = bytes.find(colourLine);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, bytes.find('\r', at) - at, colourLine + "1 2 3");
    const KorvelDefinition changed = KorvelDefinition::Parse(bytes);
    const QImage recoloured = RenderKorvelView(changed, ImagesInMemory(images)).image;
    const Rect field = *changed.rect("SongInfoField");
    int inside = 0;
    for (int y = 0; y < fromFiles.height(); ++y)
        for (int x = 0; x < fromFiles.width(); ++x) {
            const bool differs = recoloured.pixel(x, y) != fromFiles.pixel(x, y);
            const bool inField = x >= field.left && x < field.right && y >= field.top && y < field.bottom;
            if (differs && !inField)
                FAIL() << "changed outside the field at " << x << "," << y;
            inside += differs && recoloured.pixel(x, y) == qRgb(1, 2, 3);
        }
    EXPECT_GT(inside, 20);
}

} // namespace
} // namespace tf
