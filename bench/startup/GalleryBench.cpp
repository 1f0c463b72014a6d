// The gallery of a folder of 1,000 skin archives (the 52 corpus skins of
// ../shared/skins/corpus repeated under other names), each figure against
// a baseline measured in the same run:
//   - the first screenful of pictures (20) from an empty cache, against one
//     OpenSkinArchive of one skin (aim: at most 10 times);
//   - every picture of the folder, against converting the same skins with
//     two jobs (aim: at most 0.5 times);
//   - opening the folder again in a running gallery, with the cache filled,
//     up to its first screenful, against one listing of the folder (aim: at
//     most 3 times);
//   - the longest an event waits for the GUI thread while the shown gallery
//     makes its pictures and is scrolled through a page at a time, and a
//     batch converts 40 skins, against an idle event loop (aim: under 50 ms),
//     and the most processor time the GUI thread spends in one event
//     meanwhile, its own share of a stall on a machine busy with other work;
//   - the process's peak memory with the 1,000 pictures made and shown
//     (aim: under 300 MiB).

#include "WindowBenchApplication.h"
#include "window/DisplayControls.h"
#include "bench/RatioReporter.h"

#include "cli/Batch.h"
#include "gallery/BatchConversion.h"
#include "gallery/GalleryModel.h"
#include "gallery/PictureCache.h"
#include "platform/FileSystem.h"
#include "session/OpenSkin.h"
#include "skin/LoadSkin.h"
#include "sources/SkinFinder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestPaths.h"
#include "window/GalleryPage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <time.h>

namespace fs = std::filesystem;

namespace {

constexpr int kCollectionSize = 1000;
constexpr int kScreenful = 20;
constexpr int kBatchSkins = 40;

fs::path g_collection;
std::vector<fs::path> g_sources;
fs::path g_oneSkin;
std::unique_ptr<tf::test::TempFolder> g_work;
fs::path g_warmCache;
double g_stallMs = 0, g_idleStallMs = 0, g_peakMiB = 0, g_startMiB = 0;
double g_longestEventCpuMs = 0;

// Handles events, sleeping while there are none, until done.
void Spin(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

bool ScreenfulShown(tf::GalleryModel& model)
{
    const int rows = std::min(kScreenful, model.rowCount());
    for (int row = 0; row < rows; ++row)
        if (model.pictureAt(row).isNull() && model.stateAt(row) != tf::GalleryModel::TileState::NoSkin
            && model.stateAt(row) != tf::GalleryModel::TileState::Unreadable)
            return false;
    return true;
}

// Lists the collection and waits until its first screenful is shown, as a
// view asks for the rows it paints.
std::unique_ptr<tf::GalleryModel> OpenToFirstScreenful(const fs::path& cacheFolder)
{
    auto model = std::make_unique<tf::GalleryModel>(std::make_shared<tf::PictureCache>(cacheFolder));
    model->setFolder(g_collection);
    Spin([&] { return !model->isListing(); });
    Spin([&] { return ScreenfulShown(*model); });
    return model;
}

void FirstScreenful(benchmark::State& state)
{
    int serial = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path cache = g_work->path() / ("first-" + std::to_string(serial++));
        state.ResumeTiming();
        auto model = OpenToFirstScreenful(cache);
        state.PauseTiming();
        model.reset(); // waits for the pictures in flight
        fs::remove_all(cache);
        state.ResumeTiming();
    }
}

void OneOpenSkinArchive(benchmark::State& state)
{
    const fs::path work = g_work->path() / "open";
    for (auto _ : state) {
        tf::ScriptedPrompts prompts;
        tf::SkinSession session(tf::test::BinFolder(), prompts);
        tf::InitializeSession(session);
        benchmark::DoNotOptimize(tf::OpenSkinArchive(session, g_oneSkin, work));
    }
}

void AllPictures(benchmark::State& state)
{
    int serial = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path cache = g_work->path() / ("all-" + std::to_string(serial++));
        state.ResumeTiming();
        tf::GalleryModel model(std::make_shared<tf::PictureCache>(cache));
        model.setFolder(g_collection);
        Spin([&] { return !model.isListing() && model.resolvedCount() == model.rowCount(); });
        state.PauseTiming();
        if (g_warmCache.empty())
            g_warmCache = cache; // kept for the reopen
        state.ResumeTiming();
    }
}

void ConvertAllTwoJobs(benchmark::State& state)
{
    int serial = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path out = g_work->path() / ("converted-" + std::to_string(serial++));
        const auto entries = tf::PlanBatch(g_sources, out);
        state.ResumeTiming();
        tf::RunBatch(tf::test::BinFolder(), entries, {}, 2);
        state.PauseTiming();
        fs::remove_all(out);
        state.ResumeTiming();
    }
}

void CachedReopen(benchmark::State& state)
{
    if (g_warmCache.empty()) {
        state.SkipWithError("AllPictures did not run");
        return;
    }
    // The gallery of a running window opens the folder again: its threads
    // are there, its pictures in memory are not.
    tf::GalleryModel model(std::make_shared<tf::PictureCache>(g_warmCache));
    for (auto _ : state) {
        model.setFolder(g_collection);
        Spin([&] { return !model.isListing(); });
        Spin([&] { return ScreenfulShown(model); });
    }
}

// The parts of a reopen: the gallery's own listing, and one picture from
// the cache.
void CollectionListing(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tf::ListSkinCollection(g_collection).size());
}

void CacheHit(benchmark::State& state)
{
    tf::PictureCache cache(g_warmCache);
    size_t next = 0;
    for (auto _ : state) {
        const fs::path& source = g_sources[next++ % g_sources.size()];
        benchmark::DoNotOptimize(cache.find(source, tf::SourceStamp(source)));
    }
}

// The parts of a picture made: reading and composing it, and keeping it.
void MakePicture(benchmark::State& state)
{
    size_t next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(tf::MakeSkinPicture(g_sources[next++ % g_sources.size()]));
}

void StorePicture(benchmark::State& state)
{
    tf::PictureCache cache(g_work->path() / "store");
    const tf::SkinPicture picture = tf::MakeSkinPicture(g_oneSkin);
    size_t next = 0;
    for (auto _ : state) {
        const fs::path& source = g_sources[next++ % g_sources.size()];
        cache.store(source, tf::SourceStamp(source), picture);
    }
}

void DirectoryListing(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tf::ListFolderSorted(g_collection).size());
}

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Notes the most processor time the GUI thread spends in one event while
// watched: the part of a stall that is the window's own work, apart from
// the waits for a core that a machine shared with other work adds.
class EventTimingApplication : public QApplication {
public:
    using QApplication::QApplication;
    static inline bool Watching = false;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (!Watching || m_depth > 0)
            return nested(receiver, event);
        const double start = ThreadCpuMs();
        const bool handled = nested(receiver, event);
        g_longestEventCpuMs = std::max(g_longestEventCpuMs, ThreadCpuMs() - start);
        return handled;
    }

private:
    bool nested(QObject* receiver, QEvent* event)
    {
        ++m_depth;
        const bool handled = QApplication::notify(receiver, event);
        --m_depth;
        return handled;
    }
    int m_depth = 0;
};

// The longest an event waits before the GUI thread handles it: another
// thread posts one every 2 ms, stamped, and the GUI thread notes how late
// each came. That is how long a click or a key could wait while work runs.
class StallWatch {
public:
    StallWatch()
    {
        m_clock.start();
        m_pinger = std::thread([this] {
            while (!m_stop) {
                const qint64 posted = m_clock.nsecsElapsed();
                QMetaObject::invokeMethod(&m_receiver, [this, posted] {
                    m_longest = std::max(m_longest, m_clock.nsecsElapsed() - posted);
                }, Qt::QueuedConnection);
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~StallWatch()
    {
        m_stop = true;
        m_pinger.join();
        QCoreApplication::removePostedEvents(&m_receiver);
    }
    double longestMs() const { return double(m_longest) / 1e6; }

private:
    QElapsedTimer m_clock;
    QObject m_receiver;
    std::atomic<bool> m_stop{false};
    qint64 m_longest = 0;
    std::thread m_pinger;
};

void IdleLoop(benchmark::State& state)
{
    for (auto _ : state) {
        StallWatch watch;
        QElapsedTimer clock;
        clock.start();
        Spin([&] { return clock.elapsed() > 2000; });
        g_idleStallMs = watch.longestMs();
    }
}

void GalleryAndBatchStall(benchmark::State& state)
{
    for (auto _ : state) {
        tf::GalleryPage page(std::make_shared<tf::PictureCache>(g_work->path() / "stall-cache"));
        page.resize(1000, 700);
        page.show();
        page.showFolder(g_collection, {});
        tf::BatchConversion batch(tf::test::BinFolder());
        bool converted = false;
        QObject::connect(&batch, &tf::BatchConversion::finished, [&] { converted = true; });
        StallWatch watch;
        EventTimingApplication::Watching = true;
        batch.start(std::vector<fs::path>(g_sources.begin(), g_sources.begin() + kBatchSkins),
                    g_work->path() / "stall-out", {});
        // The user scrolls through the gallery a page at a time.
        QTimer scroll;
        QObject::connect(&scroll, &QTimer::timeout, [&] {
            QScrollBar* bar = page.View->verticalScrollBar();
            bar->setValue(std::min(bar->maximum(), bar->value() + bar->pageStep()));
        });
        scroll.start(150);
        tf::GalleryModel& model = *page.model();
        Spin([&] { return converted && !model.isListing() && model.resolvedCount() == model.rowCount(); });
        g_stallMs = watch.longestMs();
        EventTimingApplication::Watching = false;
    }
}

long ReadStatusKiB(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    return 0;
}

// From a process that holds no more than its Qt, its fonts and the
// collection's names: the gallery made from an empty cache and scrolled
// through to the end, every picture shown once.
void PeakMemory(benchmark::State& state)
{
    for (auto _ : state) {
        std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
        g_startMiB = double(ReadStatusKiB("VmRSS:")) / 1024;
        tf::GalleryPage page(std::make_shared<tf::PictureCache>(g_work->path() / "memory-cache"));
        page.resize(1000, 700);
        page.show();
        page.showFolder(g_collection, {});
        tf::GalleryModel& model = *page.model();
        Spin([&] { return !model.isListing(); });
        QScrollBar* bar = page.View->verticalScrollBar();
        for (int shown = 0; shown < kCollectionSize; shown += kScreenful) {
            Spin([&] { return true; });
            bar->setValue(std::min(bar->maximum(), bar->value() + bar->pageStep()));
            Spin([&] {
                QCoreApplication::processEvents();
                return model.resolvedCount() >= std::min(model.rowCount(), shown + kScreenful);
            });
        }
        Spin([&] { return model.resolvedCount() == model.rowCount(); });
        g_peakMiB = double(ReadStatusKiB("VmHWM:")) / 1024;
    }
}

BENCHMARK(PeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FirstScreenful)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(OneOpenSkinArchive)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(AllPictures)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ConvertAllTwoJobs)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CachedReopen)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(CollectionListing)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(CacheHit)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(MakePicture)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(StorePicture)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(DirectoryListing)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(IdleLoop)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GalleryAndBatchStall)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The corpus under 1,000 names, as links where the file system has them.
bool MakeCollection()
{
    const auto shared = tf::test::SharedSkinsFolder();
    if (!shared) {
        std::printf("../shared/skins is absent; nothing to measure\n");
        return false;
    }
    std::vector<fs::path> corpus;
    for (const fs::directory_entry& entry : tf::ListFolderSorted(*shared / "corpus"))
        if (tf::HasSkinArchiveExtension(entry.path()))
            corpus.push_back(entry.path());
    g_oneSkin = *shared / "base-2.91.wsz";
    g_work = std::make_unique<tf::test::TempFolder>();
    g_collection = g_work->path() / "collection";
    fs::create_directories(g_collection);
    for (int i = 0; i < kCollectionSize; ++i) {
        const fs::path& skin = corpus[size_t(i) % corpus.size()];
        const fs::path copy = g_collection / (skin.stem().string() + "-" + std::to_string(i) + ".wsz");
        std::error_code error;
        fs::create_hard_link(skin, copy, error);
        if (error)
            fs::copy_file(skin, copy);
        g_sources.push_back(copy);
    }
    std::printf("%d archives from %zu corpus skins; %d threads make pictures\n", kCollectionSize, corpus.size(),
                tf::GalleryModel(std::make_shared<tf::PictureCache>(g_work->path() / "probe")).threadCount());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    tf::bench::OffscreenApplication<EventTimingApplication> application(argc, argv);
    QApplication::setFont(tf::DesignFont());
    benchmark::Initialize(&argc, argv);
    if (!MakeCollection())
        return 0;
    tf::bench::RatioReporter reporter;
    reporter.runAll();
    reporter.printRatio("first screenful / one OpenSkinArchive", "FirstScreenful", "OneOpenSkinArchive", 10);
    reporter.printRatio("every picture / converting them with -j 2", "AllPictures", "ConvertAllTwoJobs", 0.5);
    reporter.printRatio("cached reopen / one listing", "CachedReopen", "DirectoryListing", 3);
    if (g_stallMs > 0)
        std::printf("longest GUI stall with the gallery and a batch of %d: %.1f ms, an idle loop's %.1f ms "
                    "(ratio %.1f)%s\n",
                    kBatchSkins, g_stallMs, g_idleStallMs, g_idleStallMs > 0 ? g_stallMs / g_idleStallMs : 0.0,
                    g_stallMs < 50 ? "  [within aim]" : "  [over aim]");
    if (g_longestEventCpuMs > 0)
        std::printf("most processor time the GUI thread spent in one event meanwhile: %.1f ms%s\n",
                    g_longestEventCpuMs, g_longestEventCpuMs < 50 ? "  [within aim]" : "  [over aim]");
    if (g_peakMiB > 0)
        std::printf("peak memory with %d pictures: %.0f MiB, %.0f MiB before the gallery (ratio %.2f)%s\n",
                    kCollectionSize, g_peakMiB, g_startMiB, g_peakMiB / g_startMiB,
                    g_peakMiB < 300 ? "  [within aim]" : "  [over aim]");
    benchmark::Shutdown();
    return 0;
}
