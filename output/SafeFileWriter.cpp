#include "output/SafeFileWriter.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <QSaveFile>

namespace tf {

void ThrowFileCreateError(const std::filesystem::path& path, const QString& reason)
{
    throw AppError(ErrorKind::FileCreate,
                   QStringLiteral("ファイル \"%1\". %2 を作成できません").arg(DisplayPath(path), reason));
}

void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes)
{
    // QSaveFile writes to a temporary file beside the target and renames it
    // on commit; without the direct-write fallback it never touches the
    // target before the new content is complete.
    QSaveFile file(PathToQString(path));
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        ThrowFileCreateError(path, file.errorString());
    const qint64 size = qint64(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        ThrowFileCreateError(path, reason);
    }
    if (!file.commit())
        ThrowFileCreateError(path, file.errorString());
}

} // namespace tf
