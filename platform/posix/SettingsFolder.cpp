#include "platform/DataFolder.h"
#include "platform/FileSystem.h"

#include <QStandardPaths>

namespace tf {

std::filesystem::path UserSettingsFolder()
{
    return QStringToPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace tf
