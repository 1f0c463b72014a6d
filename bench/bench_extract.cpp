// Extracting the default skin with our safe extractor against libarchive's
// plain extraction (reader plus disk writer with default flags, no checks
// of our own) of the same archive, each into a fresh temporary folder, in
// the same run. Both read ZIP only, so format detection costs the same. The
// last line gives the ratios of the two times (ours / plain), by the clock
// and by the thread's CPU time.

#include "RatioReporter.h"
#include "sources/ArchiveExtraction.h"
#include "support/TestPaths.h"

#include <archive.h>
#include <archive_entry.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace fs = std::filesystem;

namespace {

fs::path g_archive;
double g_wallRatio = 0;
double g_cpuRatio = 0;

void ExtractPlain(const fs::path& archivePath, const fs::path& destination)
{
    archive* reader = archive_read_new();
    archive_read_support_format_zip(reader);
    archive* writer = archive_write_disk_new();
    archive_write_disk_set_options(writer, 0);
    if (archive_read_open_filename(reader, archivePath.c_str(), 64 * 1024) == ARCHIVE_OK) {
        archive_entry* entry = nullptr;
        while (archive_read_next_header(reader, &entry) == ARCHIVE_OK) {
            const std::string path = (destination / archive_entry_pathname(entry)).string();
            archive_entry_copy_pathname(entry, path.c_str());
            if (archive_write_header(writer, entry) != ARCHIVE_OK)
                continue;
            const void* block = nullptr;
            size_t size = 0;
            la_int64_t offset = 0;
            while (archive_read_data_block(reader, &block, &size, &offset) == ARCHIVE_OK)
                archive_write_data_block(writer, block, size, offset);
            archive_write_finish_entry(writer);
        }
    }
    archive_write_free(writer);
    archive_read_free(reader);
}

struct Times {
    double Wall = 0; // seconds
    double Cpu = 0;  // seconds of this thread, system time included
};

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename Extract>
void TimeOne(const fs::path& destination, Extract extract, Times& times)
{
    fs::create_directories(destination);
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    extract(destination);
    times.Cpu += ThreadCpuSeconds() - cpuStart;
    times.Wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    fs::remove_all(destination);
}

// The two extractions alternate inside one loop, in alternating order, so
// that the load of a shared machine falls on both alike. The benchmark's
// own time is ours; the counters give both and their ratios.
void ExtractOursAgainstPlain(benchmark::State& state)
{
    const tf::test::TempFolder temp;
    Times ours;
    Times plain;
    size_t files = 0;
    int64_t round = 0;
    const auto runOurs = [&] {
        TimeOne(temp / "ours", [&](const fs::path& destination) {
            files = tf::ExtractArchive(g_archive, destination).Files.size();
        }, ours);
    };
    const auto runPlain = [&] {
        TimeOne(temp / "plain", [](const fs::path& destination) { ExtractPlain(g_archive, destination); }, plain);
    };
    for (auto _ : state) {
        const double before = ours.Wall;
        if (round++ % 2 == 0) {
            runOurs();
            runPlain();
        } else {
            runPlain();
            runOurs();
        }
        state.SetIterationTime(ours.Wall - before);
    }
    const double n = double(round);
    state.counters["files"] = double(files);
    state.counters["ours_us"] = ours.Wall / n * 1e6;
    state.counters["plain_us"] = plain.Wall / n * 1e6;
    state.counters["wall_ratio"] = ours.Wall / plain.Wall;
    state.counters["cpu_ratio"] = ours.Cpu / plain.Cpu;
    g_wallRatio = ours.Wall / plain.Wall;
    g_cpuRatio = ours.Cpu / plain.Cpu;
}

BENCHMARK(ExtractOursAgainstPlain)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    const auto prepare = [] {
        const auto skin = tf::bench::SkinToMeasure("base-2.91.wsz");
        if (skin)
            g_archive = *skin;
        return skin.has_value();
    };
    return tf::bench::RunBenchmarks(
        argc, argv,
        [](const tf::bench::RatioReporter&) {
            if (g_wallRatio > 0)
                std::printf("extract ratio ours / plain libarchive: %.3f wall, %.3f cpu\n", g_wallRatio,
                            g_cpuRatio);
        },
        prepare);
}
