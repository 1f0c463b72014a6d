#include "sources/WorkFolder.h"

#include "platform/FileSystem.h"

#include <QStandardPaths>
#include <QTemporaryFile>

namespace fs = std::filesystem;

namespace tf {

bool IsWritableFolder(const fs::path& folder)
{
    QTemporaryFile probe(PathToQString(folder / ".write-probe-XXXXXX"));
    return probe.open(); // removed again when probe goes
}

fs::path ChooseWorkFolder(const fs::path& exeFolder)
{
    if (IsWritableFolder(exeFolder))
        return exeFolder / "tmp";
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return QStringToPath(cache) / "tmp";
}

} // namespace tf
