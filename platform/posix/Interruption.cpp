#include "platform/Interruption.h"

#include <atomic>
#include <csignal>

namespace tf {
namespace {

std::atomic<int> g_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

void MarkInterrupted(int signal) { g_signal.store(signal); }

} // namespace

void CatchInterruptions()
{
    struct sigaction action = {};
    action.sa_handler = MarkInterrupted;
    sigemptyset(&action.sa_mask);
    // The default comes back after the first signal: a user who presses
    // Ctrl+C twice means it.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

void OutputClosed()
{
    int none = 0;
    g_signal.compare_exchange_strong(none, SIGPIPE);
}

int InterruptionSignal() { return g_signal.load(); }

int InterruptedExitStatus(int signal) { return 128 + signal; }

} // namespace tf
