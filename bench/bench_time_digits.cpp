// The time glyph strip is rebuilt on every click of the time group's
// controls. Reported: RenderTimeDigits against one decode of its digit file,
// in plain and transparent mode (aim: at most 2), and for scale the decode of
// main.bmp, which every render needs for the colon.
#include "editor/TimeDigits.h"
#include "platform/Fonts.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace {

struct DigitSkin {
    tf::test::TempFolder temp;
    tf::test::SkinFixture skin{temp / "skin"};
    tf::SkinState state;
    DigitSkin()
    {
        skin.writeBitmap(tf::kNumbersBmp, 99, 13);
        skin.writeBitmap(tf::kMainBmp, 275, 116);
        state.SourceFilePaths[tf::kMainBmp] = skin.path("main.bmp");
    }
};

void BM_DecodeDigitsBaseline(benchmark::State& state)
{
    const DigitSkin fixture;
    for (auto _ : state) {
        tf::Bitmap digits = tf::Bitmap::Load(fixture.skin.path("numbers.bmp"));
        benchmark::DoNotOptimize(digits.image().constBits());
    }
}
BENCHMARK(BM_DecodeDigitsBaseline)->Unit(benchmark::kMicrosecond);

// Not a target: the colon comes from main.bmp, decoded whole at every
// render, and this decode alone is several digit decodes.
void BM_DecodeMainBmp(benchmark::State& state)
{
    const DigitSkin fixture;
    for (auto _ : state) {
        tf::Bitmap main = tf::Bitmap::Load(fixture.skin.path("main.bmp"));
        benchmark::DoNotOptimize(main.image().constBits());
    }
}
BENCHMARK(BM_DecodeMainBmp)->Unit(benchmark::kMicrosecond);

void RenderBenchmark(benchmark::State& state, bool transparent)
{
    const DigitSkin fixture;
    tf::EditorSettings editor;
    editor.TransparentTime = transparent;
    tf::PreviewPictures previews;
    for (auto _ : state) {
        tf::RenderTimeDigits(fixture.state, editor, previews, fixture.skin.path("numbers.bmp"),
                             fixture.skin.path("nums_ex.bmp"));
        benchmark::DoNotOptimize(previews.TimeDigits.image().constBits());
    }
}
void BM_RenderTimeDigits(benchmark::State& state) { RenderBenchmark(state, false); }
void BM_RenderTimeDigitsTransparent(benchmark::State& state) { RenderBenchmark(state, true); }
BENCHMARK(BM_RenderTimeDigits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderTimeDigitsTransparent)->Unit(benchmark::kMicrosecond);

// Keeps the time per iteration of every run for the ratios: the median when
// the run is repeated (--benchmark_repetitions), else the mean.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration && !medians.count(run.run_name.function_name))
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians.insert(run.run_name.function_name);
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
    std::set<std::string> medians;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    tf::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto base = reporter.times.find("BM_DecodeDigitsBaseline");
    for (const char* name : {"BM_RenderTimeDigits", "BM_RenderTimeDigitsTransparent", "BM_DecodeMainBmp"}) {
        const auto target = reporter.times.find(name);
        if (base != reporter.times.end() && target != reporter.times.end() && base->second > 0)
            std::printf("ratio %s / decode of numbers.bmp: %.2f\n", name, target->second / base->second);
    }
    benchmark::Shutdown();
    return 0;
}
