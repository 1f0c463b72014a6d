#include "platform/ProcessFolders.h"

#include "platform/FileSystem.h"
#include "platform/FolderDeletion.h"
#include "platform/ProcessAlive.h"

#include <QDir>
#include <QTemporaryDir>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

// QTemporaryDir replaces these with letters and digits.
constexpr qsizetype kUniqueLength = 6;

} // namespace

ProcessFolder CreateProcessFolder(const fs::path& parent, const QString& prefix)
{
    const QString pattern = PathToQString(parent) + QDir::separator() + prefix
        + QString::number(CurrentProcessId()) + QStringLiteral("-XXXXXX");
    // Another process may remove parent, when it finds it empty, between our
    // creating it and our folder in it: one more try then.
    QString reason;
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::error_code error;
        fs::create_directories(parent, error);
        QTemporaryDir folder(pattern);
        if (folder.isValid()) {
            folder.setAutoRemove(false);
            return {QStringToPath(folder.path()), {}};
        }
        reason = error ? QString::fromStdString(error.message()) : folder.errorString();
    }
    return {{}, reason};
}

std::optional<int64_t> ProcessFolderOwner(const QString& name, const QString& prefix)
{
    // Read by hand: a regular expression for so plain a name is not worth
    // its cost (and its JIT, on Windows).
    if (!name.startsWith(prefix))
        return std::nullopt;
    const QString rest = name.mid(prefix.size());
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    if (dash <= 0 || rest.size() - dash - 1 != kUniqueLength)
        return std::nullopt;
    for (qsizetype i = dash + 1; i < rest.size(); ++i)
        if (!rest[i].isLetterOrNumber() || rest[i].unicode() > 127)
            return std::nullopt;
    bool ok = false;
    const qlonglong pid = rest.left(dash).toLongLong(&ok);
    if (!ok || pid <= 0 || !rest.left(dash).front().isDigit())
        return std::nullopt;
    return int64_t(pid);
}

void RemoveFoldersOfEndedProcesses(const fs::path& parent, const QString& prefix)
{
    const QDir folder(PathToQString(parent));
    const QStringList names = folder.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const auto owner = ProcessFolderOwner(name, prefix);
        if (owner && *owner != CurrentProcessId() && !IsProcessAlive(*owner))
            DeleteTree(parent / QStringToPath(name), true);
    }
}

} // namespace tf
