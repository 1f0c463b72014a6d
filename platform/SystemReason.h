#pragma once

#include <QString>

namespace tf {

// The system's reason for a failed file operation in Japanese, for the
// common errors (a missing file, no permission, a full disk ...); any other
// reason as the system gave it.
QString JapaneseReason(const QString& reason);

} // namespace tf
