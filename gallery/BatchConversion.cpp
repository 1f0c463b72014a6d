#include "gallery/BatchConversion.h"

#include "cli/Batch.h"
#include "platform/Errors.h"
#include "platform/ThreadPriority.h"

#include <QCoreApplication>
#include <QThread>

namespace fs = std::filesystem;

namespace tf {

BatchConversion::BatchConversion(fs::path dataFolder, QObject* parent)
    : QObject(parent)
    , m_dataFolder(std::move(dataFolder))
{
}

BatchConversion::~BatchConversion()
{
    cancelAndWait();
}

void BatchConversion::cancelAndWait()
{
    cancel();
    join();
}

void BatchConversion::join()
{
    if (m_thread) {
        m_thread->wait();
        m_thread.reset();
    }
}

bool BatchConversion::start(const std::vector<fs::path>& sources, const fs::path& outputFolder,
                            const ConversionOptions& options, int jobs)
{
    if (isRunning())
        return false;
    m_output = outputFolder;
    m_cancelled = false;
    m_started = 0;
    m_done = 0;
    // The converter's own names: the same selection gives the same folders
    // as tessaform-cli convert.
    std::vector<BatchEntry> entries = PlanBatch(sources, outputFolder);
    m_lines.assign(entries.size(), {});
    m_finished.assign(entries.size(), false);
    for (size_t i = 0; i < entries.size(); ++i) {
        BatchLine& line = m_lines[i];
        line.Source = entries[i].Source;
        line.SsfPath = entries[i].SsfPath;
        line.Name = entries[i].Name;
        line.Renamed = entries[i].Name != SkinName(entries[i].Source);
    }
    if (jobs <= 0)
        jobs = std::max(1, QThread::idealThreadCount());
    // A Qt thread, as RunBatch's own: it converts skins too, and the fonts
    // it caches are released by it as it ends.
    m_thread.reset(QThread::create([this, entries = std::move(entries), options, jobs] {
        RunBatch(
            m_dataFolder, entries, options, jobs,
            [this, &entries](size_t, const BatchEntry& entry, const ConversionResult& result) {
                const size_t index = size_t(&entry - entries.data());
                QMetaObject::invokeMethod(this, [this, index, result] { takeResult(index, result); },
                                          Qt::QueuedConnection);
            },
            // Asked once before each skin starts, on the thread that will
            // convert it: the skins in flight are the ones started and not
            // yet finished.
            [this] {
                LowerCurrentThreadPriority();
                if (m_cancelled)
                    return true;
                ++m_started;
                QMetaObject::invokeMethod(this, &BatchConversion::progressed, Qt::QueuedConnection);
                return false;
            });
        QMetaObject::invokeMethod(this, &BatchConversion::end, Qt::QueuedConnection);
    }));
    m_thread->start();
    emit progressed();
    return true;
}

void BatchConversion::cancel()
{
    m_cancelled = true;
}

QStringList BatchConversion::inFlight() const
{
    QStringList names;
    const size_t started = std::min(m_started.load(), m_lines.size());
    for (size_t i = 0; i < started; ++i)
        if (!m_finished[i])
            names << m_lines[i].Name;
    return names;
}

void BatchConversion::takeResult(size_t index, const ConversionResult& result)
{
    if (index >= m_lines.size() || m_finished[index])
        return;
    BatchLine& line = m_lines[index];
    line.Error = result.Error;
    line.Warnings = result.Warnings;
    line.Result = !result.Converted           ? BatchLine::Outcome::Failed
        : result.Warnings.isEmpty() ? BatchLine::Outcome::Converted
                                    : BatchLine::Outcome::ConvertedWithWarnings;
    m_finished[index] = true;
    ++m_done;
    emit progressed();
}

void BatchConversion::end()
{
    // Every result was posted before this.
    join();
    emit finished();
}

QString DescribeBatchLine(const BatchLine& line)
{
    QString text;
    const QString target = DisplayPath(line.SsfPath);
    switch (line.Result) {
    case BatchLine::Outcome::Converted:
        text = QCoreApplication::translate("Gallery", "変換済み: %1 → %2").arg(line.Name, target);
        break;
    case BatchLine::Outcome::ConvertedWithWarnings:
        text = QCoreApplication::translate("Gallery", "変換済み (警告 %3 件): %1 → %2")
                   .arg(line.Name, target)
                   .arg(line.Warnings.size());
        break;
    case BatchLine::Outcome::Failed:
        text = QCoreApplication::translate("Gallery", "失敗: %1 (%2): %3")
                   .arg(line.Name, DisplayPath(line.Source), line.Error);
        break;
    case BatchLine::Outcome::NotStarted:
        text = QCoreApplication::translate("Gallery", "取り消したため変換していません: %1 (%2)")
                   .arg(line.Name, DisplayPath(line.Source));
        break;
    }
    if (line.Renamed)
        text += QCoreApplication::translate("Gallery", " (同じ名前のスキンが他にもあるため「%1」として)").arg(line.Name);
    return text;
}

QString BatchReportText(const std::vector<BatchLine>& lines, bool cancelled)
{
    QString text;
    int converted = 0, warned = 0, failed = 0, notStarted = 0;
    for (const BatchLine& line : lines) {
        text += DescribeBatchLine(line) + QLatin1Char('\n');
        for (const QString& warning : line.Warnings)
            text += QCoreApplication::translate("Gallery", "    警告: %1").arg(warning) + QLatin1Char('\n');
        switch (line.Result) {
        case BatchLine::Outcome::Converted: ++converted; break;
        case BatchLine::Outcome::ConvertedWithWarnings: ++warned; break;
        case BatchLine::Outcome::Failed: ++failed; break;
        case BatchLine::Outcome::NotStarted: ++notStarted; break;
        }
    }
    text += QCoreApplication::translate("Gallery", "%1 個のうち %2 個を変換しました (うち警告あり %3 個)。失敗 %4 個")
                .arg(lines.size())
                .arg(converted + warned)
                .arg(warned)
                .arg(failed);
    if (cancelled)
        text += QCoreApplication::translate("Gallery", "、取り消しにより未変換 %1 個").arg(notStarted);
    return text + QLatin1Char('\n');
}

} // namespace tf
