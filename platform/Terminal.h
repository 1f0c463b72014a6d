#pragma once

namespace tf {

// True when the standard error stream is a terminal (a person watching),
// not a file or a pipe: a progress line is then worth drawing.
bool ErrorStreamIsTerminal();

} // namespace tf
