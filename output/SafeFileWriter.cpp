#include "output/SafeFileWriter.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <QTemporaryFile>
#include <system_error>

namespace tf {

void ThrowFileCreateError(const std::filesystem::path& path, const QString& reason)
{
    throw AppError(ErrorKind::FileCreate,
                   QStringLiteral("ファイル \"%1\". %2 を作成できません").arg(DisplayPath(path), reason));
}

void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes)
{
    // The new content goes to a temporary file beside the target, which is
    // renamed over it only when complete: the target is never seen half
    // written and stays as it was when anything fails. No flush to the disk
    // before the rename: a skin is dozens of files, and waiting for each to
    // reach the platters would make a save many times slower.
    QTemporaryFile file(PathToQString(path) + QStringLiteral(".XXXXXX.tmp"));
    if (!file.open())
        ThrowFileCreateError(path, file.errorString());
    const qint64 size = qint64(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        const QString reason = file.errorString();
        ThrowFileCreateError(path, reason);
    }
    file.close();
    // The temporary file gets the permissions a plainly created file would.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    std::error_code error;
    std::filesystem::rename(QStringToPath(file.fileName()), path, error);
    if (error)
        ThrowFileCreateError(path, QString::fromStdString(error.message()));
    file.setAutoRemove(false);
}

} // namespace tf
