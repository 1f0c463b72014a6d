#include "window/WorkFolder.h"

#include "platform/DataFolder.h"
#include "platform/FileSystem.h"

#include <QStandardPaths>

namespace fs = std::filesystem;

namespace tf {

fs::path ChooseWorkFolder(const fs::path& exeFolder)
{
    if (IsWritableFolder(exeFolder) && !IsInstalledCopy(exeFolder))
        return exeFolder / "tmp";
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return QStringToPath(cache) / "tmp";
}

} // namespace tf
