#pragma once

namespace tf {

// From now on SIGINT, SIGTERM and SIGHUP only mark the run as interrupted, so
// that work in flight can finish or roll back; a second one of them ends the
// process at once. A write to a closed pipe no longer ends the process
// (SIGPIPE is ignored): the write fails, and the caller tells
// OutputClosed.
void CatchInterruptions();

// The output was closed by its reader (a pipe into "head"): the run stops as
// at a signal, with the status of SIGPIPE.
void OutputClosed();

// The signal that interrupted the run, or 0.
int InterruptionSignal();

// The exit status of a run ended by that signal (128 + its number).
int InterruptedExitStatus(int signal);

} // namespace tf
