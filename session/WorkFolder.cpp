#include "session/WorkFolder.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderDeletion.h"
#include "platform/ProcessFolders.h"

#include <QCoreApplication>
#include <QDir>

namespace tf {
namespace {

const QString kPrefix = QStringLiteral("tessaform-");

} // namespace

WorkFolder::WorkFolder()
{
    const ProcessFolder made = CreateProcessFolder(QStringToPath(QDir::tempPath()), kPrefix);
    if (made.Path.empty())
        throw AppError(ErrorKind::FileCreate,
                       QCoreApplication::translate("Session", "作業フォルダを作成できません: %1").arg(made.Reason));
    m_path = made.Path;
}

WorkFolder::~WorkFolder() { DeleteTree(m_path, true); }

void RemoveAbandonedWorkFolders()
{
    RemoveFoldersOfEndedProcesses(QStringToPath(QDir::tempPath()), kPrefix);
}

} // namespace tf
