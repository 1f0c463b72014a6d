#include "cli/Report.h"

#include "platform/Errors.h"
#include "platform/Interruption.h"

#include <QCoreApplication>

#include <csignal>

namespace tf {
namespace {

bool IsControl(char32_t c)
{
    const bool directionOverride = (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || directionOverride;
}

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
    default: return QCoreApplication::translate("Cli", "signal %1").arg(signal);
    }
}

} // namespace

QString EscapeControls(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (!IsControl(c))
            shown += QString::fromUcs4(&c, 1);
        else if (c < 0x100)
            shown += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u{%1}").arg(uint(c), 4, 16, QLatin1Char('0'));
    }
    return shown;
}

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
