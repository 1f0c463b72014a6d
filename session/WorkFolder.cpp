#include "session/WorkFolder.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderDeletion.h"
#include "platform/ProcessAlive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <charconv>
#include <optional>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr std::string_view kPrefix = "tessaform-";
constexpr std::string_view kMark = ".tessaform-work";
constexpr size_t kRandomLetters = 6; // the XXXXXX of the template

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

} // namespace

WorkFolder::WorkFolder()
    : m_dir(QDir::tempPath() + QLatin1Char('/') + QLatin1String(kPrefix.data(), qsizetype(kPrefix.size()))
            + QString::number(CurrentProcessId()) + QStringLiteral("-XXXXXX"))
{
    if (!m_dir.isValid())
        throw AppError(ErrorKind::FileCreate,
                       QCoreApplication::translate("Session", "作業フォルダを作成できません: %1").arg(m_dir.errorString()));
    QFile mark(PathToQString(path() / PathFromString(kMark)));
    if (!mark.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw AppError(ErrorKind::FileCreate,
                       QCoreApplication::translate("Session", "作業フォルダを作成できません: %1").arg(mark.errorString()));
}

fs::path WorkFolder::path() const { return QStringToPath(m_dir.path()); }

std::optional<int64_t> WorkFolderOwner(std::string_view name)
{
    if (!name.starts_with(kPrefix))
        return std::nullopt;
    name.remove_prefix(kPrefix.size());
    const size_t dash = name.find('-');
    if (dash == std::string_view::npos || dash == 0 || name.size() - dash - 1 != kRandomLetters)
        return std::nullopt;
    const std::string_view letters = name.substr(dash + 1);
    if (!std::all_of(letters.begin(), letters.end(), IsLetterOrDigit))
        return std::nullopt;
    int64_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
    if (error != std::errc() || end != name.data() + dash || name.front() == '0')
        return std::nullopt;
    return pid;
}

void RemoveAbandonedWorkFolders()
{
    const fs::path temp = QStringToPath(QDir::tempPath());
    for (const fs::directory_entry& entry : ListFolderSorted(temp)) {
        const auto owner = WorkFolderOwner(entry.path().filename().string());
        if (!owner || *owner == CurrentProcessId() || IsProcessAlive(*owner))
            continue;
        std::error_code error;
        // A link of that name is not a folder of ours, whatever it points to.
        if (!fs::is_directory(entry.symlink_status(error))
            || !fs::is_regular_file(fs::symlink_status(entry.path() / PathFromString(kMark), error)))
            continue;
        DeleteTree(entry.path(), true);
    }
}

} // namespace tf
