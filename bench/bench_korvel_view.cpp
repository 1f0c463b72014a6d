// The window's Korvel view is drawn again after every change of a setting:
// one render of the converted sample from the session, against one
// ComposePlaylist of the same skin, measured in the same run.

#include "bench/RatioReporter.h"
#include "session/LiveKorvelView.h"
#include "session/OpenSkin.h"
#include "skin/Playlist.h"
#include "support/ScriptedPrompts.h"
#include "support/TestPaths.h"

#include <benchmark/benchmark.h>

namespace {

struct SampleSession {
    tf::ScriptedPrompts prompts;
    tf::SkinSession session{tf::test::BinFolder(), prompts};
    SampleSession()
    {
        tf::InitializeSession(session);
        tf::OpenSkinFolder(session, tf::test::BinFolder() / "sample");
    }
};

void BM_ComposePlaylist(benchmark::State& state)
{
    SampleSession sample;
    const auto& paths = sample.session.State.SourceFilePaths;
    for (auto _ : state) {
        tf::ComposePlaylist(sample.session.State, sample.session.Previews, paths[tf::kPlEditBmp],
                            paths[tf::kPlEditTxt], 0, 0);
        benchmark::DoNotOptimize(sample.session.Previews.Playlist.image().constBits());
    }
}
BENCHMARK(BM_ComposePlaylist)->Unit(benchmark::kMicrosecond);

void BM_RenderSessionKorvelView(benchmark::State& state)
{
    SampleSession sample;
    for (auto _ : state) {
        const tf::KorvelView view = tf::RenderSessionKorvelView(sample.session);
        benchmark::DoNotOptimize(view.image.constBits());
    }
}
BENCHMARK(BM_RenderSessionKorvelView)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return tf::bench::RunBenchmarks(argc, argv, [](const tf::bench::RatioReporter& reporter) {
        reporter.printRatio("Korvel view of the session / one ComposePlaylist", "BM_RenderSessionKorvelView",
                            "BM_ComposePlaylist", 3, tf::bench::RatioReporter::Clock::Cpu);
        std::printf("one Korvel view: %.2f ms (aim: under 16 ms)\n",
                    reporter.time("BM_RenderSessionKorvelView") / 1000.0);
    });
}
