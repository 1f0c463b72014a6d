// The time glyph strip is rebuilt on every click of the time group's
// controls. Reported: RenderTimeDigits against one decode of its digit file,
// in plain and transparent mode (aim: at most 2), and for scale the decode of
// main.bmp, which every render needs for the colon.
#include "platform/Fonts.h"
#include "skin/TimeDigits.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include "bench/RatioReporter.h"
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

struct DigitSkin {
    tf::test::TempFolder Temp;
    tf::test::SkinFixture Skin{Temp / "skin"};
    tf::SkinState State;
    DigitSkin()
    {
        Skin.writeBitmap(tf::kNumbersBmp, 99, 13);
        Skin.writeBitmap(tf::kMainBmp, 275, 116);
        State.SourceFilePaths[tf::kMainBmp] = Skin.path("main.bmp");
    }
};

void DecodeBenchmark(benchmark::State& state, const char* name)
{
    const DigitSkin fixture;
    for (auto _ : state) {
        tf::Bitmap bitmap = tf::Bitmap::Load(fixture.Skin.path(name));
        benchmark::DoNotOptimize(bitmap.image().constBits());
    }
}
void BM_DecodeDigitsBaseline(benchmark::State& state) { DecodeBenchmark(state, "numbers.bmp"); }
// Not a target: the colon comes from main.bmp, decoded whole at every
// render, and this decode alone is several digit decodes.
void BM_DecodeMainBmp(benchmark::State& state) { DecodeBenchmark(state, "main.bmp"); }
BENCHMARK(BM_DecodeDigitsBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeMainBmp)->Unit(benchmark::kMicrosecond);

void RenderBenchmark(benchmark::State& state, bool transparent)
{
    const DigitSkin fixture;
    tf::EditorSettings editor;
    editor.TransparentTime = transparent;
    tf::PreviewPictures previews;
    for (auto _ : state) {
        tf::RenderTimeDigits(fixture.State, editor, previews, fixture.Skin.path("numbers.bmp"),
                             fixture.Skin.path("nums_ex.bmp"));
        benchmark::DoNotOptimize(previews.TimeDigits.image().constBits());
    }
}
void BM_RenderTimeDigits(benchmark::State& state) { RenderBenchmark(state, false); }
void BM_RenderTimeDigitsTransparent(benchmark::State& state) { RenderBenchmark(state, true); }
BENCHMARK(BM_RenderTimeDigits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderTimeDigitsTransparent)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return tf::bench::RunBenchmarks(argc, argv, [](const tf::bench::RatioReporter& reporter) {
        reporter.printRatio("RenderTimeDigits / one decode of numbers.bmp", "BM_RenderTimeDigits",
                            "BM_DecodeDigitsBaseline", 2);
        reporter.printRatio("RenderTimeDigits, transparent / one decode of numbers.bmp",
                            "BM_RenderTimeDigitsTransparent", "BM_DecodeDigitsBaseline", 2);
        reporter.printRatio("decode of main.bmp / one decode of numbers.bmp", "BM_DecodeMainBmp",
                            "BM_DecodeDigitsBaseline");
    });
}
