#include "platform/DataFolder.h"
#include "platform/FileSystem.h"

#include <QStandardPaths>

namespace tf {

// Qt's configuration folder on Windows is the local one; settings belong in
// the roaming one (%APPDATA%).
std::filesystem::path UserSettingsFolder()
{
    return QStringToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace tf
