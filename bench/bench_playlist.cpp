// The playlist picture is recomposed on every mouse move of a drag, so it
// must stay close to the cost of touching each of its pixels once. Reported:
// ComposePlaylist at 40 x 40 steps against one fill of a bitmap that size.
#include "skin/Playlist.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace {

constexpr int32_t kSteps = 40;
constexpr int kWidth = 275 + 25 * kSteps;
constexpr int kHeight = 116 + 29 * kSteps;

struct PlaylistSkin {
    tf::test::TempFolder temp;
    tf::test::SkinFixture skin{temp / "skin"};
    PlaylistSkin()
    {
        skin.writeBitmap(tf::kPlEditBmp, 280, 186);
        skin.writeText("pledit.txt", tf::test::SkinFixture::StandardPleditText());
    }
};

void BM_FillBaseline(benchmark::State& state)
{
    tf::Bitmap bitmap(kWidth, kHeight);
    tf::Color color = 0;
    for (auto _ : state) {
        bitmap.fillAll(color++);
        benchmark::DoNotOptimize(bitmap.image().constBits());
    }
}
BENCHMARK(BM_FillBaseline)->Unit(benchmark::kMicrosecond);

void BM_ComposePlaylist(benchmark::State& state)
{
    const PlaylistSkin fixture;
    tf::SkinState skinState;
    tf::PreviewPictures previews;
    for (auto _ : state) {
        tf::ComposePlaylist(skinState, previews, fixture.skin.path("pledit.bmp"),
                            fixture.skin.path("pledit.txt"), kSteps, kSteps);
        benchmark::DoNotOptimize(previews.Playlist.image().constBits());
    }
}
BENCHMARK(BM_ComposePlaylist)->Unit(benchmark::kMicrosecond);

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
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto base = reporter.times.find("BM_FillBaseline");
    const auto target = reporter.times.find("BM_ComposePlaylist");
    if (base != reporter.times.end() && target != reporter.times.end() && base->second > 0)
        std::printf("ratio ComposePlaylist(40 x 40) / fill(%d x %d): %.2f (aim: at most 3)\n", kWidth,
                    kHeight, target->second / base->second);
    benchmark::Shutdown();
    return 0;
}
