#pragma once

#include <QString>

namespace tf {

// The system's reason for a failed file operation in our own words, for the
// common errors (a missing file, no permission, a full disk ...): Japanese,
// or its translation in the interface's language. Any other reason as the
// system gave it.
QString JapaneseReason(const QString& reason);

} // namespace tf
