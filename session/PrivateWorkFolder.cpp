#include "session/PrivateWorkFolder.h"

#include "platform/Errors.h"
#include "platform/FolderDeletion.h"
#include "platform/ProcessFolders.h"

#include <QCoreApplication>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {

PrivateWorkFolder::PrivateWorkFolder(fs::path shared)
    : m_shared(std::move(shared))
{
    RemoveFoldersOfEndedProcesses(m_shared, {});
}

PrivateWorkFolder::~PrivateWorkFolder()
{
    if (m_private.empty())
        return;
    DeleteTree(m_private, true);
    std::error_code ignored;
    fs::remove(m_shared, ignored); // only when empty: other windows' folders stay
}

fs::path PrivateWorkFolder::NewFolder()
{
    if (m_private.empty()) {
        const ProcessFolder made = CreateProcessFolder(m_shared, {});
        if (made.Path.empty())
            throw AppError(ErrorKind::FileCreate, QCoreApplication::translate("Session", "作業フォルダを作成できません: %1")
                                                      .arg(made.Reason));
        m_private = made.Path;
    }
    // Short names: the archive's own folders come below.
    return m_private / std::to_string(m_next++);
}

void PrivateWorkFolder::Remove(const fs::path& folder)
{
    if (!m_private.empty() && !folder.empty() && folder.parent_path() == m_private)
        DeleteTree(folder, true);
}

} // namespace tf
