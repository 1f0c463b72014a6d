#pragma once

#include <QString>

namespace tf {

// Control characters: line ends, escape sequences, the C1 controls, the
// line and paragraph separators and the direction overrides, whatever can
// start a line of its own or rewrite one on a terminal.
bool HasControlCharacters(const QString& text);

// The control characters shown as \xHH or \u{HHHH}, so that no name, path
// or message printed by the programs can start a line of its own or rewrite
// one on a terminal.
QString EscapeControls(const QString& text);

} // namespace tf
