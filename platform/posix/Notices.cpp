#include "platform/Notices.h"

namespace tf {

// The system's own libraries, linked dynamically.
std::vector<LibraryNotice> LibraryNotices()
{
    return {
        {QStringLiteral("Qt 6"), QStringLiteral("LGPL-3.0-only")},
        {QStringLiteral("libarchive"), QStringLiteral("BSD-2-Clause")},
        {QStringLiteral("zlib"), QStringLiteral("Zlib")},
    };
}

} // namespace tf
