#include "platform/Interruption.h"

#include <atomic>
#include <csignal>
#include <windows.h>

namespace tf {
namespace {

std::atomic<int> g_signal{0};

// Runs on a thread of its own that the console starts. The first Ctrl+C,
// Ctrl+Break or closing of the console only marks the run; the second one
// falls through to the default handler, which ends the process at once.
BOOL WINAPI MarkInterrupted(DWORD event)
{
    const int signal = event == CTRL_C_EVENT ? SIGINT : event == CTRL_BREAK_EVENT ? SIGBREAK : SIGTERM;
    int none = 0;
    return g_signal.compare_exchange_strong(none, signal) ? TRUE : FALSE;
}

} // namespace

void CatchInterruptions() { SetConsoleCtrlHandler(MarkInterrupted, TRUE); }

// Windows has no SIGPIPE; the number it has elsewhere gives the same status.
void OutputClosed()
{
    int none = 0;
    g_signal.compare_exchange_strong(none, 13);
}

int InterruptionSignal() { return g_signal.load(); }

int InterruptedExitStatus(int signal) { return 128 + signal; }

} // namespace tf
