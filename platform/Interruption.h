#pragma once

namespace tf {

// From now on SIGINT, SIGTERM and SIGHUP only mark the run as interrupted, so
// that work in flight can finish or roll back; a second one of them ends the
// process at once.
void CatchInterruptions();

// The signal that interrupted the run, or 0.
int InterruptionSignal();

// The exit status of a run ended by that signal (128 + its number).
int InterruptedExitStatus(int signal);

} // namespace tf
