#pragma once

// Converting a chosen set of skins at once from the window: the converter's
// own batch (its output names, OUT/<name>/<name>.ssf with "-2", "-3" for
// names taken, and its conversion of each skin), run on all cores on
// threads of its own while the window goes on. Cancel starts no further
// skin; those in flight finish, so every skin written is whole.

#include "session/ConvertSkin.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <filesystem>
#include <memory>
#include <vector>

namespace tf {

struct BatchLine {
    enum class Outcome { NotStarted, Converted, ConvertedWithWarnings, Failed };
    Outcome Result = Outcome::NotStarted;
    std::filesystem::path Source;
    std::filesystem::path SsfPath; // where it is (or would have been) written
    QString Name;                  // its output name
    bool Renamed = false;          // another skin of the batch has its name
    QString Error;
    QStringList Warnings;
};

class BatchConversion : public QObject {
    Q_OBJECT
public:
    explicit BatchConversion(std::filesystem::path dataFolder, QObject* parent = nullptr);
    // Cancels and waits for the skins in flight.
    ~BatchConversion() override;

    // Starts converting the sources into outputFolder with jobs threads (0:
    // one per core); false, and nothing started, while a batch runs.
    bool start(const std::vector<std::filesystem::path>& sources, const std::filesystem::path& outputFolder,
               const ConversionOptions& options, int jobs = 0);
    void cancel();
    // Cancels and waits for the skins in flight, whose results are then not
    // reported (the window is closing).
    void cancelAndWait();

    bool isRunning() const { return m_thread != nullptr; }
    bool wasCancelled() const { return m_cancelled; }
    int total() const { return int(m_lines.size()); }
    int done() const { return m_done; }
    // The names of the skins being converted now.
    QStringList inFlight() const;
    // One per source in the order given; NotStarted for those a cancel left.
    const std::vector<BatchLine>& lines() const { return m_lines; }
    const std::filesystem::path& outputFolder() const { return m_output; }

signals:
    void progressed(); // a skin started or finished
    void finished();

private:
    void takeResult(size_t index, const ConversionResult& result);
    void end();
    void join();

    std::filesystem::path m_dataFolder;
    std::filesystem::path m_output;
    std::vector<BatchLine> m_lines;
    std::vector<bool> m_finished;
    int m_done = 0;
    std::atomic<bool> m_cancelled{false};
    std::atomic<size_t> m_started{0};
    std::unique_ptr<QThread> m_thread;
};

// One line of the result list: "converted  NAME -> PATH", "FAILED ..." and
// the like, in the user's language.
QString DescribeBatchLine(const BatchLine& line);
// The result list as a text file holds it: a line per skin, its warnings
// indented below it, and a summary.
QString BatchReportText(const std::vector<BatchLine>& lines, bool cancelled);

} // namespace tf
