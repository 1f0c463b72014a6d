#include "cli/Report.h"

#include "platform/Errors.h"
#include "platform/Interruption.h"

#include <QCoreApplication>

#include <csignal>

namespace tf {
namespace {

QString SignalName(int signal)
{
    switch (signal) {
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGTERM: return QStringLiteral("SIGTERM");
#ifdef SIGHUP
    case SIGHUP: return QStringLiteral("SIGHUP");
#endif
#ifdef SIGBREAK
    case SIGBREAK: return QStringLiteral("SIGBREAK");
#endif
#ifdef SIGPIPE
    case SIGPIPE: return QStringLiteral("SIGPIPE");
#endif
    default: return QCoreApplication::translate("Cli", "signal %1").arg(signal);
    }
}

} // namespace

BatchReport::BatchReport(QTextStream& out, QTextStream& err, size_t total, bool progress)
    : m_out(out), m_err(err), m_total(total), m_progress(progress && total > 1)
{
}

void BatchReport::clearProgress()
{
    if (!m_progress)
        return;
    m_err << QStringLiteral("\r\x1b[K");
    m_err.flush();
}

void BatchReport::finished(size_t done, const BatchEntry& entry, const ConversionResult& result)
{
    clearProgress();
    const QString name = EscapeControls(entry.Name);
    if (result.Converted) {
        ++m_converted;
        m_out << QCoreApplication::translate("Cli", "converted  %1 -> %2\n").arg(name, EscapeControls(DisplayPath(entry.SsfPath)));
    } else {
        ++m_failed;
        m_out << QCoreApplication::translate("Cli", "FAILED     %1: %2\n").arg(name, EscapeControls(result.Error));
    }
    for (const QString& warning : result.Warnings)
        m_out << QCoreApplication::translate("Cli", "  warning  %1: %2\n").arg(name, EscapeControls(warning));
    // A line at a time, so a log shows every finished skin even when the run
    // is killed.
    m_out.flush();
    // Nobody reads on (a pipe into "head"): stop as at a signal, so that the
    // skins in flight finish and nothing is left behind.
    if (m_out.status() != QTextStream::Ok)
        OutputClosed();
    if (m_progress) {
        m_err << QStringLiteral("[%1/%2] %3").arg(done).arg(m_total).arg(name);
        m_err.flush();
    }
}

int BatchReport::summarise(int interruptionSignal)
{
    clearProgress();
    m_out << QCoreApplication::translate("Cli", "%1 of %2 skins converted").arg(m_converted).arg(m_total);
    if (m_failed > 0)
        m_out << QCoreApplication::translate("Cli", ", %1 failed").arg(m_failed);
    const size_t notStarted = m_total - m_converted - m_failed;
    if (interruptionSignal != 0)
        m_out << QCoreApplication::translate("Cli", ", %1 not started: stopped by %2").arg(notStarted).arg(SignalName(interruptionSignal));
    m_out << "\n";
    m_out.flush();
    if (interruptionSignal != 0)
        return InterruptedExitStatus(interruptionSignal);
    return m_failed == 0 ? 0 : 1;
}

} // namespace tf
