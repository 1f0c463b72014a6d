#include "cli/Batch.h"

#include "platform/FileSystem.h"
#include "sources/SkinFinder.h"

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
    QSet<QString> taken; // folded, as folders differing only in case collide on Windows
    for (const fs::path& source : sources) {
        const QString base = SkinName(source);
        QString name = base;
        for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
            name = base + QStringLiteral("-%1").arg(n);
        taken.insert(name.toCaseFolded());
        const fs::path folder = outputFolder / QStringToPath(name);
        entries.push_back({source, folder / QStringToPath(name + QStringLiteral(".ssf")), name});
    }
    return entries;
}

std::vector<ConversionResult> RunBatch(
    const fs::path& exeFolder, const std::vector<BatchEntry>& entries, const ConversionOptions& options,
    int jobs, const std::function<void(size_t, const BatchEntry&, const ConversionResult&)>& progress,
    const std::function<bool()>& stop)
{
    std::vector<ConversionResult> results(entries.size());
    std::atomic<size_t> next{0};
    size_t done = 0;
    std::mutex progressMutex;
    const auto work = [&] {
        for (size_t i = next++; i < entries.size(); i = next++) {
            if (stop && stop())
                break;
            results[i] = ConvertSkin(exeFolder, {entries[i].Source, entries[i].SsfPath}, options);
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
