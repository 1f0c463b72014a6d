#include "window/WorkFolder.h"

#include "platform/DataFolder.h"
#include "platform/FileSystem.h"

#include <QStandardPaths>

namespace fs = std::filesystem;

namespace tf {

fs::path ChooseWorkFolder(const fs::path& exeFolder)
{
    // An installed copy is asked first: it never writes beside itself, not even the probe.
    if (!IsInstalledCopy(exeFolder) && IsWritableFolder(exeFolder))
        return exeFolder / "tmp";
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return QStringToPath(cache) / "tmp";
}

} // namespace tf
