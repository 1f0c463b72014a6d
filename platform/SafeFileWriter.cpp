#include "platform/SafeFileWriter.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <atomic>
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
    // reach the disk would make a save many times slower. The temporary name
    // is unique to this process and call, so parallel saves never meet.
    static std::atomic<unsigned> counter{0};
    const QString temporaryName = PathToQString(path)
        + QStringLiteral(".%1-%2.tmp").arg(QCoreApplication::applicationPid()).arg(counter++);
    QFile file(temporaryName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        ThrowFileCreateError(path, file.errorString());
    const qint64 size = qint64(bytes.size());
    const bool written = file.write(bytes.data(), size) == size && file.flush();
    const QString reason = file.errorString();
    file.close();
    std::error_code renameError;
    if (written)
        std::filesystem::rename(QStringToPath(temporaryName), path, renameError);
    if (!written || renameError) {
        std::error_code ignored;
        std::filesystem::remove(QStringToPath(temporaryName), ignored);
        ThrowFileCreateError(path, written ? QString::fromStdString(renameError.message()) : reason);
    }
}

} // namespace tf
