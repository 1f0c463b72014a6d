#include "platform/Notices.h"

namespace tf {

// What the zip and the setup program ship beside the programs: the Qt and
// libarchive DLLs (zlib inside the latter) and the MinGW-w64 runtime.
std::vector<LibraryNotice> LibraryNotices()
{
    return {
        {QStringLiteral("Qt 6"), QStringLiteral("LGPL-3.0-only")},
        {QStringLiteral("libarchive"), QStringLiteral("BSD-2-Clause")},
        {QStringLiteral("zlib"), QStringLiteral("Zlib")},
        {QStringLiteral("MinGW-w64 runtime (libstdc++, libgcc)"),
         QStringLiteral("GPL-3.0-or-later WITH GCC-exception-3.1")},
        {QStringLiteral("MinGW-w64 winpthreads"), QStringLiteral("MIT")},
    };
}

} // namespace tf
