// The window's Korvel view is drawn again after every change of a setting:
// one change of the settings panel and the view that shows it, from the
// session, against one ComposePlaylist of the same skin, measured in the
// same run.

#include "bench/RatioReporter.h"
#include "session/LiveKorvelView.h"
#include "session/OpenSkin.h"
#include "skin/Playlist.h"
#include "support/ScriptedPrompts.h"
#include "support/TestPaths.h"

#include <benchmark/benchmark.h>

#include <array>
#include <functional>

namespace {

struct SampleSession {
    tf::ScriptedPrompts Prompts;
    tf::SkinSession Session{tf::test::BinFolder(), Prompts};
    SampleSession()
    {
        tf::InitializeSession(Session);
        tf::OpenSkinFolder(Session, tf::test::BinFolder() / "sample");
    }
};

void BM_ComposePlaylist(benchmark::State& state)
{
    SampleSession sample;
    const auto& paths = sample.Session.State.SourceFilePaths;
    for (auto _ : state) {
        tf::ComposePlaylist(sample.Session.State, sample.Session.Previews, paths[tf::kPlEditBmp],
                            paths[tf::kPlEditTxt], 0, 0);
        benchmark::DoNotOptimize(sample.Session.Previews.Playlist.image().constBits());
    }
}
BENCHMARK(BM_ComposePlaylist)->Unit(benchmark::kMicrosecond);

// The settings panel's own boxes and fields, each written into the session as
// its handler writes it; applied in turn, every one flips back on its next
// turn, as a user trying a setting does.
const std::array<std::function<void(tf::SkinSession&)>, 9> kPanelChanges = {{
    [](tf::SkinSession& s) { s.State.ScrollTextFont().Bold = !s.State.ScrollTextFont().Bold; },
    [](tf::SkinSession& s) { s.State.ScrollTextFont().Shadow = !s.State.ScrollTextFont().Shadow; },
    [](tf::SkinSession& s) { s.State.InfoFont().Shadow = !s.State.InfoFont().Shadow; },
    [](tf::SkinSession& s) { s.State.ScrollTextFont().Italic = !s.State.ScrollTextFont().Italic; },
    [](tf::SkinSession& s) { s.State.ScrollTextFont().Size ^= 1; },
    [](tf::SkinSession& s) { s.State.PlaylistFont().Size ^= 1; },
    [](tf::SkinSession& s) { s.State.ShowAnalyzer = !s.State.ShowAnalyzer; },
    [](tf::SkinSession& s) { s.State.ShowSeekBar = !s.State.ShowSeekBar; },
    // The time group's box: its handler also draws the digit strip again,
    // which gives a new picture.
    [](tf::SkinSession& s) {
        s.Editor.TransparentTime = !s.Editor.TransparentTime;
        s.Previews.TimeDigits = tf::Bitmap::FromImage(s.Previews.TimeDigits.image().copy());
    },
}};

void BM_KorvelViewOfOneChange(benchmark::State& state)
{
    SampleSession sample;
    tf::LiveKorvelView live;
    tf::KorvelView shown = live.render(sample.Session); // the window holds what it shows
    size_t turn = 0;
    for (auto _ : state) {
        kPanelChanges[turn++ % kPanelChanges.size()](sample.Session);
        shown = live.render(sample.Session);
        benchmark::DoNotOptimize(shown.Image.constBits());
    }
}
BENCHMARK(BM_KorvelViewOfOneChange)->Unit(benchmark::kMicrosecond);

// A colour never shown before: the title, the bit rate, the frequency and the
// playlist's times are drawn in it for the first time.
void BM_KorvelViewOfANewTextColour(benchmark::State& state)
{
    SampleSession sample;
    tf::LiveKorvelView live;
    tf::KorvelView shown = live.render(sample.Session);
    tf::Color colour = 0;
    for (auto _ : state) {
        sample.Session.State.TextColor = colour++ & 0xFFFFFF;
        shown = live.render(sample.Session);
        benchmark::DoNotOptimize(shown.Image.constBits());
    }
}
BENCHMARK(BM_KorvelViewOfANewTextColour)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return tf::bench::RunBenchmarks(argc, argv, [](const tf::bench::RatioReporter& reporter) {
        reporter.printRatio("Korvel view after one change / one ComposePlaylist", "BM_KorvelViewOfOneChange",
                            "BM_ComposePlaylist", 3, tf::bench::RatioReporter::Clock::Cpu);
        reporter.printRatio("Korvel view in a new text colour / one ComposePlaylist",
                            "BM_KorvelViewOfANewTextColour", "BM_ComposePlaylist", 3,
                            tf::bench::RatioReporter::Clock::Cpu);
        std::printf("one Korvel view after a change: %.3f ms (%.3f ms CPU; aim: under 16 ms)\n",
                    reporter.time("BM_KorvelViewOfOneChange") / 1000.0,
                    reporter.time("BM_KorvelViewOfOneChange", tf::bench::RatioReporter::Clock::Cpu) / 1000.0);
    });
}
