// A conversion as the converter makes it, archive file in and Korvel files
// on disk out (ConvertSkin: the archive read in memory, the load, the save
// with its staging and lock), against its floor: reading the archive,
// inflating with libarchive only the members the conversion uses, decoding
// their bitmaps with our decoder and writing the same output bytes with
// plain writes into a fresh folder. On the bundled sample (zipped once) and
// on the shared corpus, in a folder on this machine's disk and on a RAM disk.
// Then a batch of 106 archives (the corpus twice over, and two more of it)
// into fresh folders on two jobs against one. Each pair runs alternately in one loop, so the load of a
// shared machine falls on both alike; the load average is printed with the
// figures.

#include "bench/LoadAverage.h"
#include "bench/RatioReporter.h"
#include "cli/Batch.h"
#include "platform/FileSystem.h"
#include "platform/ImageFile.h"
#include "session/ConvertSkin.h"
#include "skin/SkinState.h"
#include "sources/ArchiveInMemory.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <QFile>
#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct ArchiveCase {
    fs::path Archive;
    std::set<int> UsedMembers;                              // by index in archive order
    std::vector<std::pair<std::string, QByteArray>> Output; // what its conversion writes
};

struct SkinSet {
    std::string Name;
    std::vector<ArchiveCase> Cases;
};

std::vector<SkinSet> g_sets;
std::vector<fs::path> g_corpusArchives;
// The figures of each benchmark's last (longest) run, by benchmark.
std::map<std::string, std::string> g_report;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

using tf::bench::LoadAverage;

// The floor of one archive: its bytes read, the used members inflated,
// their bitmaps decoded, the output written plainly.
void Floor(const ArchiveCase& skin, const fs::path& out)
{
    const std::string bytes = ReadBytes(skin.Archive);
    archive* reader = archive_read_new();
    archive_read_support_format_zip(reader);
    archive_read_open_memory(reader, bytes.data(), bytes.size());
    archive_entry* entry = nullptr;
    std::vector<std::string> members;
    for (int index = 0; archive_read_next_header(reader, &entry) == ARCHIVE_OK; ++index) {
        if (!skin.UsedMembers.count(index))
            continue;
        std::string& member = members.emplace_back();
        member.reserve(size_t(std::max<la_int64_t>(archive_entry_size(entry), 0)));
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        while (archive_read_data_block(reader, &block, &size, &offset) == ARCHIVE_OK)
            member.append(static_cast<const char*>(block), size);
    }
    archive_read_free(reader);
    for (const std::string& member : members)
        if (member.size() > 2 && member.compare(0, 2, "BM") == 0)
            benchmark::DoNotOptimize(tf::DecodeImageBytes(member, QString()));
    fs::create_directory(out);
    for (const auto& [name, output] : skin.Output) {
        QFile file(tf::PathToQString(out / name));
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        file.write(output);
    }
}

void Convert(const ArchiveCase& skin, const fs::path& out)
{
    const tf::ConversionResult result = tf::ConvertSkin(tf::test::BinFolder(), {skin.Archive, out / "skin.ssf"}, {});
    if (!result.Converted)
        std::fprintf(stderr, "%s: %s\n", skin.Archive.c_str(), qPrintable(result.Error));
}

struct Times {
    double Wall = 0;
    double Cpu = 0;
};

template <typename Work>
void TimeSet(const SkinSet& set, const fs::path& root, Work work, Times& times)
{
    fs::create_directories(root);
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    int serial = 0;
    for (const ArchiveCase& skin : set.Cases)
        work(skin, root / std::to_string(serial++));
    times.Cpu += ThreadCpuSeconds() - cpuStart;
    times.Wall += Seconds(wallStart);
    std::error_code error;
    fs::remove_all(root, error);
}

// Conversion and floor of one set in one folder, alternating.
void ConvertAgainstFloor(benchmark::State& state, size_t setIndex, std::string where)
{
    const SkinSet& set = g_sets[setIndex];
    const fs::path root = fs::path(where) / ("tessaform-bench-" + std::to_string(::getpid()));
    Times convert, floor;
    int64_t round = 0;
    for (auto _ : state) {
        const double before = convert.Wall;
        const auto runConvert = [&] { TimeSet(set, root / "convert", Convert, convert); };
        const auto runFloor = [&] { TimeSet(set, root / "floor", Floor, floor); };
        if (round++ % 2 == 0) {
            runConvert();
            runFloor();
        } else {
            runFloor();
            runConvert();
        }
        state.SetIterationTime(convert.Wall - before);
    }
    std::error_code error;
    fs::remove_all(root, error);
    const double n = double(round) * double(set.Cases.size());
    state.counters["skins"] = double(set.Cases.size());
    state.counters["convert_ms"] = convert.Wall / n * 1e3;
    state.counters["floor_ms"] = floor.Wall / n * 1e3;
    char line[512];
    std::snprintf(line, sizeof line,
                  "archive -> skin / floor, %s on %s: %.3f wall (%.2f ms against %.2f ms a skin), %.3f CPU "
                  "(%.2f ms against %.2f ms)  [aim: 1.5]",
                  set.Name.c_str(), where.c_str(), convert.Wall / floor.Wall, convert.Wall / n * 1e3,
                  floor.Wall / n * 1e3, convert.Cpu / floor.Cpu, convert.Cpu / n * 1e3, floor.Cpu / n * 1e3);
    g_report[set.Name + " on " + where] = line;
}

// 106 archives, as many as the batch was first measured with: the corpus
// archives in turn (a repeated one is written under a numbered name).
std::vector<fs::path> BatchArchives()
{
    std::vector<fs::path> archives;
    for (size_t i = 0; i < 106; ++i)
        archives.push_back(g_corpusArchives[i % g_corpusArchives.size()]);
    return archives;
}

// The batch into fresh folders, one job against two, alternating.
void BatchOneAgainstTwo(benchmark::State& state)
{
    const tf::test::TempFolder root;
    Times one, two;
    int64_t round = 0;
    const auto run = [&](int jobs, Times& times) {
        const fs::path out = root / ("j" + std::to_string(jobs) + "-" + std::to_string(round));
        const auto entries = tf::PlanBatch(BatchArchives(), out);
        const auto start = std::chrono::steady_clock::now();
        tf::RunBatch(tf::test::BinFolder(), entries, {}, jobs);
        times.Wall += Seconds(start);
        std::error_code error;
        fs::remove_all(out, error);
    };
    const std::string loadBefore = LoadAverage();
    for (auto _ : state) {
        const double before = two.Wall;
        if (round++ % 2 == 0) {
            run(1, one);
            run(2, two);
        } else {
            run(2, two);
            run(1, one);
        }
        state.SetIterationTime(two.Wall - before);
    }
    char line[512];
    std::snprintf(line, sizeof line,
                  "batch of %zu archives, -j 2 against -j 1: %.2f times faster (%.0f ms against %.0f ms)  "
                  "[aim: 1.8; load average before %s, after %s]",
                  BatchArchives().size(), one.Wall / two.Wall, two.Wall / double(round) * 1e3,
                  one.Wall / double(round) * 1e3, loadBefore.c_str(), LoadAverage().c_str());
    g_report["batch"] = line;
}

// The members a conversion of the archive takes: the source table's files
// of the skin folder, by their index.
std::set<int> UsedMembers(const fs::path& archivePath)
{
    const std::string bytes = ReadBytes(archivePath);
    const std::vector<std::string> table(tf::kSourceFileTable.begin(), tf::kSourceFileTable.end());
    const tf::SkinArchiveContents contents = tf::ReadSkinArchive(bytes, table);
    std::set<std::string> used;
    const std::string folder = contents.SkinFolder ? tf::FoldFileName(*contents.SkinFolder) : std::string();
    for (const tf::SkinArchiveFile& file : contents.Files)
        used.insert(tf::FoldFileName(folder.empty() ? file.Name : folder + "/" + file.Name));
    std::set<int> indices;
    archive* reader = archive_read_new();
    archive_read_support_format_zip(reader);
    archive_read_open_memory(reader, bytes.data(), bytes.size());
    archive_entry* entry = nullptr;
    for (int index = 0; archive_read_next_header(reader, &entry) == ARCHIVE_OK; ++index) {
        std::string name = archive_entry_pathname(entry) ? archive_entry_pathname(entry) : "";
        std::replace(name.begin(), name.end(), '\\', '/');
        if (used.count(tf::FoldFileName(name)))
            indices.insert(index);
    }
    archive_read_free(reader);
    return indices;
}

ArchiveCase PrepareCase(const fs::path& archive, const fs::path& scratch)
{
    ArchiveCase skin{archive, UsedMembers(archive), {}};
    const fs::path out = scratch / archive.stem();
    tf::ConvertSkin(tf::test::BinFolder(), {archive, out / "skin.ssf"}, {});
    for (const fs::directory_entry& file : tf::ListFolderSorted(out)) {
        QFile in(tf::PathToQString(file.path()));
        in.open(QIODevice::ReadOnly);
        skin.Output.emplace_back(file.path().filename().string(), in.readAll());
    }
    return skin;
}

} // namespace

int main(int argc, char** argv)
{
    tf::bench::OffscreenApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    const tf::test::TempFolder scratch;
    const fs::path sampleArchive = scratch / "sample.wsz";
    {
        tf::test::ZipWriter zip(sampleArchive);
        for (const fs::directory_entry& file : tf::ListFolderSorted(tf::test::BinFolder() / "sample"))
            zip.addFile(file.path().filename().string(), ReadBytes(file.path()));
    }
    g_sets.push_back({"the sample", {PrepareCase(sampleArchive, scratch / "out")}});
    // The corpus takes a while to prepare; a filter naming the sample alone
    // (as when profiling) leaves it out.
    const std::string filter = benchmark::GetBenchmarkFilter();
    const bool sampleOnly = filter.find("sample") != std::string::npos && filter.find("corpus") == std::string::npos;
    if (const auto shared = tf::test::SharedSkinsFolder(); !sampleOnly && shared && fs::is_directory(*shared / "corpus")) {
        SkinSet corpus{"the corpus", {}};
        for (const fs::directory_entry& file : tf::ListFolderSorted(*shared / "corpus"))
            if (file.path().extension() == ".wsz") {
                g_corpusArchives.push_back(file.path());
                corpus.Cases.push_back(PrepareCase(file.path(), scratch / "out"));
            }
        g_sets.push_back(std::move(corpus));
    } else if (!sampleOnly) {
        std::printf("../shared/skins/corpus is absent; only the sample is measured\n");
    }

    const std::string disk = tf::PathToQString(fs::temp_directory_path()).toStdString();
    for (const std::string& where : {disk, std::string("/dev/shm")}) {
        if (!fs::is_directory(where))
            continue;
        for (size_t set = 0; set < g_sets.size(); ++set)
            benchmark::RegisterBenchmark(("ConvertAgainstFloor/" + g_sets[set].Name + " on " + where).c_str(),
                                         ConvertAgainstFloor, set, where)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->MinTime(set == 0 ? 1.0 : 3.0);
    }
    if (!g_corpusArchives.empty())
        benchmark::RegisterBenchmark("BatchOneAgainstTwo", BatchOneAgainstTwo)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->MinTime(5.0);

    tf::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("load average: %s\n", LoadAverage().c_str());
    for (const auto& [name, line] : g_report)
        std::printf("%s\n", line.c_str());
    benchmark::Shutdown();
    return 0;
}
