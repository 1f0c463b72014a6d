// A Korvel definition file of any content through the reader, the checker and
// the view, drawn twice by one renderer as the window draws it after a
// change (the redraw of only what changed). The bitmaps are those the
// converter writes, at their sizes, with a large playlist among them:
// whatever the definition says, the view's memory stays bounded (this target
// runs with -rss_limit_mb=256).

#include "korvel/KorvelDefinition.h"
#include "korvel/KorvelView.h"
#include "korvel/SkinCheck.h"
#include "platform/Errors.h"
#include "platform/Fonts.h"

#include <QGuiApplication>
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

struct NamedSize {
    const char* Name;
    int Width;
    int Height;
};

// The converter's files; "PlayListLarge.bmp" is its playlist at 32 steps
// either way. Not at its most (3875 x 4292): under AddressSanitizer the three
// copies a view of that one holds (the bitmap, the window drawn, the picture)
// and their shadow memory pass 256 MiB by themselves; that view is measured
// in the release build by the converter's test of its largest skin.
constexpr NamedSize kImages[] = {
    {"MainNormal.bmp", 275, 116},     {"MainPressed.bmp", 275, 116},     {"MainInactive.bmp", 275, 116},
    {"MainNormal_EQ.bmp", 275, 232},  {"MainPressed_EQ.bmp", 275, 232},  {"MainInactive_EQ.bmp", 275, 232},
    {"PlayListNormal.bmp", 325, 145}, {"PlayListPressed.bmp", 325, 145}, {"PlayListLarge.bmp", 1075, 1044},
    {"Numbers.bmp", 117, 13},         {"Analyzer.bmp", 5, 16},           {"PosBar1.bmp", 29, 10},
    {"PosBar2.bmp", 29, 10},          {"Pan.Bmp", 912, 13},              {"Vol.Bmp", 1904, 13},
    {"PanMask.bmp", 275, 116},        {"VolMask.bmp", 275, 116},         {"PanMask_EQ.bmp", 275, 232},
    {"VolMask_EQ.bmp", 275, 232},
};

const std::map<std::string, tf::Bitmap>& Images()
{
    static const std::map<std::string, tf::Bitmap> images = [] {
        std::map<std::string, tf::Bitmap> made;
        int shade = 0;
        for (const NamedSize& image : kImages) {
            tf::Bitmap bitmap(image.Width, image.Height);
            bitmap.fillAll(tf::MakeColor(shade, 255 - shade, (shade * 7) & 0xFF));
            // A little magenta, the windows' transparent colour.
            bitmap.fill({0, 0, image.Width / 4, image.Height / 4}, tf::kMagenta);
            shade += 13;
            made.emplace(image.Name, std::move(bitmap));
        }
        return made;
    }();
    return images;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_definition";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    tf::InstallFontSubstitutions();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto state = static_cast<tf::ViewState>(input.ConsumeIntegralInRange<int>(0, 2));
    const int scale = input.ConsumeIntegralInRange<int>(1, 8);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const tf::KorvelDefinition definition = tf::KorvelDefinition::Parse(bytes);
    const tf::ImageLookup images = tf::ImagesInMemory(Images());
    for (const tf::CheckFinding& finding : tf::CheckKorvelDefinition(definition, images))
        if (finding.Message.isEmpty())
            std::abort();
    try {
        tf::KorvelViewRenderer renderer;
        // The first picture is let go before the second is drawn, as a
        // preview hands each on: the renderer's memory is what is bounded.
        const int width = renderer.render(definition, images, {tf::ViewState::Normal, scale}).Image.width();
        const tf::KorvelView second = renderer.render(definition, images, {state, scale});
        // The picture holds both windows, scaled.
        if (width % scale != 0 || second.Image.height() % scale != 0)
            std::abort();
    } catch (const tf::AppError&) {
        // A definition without a main bitmap, or a view too large to draw.
    }
    return 0;
}
