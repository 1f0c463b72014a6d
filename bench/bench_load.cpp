// LoadSkin on the default skin (unpacked once, before timing) against
// decoding the same skin's bitmaps alone, in the same run.

#include "bench/RatioReporter.h"
#include "platform/FileSystem.h"
#include "platform/ImageFile.h"
#include "skin/LoadSkin.h"
#include "sources/ArchiveExtraction.h"
#include "sources/SkinFinder.h"
#include "support/SessionFixture.h"
#include "support/TestPaths.h"

#include <memory>

namespace fs = std::filesystem;

namespace {

fs::path g_skinFolder;
std::vector<fs::path> g_bitmapPaths;

void LoadSkinBench(benchmark::State& state)
{
    tf::test::SessionFixture fixture;
    tf::SetSkinSource(fixture.Session, g_skinFolder);
    tf::LoadSkin(fixture.Session); // the first load measures the scroll text font
    for (auto _ : state)
        tf::LoadSkin(fixture.Session);
}

void DecodeBitmapsBench(benchmark::State& state)
{
    for (auto _ : state)
        for (const fs::path& path : g_bitmapPaths)
            benchmark::DoNotOptimize(tf::DecodeImageFile(path));
}

BENCHMARK(LoadSkinBench)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecodeBitmapsBench)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    tf::test::TempFolder unpacked;
    const auto prepare = [&] {
        const auto archive = tf::bench::SkinToMeasure("base-2.91.wsz");
        if (!archive)
            return false;
        tf::ExtractArchive(*archive, unpacked.path());
        g_skinFolder = tf::FindSkinFolder(unpacked.path());
        for (const auto& entry : fs::directory_iterator(g_skinFolder))
            if (entry.path().extension() == ".BMP" || entry.path().extension() == ".bmp")
                for (std::string_view name : tf::kSourceFileTable)
                    if (tf::FoldFileName(name) == tf::FoldFileName(entry.path().filename().string()))
                        g_bitmapPaths.push_back(entry.path());
        return true;
    };
    return tf::bench::RunBenchmarks(
        argc, argv,
        [](const tf::bench::RatioReporter& reporter) {
            std::printf("%zu bitmaps of the skin decoded by the baseline\n", g_bitmapPaths.size());
            reporter.printRatio("LoadSkin / decoding its bitmaps", "LoadSkinBench", "DecodeBitmapsBench", 1.5);
            reporter.printRatio("LoadSkin / decoding its bitmaps", "LoadSkinBench", "DecodeBitmapsBench", 1.5,
                                tf::bench::RatioReporter::Clock::Cpu);
        },
        prepare);
}
