#pragma once

#include <QString>

namespace tf {

// Control characters (line ends, escape sequences, direction overrides)
// shown as \xHH or \u{HHHH}, so that no name, path or message printed by the
// programs can start a line of its own or rewrite one on a terminal.
QString EscapeControls(const QString& text);

} // namespace tf
