#pragma once

// What the converter prints while a batch runs: a line per skin as it
// finishes, a progress line on a terminal, and the summary.

#include "cli/Batch.h"
#include "platform/ControlEscape.h"

#include <QString>
#include <QTextStream>

namespace tf {

class BatchReport {
public:
    // progress: draw a progress line on err (a terminal) while more than one
    // skin runs.
    BatchReport(QTextStream& out, QTextStream& err, size_t total, bool progress);

    // The result line of one skin and its warnings; called one at a time.
    void finished(size_t done, const BatchEntry& entry, const ConversionResult& result);

    // Prints the summary and returns the exit status: 0 when every skin
    // converted, 1 when any failed, 128 + signal when a signal stopped the
    // batch.
    int summarise(int interruptionSignal);

private:
    void clearProgress();

    QTextStream& m_out;
    QTextStream& m_err;
    size_t m_total;
    bool m_progress;
    size_t m_converted = 0;
    size_t m_failed = 0;
};

} // namespace tf
