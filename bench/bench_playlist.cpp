// The playlist picture is recomposed on every mouse move of a drag, so it
// must stay close to the cost of touching each of its pixels once. Reported:
// ComposePlaylist at 40 x 40 steps against one fill of a bitmap that size.
#include "skin/Playlist.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include "bench/RatioReporter.h"
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int32_t kSteps = 40;
constexpr int kWidth = 275 + 25 * kSteps;
constexpr int kHeight = 116 + 29 * kSteps;

struct PlaylistSkin {
    tf::test::TempFolder Temp;
    tf::test::SkinFixture Skin{Temp / "skin"};
    PlaylistSkin()
    {
        Skin.writeBitmap(tf::kPlEditBmp, 280, 186);
        Skin.writeText("pledit.txt", tf::test::SkinFixture::StandardPleditText());
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
        tf::ComposePlaylist(skinState, previews, fixture.Skin.path("pledit.bmp"),
                            fixture.Skin.path("pledit.txt"), kSteps, kSteps);
        benchmark::DoNotOptimize(previews.Playlist.image().constBits());
    }
}
BENCHMARK(BM_ComposePlaylist)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return tf::bench::RunBenchmarks(argc, argv, [](const tf::bench::RatioReporter& reporter) {
        std::printf("playlist of %d x %d pixels\n", kWidth, kHeight);
        reporter.printRatio("ComposePlaylist at 40 x 40 steps / one fill", "BM_ComposePlaylist", "BM_FillBaseline", 3);
    });
}
