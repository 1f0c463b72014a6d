#include "cli/Batch.h"

#include "cli/MemoryBudget.h"
#include "session/PreparedSource.h"

#include "platform/FileSystem.h"
#include "sources/SkinFinder.h"

#include <QHash>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

namespace fs = std::filesystem;

namespace tf {

QString SkinName(const fs::path& source)
{
    fs::path trimmed = source;
    if (!trimmed.has_filename())
        trimmed = trimmed.parent_path(); // "skins/base/" names "base"
    const fs::path name = HasSkinArchiveExtension(trimmed) ? trimmed.stem() : trimmed.filename();
    QString text = PathToQString(name);
    return text.isEmpty() || text == QStringLiteral(".") || text == QStringLiteral("..")
        ? QStringLiteral("skin")
        : text;
}

std::vector<BatchEntry> PlanBatch(const std::vector<fs::path>& sources, const fs::path& outputFolder)
{
    std::vector<BatchEntry> entries;
    entries.reserve(sources.size());
    QSet<QString> taken; // folded, as folders differing only in case collide on Windows
    // The number each name tries next: the names before it are taken for
    // good, so thousands of skins of one name are named in linear time.
    QHash<QString, int> nextNumber;
    for (const fs::path& source : sources) {
        const QString base = SkinName(source);
        const QString folded = base.toCaseFolded();
        QString name = base;
        if (taken.contains(folded)) {
            int& n = nextNumber[folded];
            n = std::max(n, 2);
            name = base + QStringLiteral("-%1").arg(n);
            while (taken.contains(name.toCaseFolded()))
                name = base + QStringLiteral("-%1").arg(++n);
        }
        taken.insert(name.toCaseFolded());
        const fs::path folder = outputFolder / QStringToPath(name);
        entries.push_back({source, folder / QStringToPath(name + QStringLiteral(".ssf")), name});
    }
    return entries;
}

namespace {

// What the skins of a batch may hold at once, beside what the program holds
// anyway (its code, Qt, the fonts), so that a batch stays under 256 MiB
// at any number of jobs.
constexpr uint64_t kBatchMemoryBytes = uint64_t(160) << 20;

// Reads the skin's source, then lets it go on to decode only when the memory
// it will take fits beside the others'. A skin that could not have its share
// at once lets go of what it read and reads it again once it has it: it
// never waits while holding memory.
ConversionResult ConvertWithinBudget(MemoryBudget& budget, const fs::path& exeFolder, const BatchEntry& entry,
                                     const ConversionOptions& options)
{
    uint64_t archiveBytes = 0;
    IsArchiveSource(entry.Source, &archiveBytes);
    uint64_t wanted = archiveBytes;
    for (;;) {
        MemoryBudget::Share share = budget.reserve(wanted);
        PreparedSource prepared = PrepareSource(entry.Source, [&](uint64_t taken) {
            return archiveBytes + taken <= share.bytes() || share.resize(archiveBytes + taken);
        });
        if (prepared.Archive && prepared.Archive->Interrupted) {
            wanted = std::max(wanted, archiveBytes + ExtractionLimits().MaxTotalBytes);
            continue;
        }
        const uint64_t needed = EstimateConversionBytes(prepared);
        if (share.resize(needed))
            return ConvertSkin(exeFolder, {entry.Source, entry.SsfPath}, options, prepared);
        wanted = std::max(needed, archiveBytes + (prepared.Archive ? prepared.Archive->heldBytes() : 0));
    }
}

} // namespace

std::vector<ConversionResult> RunBatch(
    const fs::path& exeFolder, const std::vector<BatchEntry>& entries, const ConversionOptions& options,
    int jobs, const std::function<void(size_t, const BatchEntry&, const ConversionResult&)>& progress,
    const std::function<bool()>& stop)
{
    std::vector<ConversionResult> results(entries.size());
    std::atomic<size_t> next{0};
    size_t done = 0;
    std::mutex progressMutex;
    MemoryBudget budget(kBatchMemoryBytes);
    const auto work = [&] {
        for (size_t i = next++; i < entries.size(); i = next++) {
            if (stop && stop())
                break;
            results[i] = ConvertWithinBudget(budget, exeFolder, entries[i], options);
            const std::lock_guard lock(progressMutex);
            ++done;
            if (progress)
                progress(done, entries[i], results[i]);
        }
    };
    const size_t threads = std::clamp<size_t>(size_t(std::max(jobs, 1)), 1, std::max<size_t>(entries.size(), 1));
    // Qt's own threads, not bare ones: a conversion draws text, and the
    // fonts a thread cached must be released by that thread as it ends. On
    // Windows Qt releases a foreign thread's caches later from a thread of
    // its own, which crashed batches in the font engine.
    std::vector<std::unique_ptr<QThread>> pool;
    for (size_t t = 1; t < threads; ++t) {
        pool.emplace_back(QThread::create(work));
        pool.back()->start();
    }
    work();
    for (const auto& thread : pool)
        thread->wait();
    return results;
}

} // namespace tf
