// One conversion of the default skin (load plus save, unpacked once) against
// the floor of decoding its bitmaps and writing the same output bytes as
// BMP files; and the converter's batch of 20 sample skins on two jobs
// against one. All in the same run.

#include "bench/RatioReporter.h"
#include "cli/Batch.h"
#include "output/SaveSkin.h"
#include "platform/FileSystem.h"
#include "platform/ImageFile.h"
#include "skin/LoadSkin.h"
#include "sources/ArchiveExtraction.h"
#include "sources/SkinFinder.h"
#include "support/ScriptedPrompts.h"
#include "support/SessionFixture.h"
#include "support/TestPaths.h"

#include <QFile>

namespace fs = std::filesystem;

namespace {

fs::path g_skinFolder;
std::vector<fs::path> g_bitmapPaths;
std::vector<std::pair<std::string, QByteArray>> g_outputFiles; // what one conversion writes
std::vector<fs::path> g_sampleCopies;

// Both write into a fresh output folder each time, as converting a skin into
// its own folder does: replacing the files of an earlier run over and over
// would measure the file system's handling of recently freed inodes instead.
fs::path FreshFolder(benchmark::State& state, const tf::test::TempFolder& root, int& serial)
{
    state.PauseTiming();
    const fs::path folder = root / std::to_string(serial++);
    fs::create_directories(folder);
    state.ResumeTiming();
    return folder;
}

void ConvertBench(benchmark::State& state)
{
    tf::test::TempFolder root;
    int serial = 0;
    for (auto _ : state) {
        const fs::path out = FreshFolder(state, root, serial);
        // A new session each time, as every conversion of the converter starts.
        tf::ScriptedPrompts prompts;
        tf::SkinSession session(tf::test::BinFolder(), prompts);
        tf::InitializeSession(session);
        tf::SetSkinSource(session, g_skinFolder);
        tf::LoadSkin(session);
        tf::SaveSkin(session, out / "base.ssf");
    }
}

void DecodeAndWriteFloor(benchmark::State& state)
{
    tf::test::TempFolder root;
    int serial = 0;
    for (auto _ : state) {
        const fs::path out = FreshFolder(state, root, serial);
        for (const fs::path& path : g_bitmapPaths)
            benchmark::DoNotOptimize(tf::DecodeImageFile(path));
        for (const auto& [name, bytes] : g_outputFiles) {
            QFile file(tf::PathToQString(out / name));
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            file.write(bytes);
        }
    }
}

void BatchBench(benchmark::State& state)
{
    tf::test::TempFolder out;
    const auto entries = tf::PlanBatch(g_sampleCopies, out.path());
    for (auto _ : state)
        tf::RunBatch(tf::test::BinFolder(), entries, {}, int(state.range(0)));
    state.counters["skins"] = double(entries.size());
}

BENCHMARK(ConvertBench)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeAndWriteFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BatchBench)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void CollectOutput()
{
    tf::test::SessionFixture fixture;
    tf::SetSkinSource(fixture.session, g_skinFolder);
    tf::LoadSkin(fixture.session);
    static tf::test::TempFolder once;
    tf::SaveSkin(fixture.session, once / "base.ssf");
    for (const auto& entry : fs::directory_iterator(once.path())) {
        QFile file(tf::PathToQString(entry.path()));
        file.open(QIODevice::ReadOnly);
        g_outputFiles.emplace_back(entry.path().filename().string(), file.readAll());
    }
}

} // namespace

int main(int argc, char** argv)
{
    tf::bench::OffscreenApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    tf::test::TempFolder work;
    const fs::path sample = tf::test::BinFolder() / "sample";
    for (int i = 0; i < 20; ++i) {
        const fs::path copy = work / ("sample" + std::to_string(i));
        fs::copy(sample, copy, fs::copy_options::recursive);
        g_sampleCopies.push_back(copy);
    }
    const auto archive = tf::test::SharedSkin("base-2.91.wsz");
    if (archive) {
        tf::ExtractArchive(*archive, work / "base");
        g_skinFolder = tf::FindSkinFolder(work / "base");
        for (const auto& entry : fs::directory_iterator(g_skinFolder))
            for (std::string_view name : tf::kSourceFileTable)
                if (tf::FoldFileName(name) == tf::FoldFileName(entry.path().filename().string())
                    && name.ends_with(".bmp"))
                    g_bitmapPaths.push_back(entry.path());
        CollectOutput();
    } else {
        std::printf("../shared/skins/base-2.91.wsz is absent; only the batch is measured\n");
        benchmark::SetBenchmarkFilter("BatchBench");
    }

    tf::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (archive) {
        std::printf("%zu bitmaps decoded and %zu files written by the floor\n", g_bitmapPaths.size(),
                    g_outputFiles.size());
        reporter.printRatio("conversion / floor", "ConvertBench", "DecodeAndWriteFloor", 1.5);
        reporter.printRatio("conversion / floor", "ConvertBench", "DecodeAndWriteFloor", 1.5,
                            tf::bench::RatioReporter::Clock::Cpu);
    }
    const double one = reporter.time("BatchBench/1");
    const double two = reporter.time("BatchBench/2");
    if (one > 0 && two > 0)
        std::printf("batch of %zu skins, -j 2 against -j 1: %.2f times faster (aim: at least 1.7)\n",
                    g_sampleCopies.size(), one / two);
    benchmark::Shutdown();
    return 0;
}
