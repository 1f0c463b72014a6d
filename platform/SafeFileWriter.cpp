#include "platform/SafeFileWriter.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ProcessAlive.h"
#include "platform/SystemReason.h"

#include <QCoreApplication>
#include <QFile>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

QString ErrnoReason(int code) { return QString::fromStdString(std::generic_category().message(code)); }

// QFile words some failures vaguely ("Unknown error"); the errno of the
// failing call then says what the system said.
QString FailureReason(const QFile& file, int code)
{
    const QString reason = file.errorString();
    if (code != 0 && (reason.isEmpty() || reason == QStringLiteral("Unknown error")))
        return ErrnoReason(code);
    return reason.isEmpty() ? ErrnoReason(EIO) : reason;
}

fs::path TemporaryPath(const fs::path& target)
{
    // Unique to this process and call, so parallel saves never meet.
    static std::atomic<unsigned> counter{0};
    fs::path temporary = target;
    temporary += "." + std::to_string(CurrentProcessId()) + "-" + std::to_string(counter++) + ".tmp";
    return temporary;
}

bool ParseNumber(std::string_view text, int64_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

void RemoveQuietly(const fs::path& path)
{
    std::error_code ignored;
    fs::remove(path, ignored);
}

} // namespace

QString FileCreator::create(const fs::path& path, std::string_view bytes)
{
    // Unbuffered, so that a full disk shows at the write that hit it.
    QFile file(PathToQString(path));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return FailureReason(file, errno);
    errno = 0;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        const QString reason = FailureReason(file, errno);
        file.close();
        return reason;
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return FailureReason(file, errno);
    return {};
}

FileCreator& DiskFileCreator()
{
    static FileCreator creator;
    return creator;
}

std::optional<int64_t> TemporaryOwner(std::string_view fileName, std::string_view targetName)
{
    constexpr std::string_view kEnd = ".tmp";
    if (fileName.size() <= targetName.size() + 1 + kEnd.size() || !fileName.starts_with(targetName)
        || fileName[targetName.size()] != '.' || !fileName.ends_with(kEnd))
        return std::nullopt;
    const std::string_view middle
        = fileName.substr(targetName.size() + 1, fileName.size() - targetName.size() - 1 - kEnd.size());
    const size_t dash = middle.find('-');
    int64_t pid = 0, serial = 0;
    if (dash == std::string_view::npos || !ParseNumber(middle.substr(0, dash), pid)
        || !ParseNumber(middle.substr(dash + 1), serial))
        return std::nullopt;
    return pid;
}

void RemoveAbandonedTemporaries(const fs::path& folder, const std::vector<std::string>& names)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        if (!fileName.ends_with(".tmp"))
            continue;
        for (const std::string& name : names) {
            const auto owner = TemporaryOwner(fileName, name);
            if (owner && *owner != CurrentProcessId() && !IsProcessAlive(*owner)) {
                RemoveQuietly(it->path());
                break;
            }
        }
    }
}

void ThrowFileCreateError(const fs::path& path, const QString& reason)
{
    throw AppError(ErrorKind::FileCreate,
                   QCoreApplication::translate("Files", "ファイル \"%1\". %2 を作成できません").arg(DisplayPath(path), reason),
                   JapaneseReason(reason));
}

StagedFiles::StagedFiles(fs::path folder, FileCreator& creator)
    : m_folder(std::move(folder)), m_creator(creator)
{
}

StagedFiles::~StagedFiles() { removeTemporaries(0); }

void StagedFiles::removeTemporaries(size_t from)
{
    for (size_t i = from; i < m_staged.size(); ++i)
        RemoveQuietly(m_staged[i].second);
    m_staged.resize(from);
}

void StagedFiles::add(const std::string& name, std::string_view bytes)
{
    const fs::path target = m_folder / PathFromString(name);
    // A folder in a file's place would refuse the rename after others were
    // done; found now, nothing is written.
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(target, error))) {
        removeTemporaries(0);
        ThrowFileCreateError(target, ErrnoReason(EISDIR));
    }
    // No flush to the disk before the renames: a skin is dozens of files,
    // and waiting for each to reach the disk would make a save many times
    // slower; the renames still keep every name whole.
    m_staged.emplace_back(name, TemporaryPath(target));
    const QString reason = m_creator.create(m_staged.back().second, bytes);
    if (!reason.isEmpty()) {
        removeTemporaries(0);
        ThrowFileCreateError(target, reason);
    }
}

void StagedFiles::commit()
{
    for (size_t i = 0; i < m_staged.size(); ++i) {
        std::error_code error;
        const fs::path target = m_folder / PathFromString(m_staged[i].first);
        fs::rename(m_staged[i].second, target, error);
        if (error) {
            // Only a change of the folder under our feet gets here; what is
            // renamed stays, the rest is not left lying about.
            removeTemporaries(i);
            ThrowFileCreateError(target, QString::fromStdString(error.message()));
        }
    }
    m_staged.clear();
}

void WriteFilesTogether(const fs::path& folder, const std::vector<NamedFile>& files, FileCreator& creator)
{
    StagedFiles staged(folder, creator);
    for (const NamedFile& file : files)
        staged.add(file.Name, std::string_view(file.Bytes.constData(), size_t(file.Bytes.size())));
    staged.commit();
}

void WriteFileReplacing(const fs::path& path, std::string_view bytes)
{
    WriteFilesTogether(path.parent_path(), {{path.filename().string(), QByteArray(bytes.data(), qsizetype(bytes.size()))}});
}

} // namespace tf
