#include "korvel/KorvelView.h"

#include "korvel/FieldText.h"
#include "platform/Fonts.h"

#include "KorvelTestSupport.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
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
    ExpectMatchesGolden(normal.Image, "korvel-view-sample.png");
    EXPECT_EQ(normal.MainWindow, (Rect{0, 0, 275, 116}));
    EXPECT_EQ(normal.PlaylistWindow, (Rect{0, 116, 275, 232}));

    const auto eq = FindEqDefinition(ssf);
    ASSERT_EQ(eq, out / "sample_EQ.ssf");
    EXPECT_EQ(FindEqDefinition(*eq), eq);
    ExpectMatchesGolden(render(*eq, ViewState::Pressed).Image, "korvel-view-sample-eq-pressed.png");
}

TEST_F(KorvelViewSample, DrawsFromMemoryAsFromFilesAndRedrawsOnlyAChangedField)
{
    const KorvelDefinition definition = KorvelDefinition::Load(ssf);
    std::map<std::string, Bitmap> images;
    for (const fs::directory_entry& entry : ListFolderSorted(out.path()))
        if (entry.path().extension() != ".ssf")
            images.emplace(entry.path().filename().string(), Bitmap::Load(entry.path()));
    const QImage fromFiles = render(ssf, ViewState::Normal).Image;
    EXPECT_EQ(RenderKorvelView(definition, ImagesInMemory(images)).Image, fromFiles);

    // As the window would after the user picks another title colour.
    std::string bytes = ReadFileBytes(ssf);
    const std::string colourLine = "SongInformationFontColor ";
    const size_t at = bytes.find(colourLine);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, bytes.find('\r', at) - at, colourLine + "1 2 3");
    const KorvelDefinition changed = KorvelDefinition::Parse(bytes);
    const QImage recoloured = RenderKorvelView(changed, ImagesInMemory(images)).Image;
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


// The converter's largest playlist is drawn; a definition that names it for
// both windows as well, one over the other, would hold several times its
// memory and is refused before anything is drawn.
TEST_F(KorvelViewSample, DrawsTheLargestPlaylistAndRefusesAViewBeyondIt)
{
    std::map<std::string, Bitmap> images;
    for (const fs::directory_entry& entry : ListFolderSorted(out.path()))
        if (entry.path().extension() != ".ssf")
            images.emplace(entry.path().filename().string(), Bitmap::Load(entry.path()));
    images["PlayListNormal.bmp"] = Bitmap(3875, 4292);
    images["PlayListPressed.bmp"] = Bitmap(3875, 4292);
    std::string bytes = ReadFileBytes(ssf);
    EXPECT_EQ(RenderKorvelView(KorvelDefinition::Parse(bytes), ImagesInMemory(images), {ViewState::Pressed, 1})
                  .Image.height(),
              116 + 4292);

    for (const auto& [key, value] : {std::pair<std::string, std::string>{"MainBitmap ", "PlayListNormal.bmp"},
                                     {"MainBitmapPressed ", "PlayListPressed.bmp"},
                                     {"PlayListLinkXY ", "0 0"}}) {
        const size_t at = bytes.find("\n" + key);
        ASSERT_NE(at, std::string::npos) << key;
        bytes.replace(at + 1, bytes.find('\r', at) - at - 1, key + value);
    }
    EXPECT_THROW(RenderKorvelView(KorvelDefinition::Parse(bytes), ImagesInMemory(images), {ViewState::Pressed, 1}),
                 AppError);
}

// The text drawn right there with a painter, shadow first.
QImage DrawnInPlace(const QImage& background, const Rect& field, const Rect& clip, const QString& text,
                    const FieldTextStyle& style)
{
    QImage expected = background;
    const QFontMetrics metrics(style.Font);
    const int baseline = int(field.top + (field.height() - metrics.height()) / 2) + metrics.ascent();
    QPainter painter(&expected);
    painter.setClipRect(QRect(clip.left, clip.top, int(clip.width()), int(clip.height())));
    painter.setFont(style.Font);
    if (style.Shadow) {
        painter.setPen(ToQColor(*style.Shadow));
        painter.drawText(QPoint(field.left + 1, baseline + 1), text);
    }
    painter.setPen(ToQColor(style.Color));
    painter.drawText(QPoint(field.left, baseline), text);
    return expected;
}

// The most memory the process has held so far, where the system says.
int64_t PeakMemoryKiB()
{
#ifdef _WIN32
    return 0;
#else
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

// Texts are put down from layers kept across views, recoloured when only the
// colour is new: the pixels must be those of drawing the text right there.
// A layer holds no more than the field shows, whatever the font's size.
TEST(FieldText, GivesThePixelsOfDrawingTheTextInPlace)
{
    struct Case {
        const char* Font;
        int Size;
        bool Bold, Italic;
        tf::Color Color;
        std::optional<tf::Color> Shadow;
    };
    const Case cases[] = {
        {"MS UI Gothic", 9, false, false, MakeColor(255, 255, 0), std::nullopt},
        {"MS UI Gothic", 12, true, false, MakeColor(10, 200, 30), MakeColor(0, 0, 0)},
        {"Arial", 8, false, true, MakeColor(250, 250, 250), MakeColor(200, 0, 0)},
        {"MS UI Gothic", 30, false, false, MakeColor(250, 250, 250), MakeColor(200, 0, 0)},
        {"MS UI Gothic", 3000, false, false, MakeColor(250, 250, 250), MakeColor(200, 0, 0)},
    };
    const QString text = QStringLiteral("Tessaform サンプル - 星 (3:45) gjq");
    const Rect field{3, 2, 150, 20};
    const Rect clip{20, 2, 120, 20};
    const int64_t peakBefore = PeakMemoryKiB();
    for (const Case& c : cases) {
        FieldTextStyle style;
        style.Font = MakeFont(std::string_view(c.Font), c.Size, c.Bold, c.Italic);
        // Another colour first, so that the one checked is a recolouring.
        style.Color = MakeColor(1, 1, 1);
        Bitmap earlier(160, 24);
        DrawFieldText(earlier, field, text, style, clip);
        style.Color = c.Color;
        style.Shadow = c.Shadow;

        Bitmap drawn(160, 24);
        drawn.fillAll(MakeColor(40, 60, 80));
        const QImage background = drawn.image().copy();
        DrawFieldText(drawn, field, text, style, clip);
        EXPECT_TRUE(drawn.image() == DrawnInPlace(background, field, clip, text, style)) << c.Font << " " << c.Size;
        if (c.Size < 100) { // a huge glyph's middle may well be empty there
            EXPECT_NE(drawn.image(), background) << "no text shown";
        }
    }
    // A layer as large as the text would be gigabytes at 3000 points.
    EXPECT_LT(PeakMemoryKiB() - peakBefore, 64 * 1024);
}

} // namespace
} // namespace tf
