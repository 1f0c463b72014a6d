#include "platform/SafeFileWriter.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ProcessAlive.h"
#include "platform/SystemReason.h"
#include "platform/TextFile.h"

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

// QFile words some failures vaguely ("Unknown error", or its translation
// once Qt's own texts are loaded); the errno of the failing call then says
// what the system said.
QString FailureReason(const QFile& file, int code)
{
    const QString reason = file.errorString();
    const bool vague = reason.isEmpty() || reason == QStringLiteral("Unknown error")
        || reason == QCoreApplication::translate("QIODevice", "Unknown error");
    if (code != 0 && vague)
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

constexpr std::string_view kJournalHeader = "TessaformJournal 1";
// A journal names a few dozen files.
constexpr std::uintmax_t kMaxJournalBytes = 64 * 1024;

fs::path JournalPath(const fs::path& folder) { return folder / PathFromString(kJournalName); }

// A name of a file in the folder itself: a journal never reaches elsewhere,
// whoever wrote it.
bool IsPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string_view::npos;
}

[[noreturn]] void ThrowBrokenJournal(const fs::path& journal, const QString& reason)
{
    throw AppError(ErrorKind::FileCreate,
                   QCoreApplication::translate("Files", "中断された保存の記録 \"%1\" で保存を完了できません。%2")
                       .arg(DisplayPath(journal), reason));
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

QString FileCreator::rename(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::rename(from, to, error);
    return error ? QString::fromStdString(error.message()) : QString();
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

std::optional<std::string> TemporaryTarget(std::string_view fileName)
{
    constexpr std::string_view kEnd = ".tmp";
    if (!fileName.ends_with(kEnd))
        return std::nullopt;
    const size_t dot = fileName.substr(0, fileName.size() - kEnd.size()).rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return std::nullopt;
    const std::string_view target = fileName.substr(0, dot);
    if (!TemporaryOwner(fileName, target))
        return std::nullopt;
    return std::string(target);
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
    // slower. The renames keep every name whole against anything that stops
    // the process (a kill, a crash, a full disk); only a crash of the system
    // itself can lose what was written, and a skin is converted again from
    // its source.
    m_staged.emplace_back(name, TemporaryPath(target));
    const QString reason = m_creator.create(m_staged.back().second, bytes);
    if (!reason.isEmpty()) {
        removeTemporaries(0);
        ThrowFileCreateError(target, reason);
    }
}

void StagedFiles::writeJournal()
{
    std::string text = std::string(kJournalHeader) + "\n";
    for (const auto& staged : m_staged)
        text += staged.second.filename().string() + "\n";
    // Written aside and renamed into place, so a journal is whole or absent.
    const fs::path journal = JournalPath(m_folder);
    const fs::path temporary = TemporaryPath(journal);
    QString reason = m_creator.create(temporary, text);
    if (reason.isEmpty())
        reason = m_creator.rename(temporary, journal);
    if (!reason.isEmpty()) {
        RemoveQuietly(temporary);
        removeTemporaries(0);
        ThrowFileCreateError(journal, reason);
    }
}

void StagedFiles::commit(bool journaled)
{
    const bool journal = journaled && m_staged.size() > 1;
    if (journal)
        writeJournal();
    for (size_t i = 0; i < m_staged.size(); ++i) {
        const fs::path target = m_folder / PathFromString(m_staged[i].first);
        const QString reason = m_creator.rename(m_staged[i].second, target);
        if (reason.isEmpty())
            continue;
        // Only a change of the folder under our feet gets here. With a
        // journal the rest stays for the next run to complete; without one,
        // what is renamed stays and the rest is not left lying about.
        if (journal)
            m_staged.clear();
        else
            removeTemporaries(i);
        ThrowFileCreateError(target, reason);
    }
    m_staged.clear();
    if (journal)
        RemoveQuietly(JournalPath(m_folder));
}

bool HasInterruptedCommit(const fs::path& folder)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(JournalPath(folder), error));
}

bool CompleteInterruptedCommit(const fs::path& folder, FileCreator& creator)
{
    if (!HasInterruptedCommit(folder))
        return false;
    const fs::path journal = JournalPath(folder);
    std::vector<std::string> lines;
    try {
        lines = SplitLines(ReadFileBytes(journal, kMaxJournalBytes));
    } catch (const AppError& failure) {
        ThrowBrokenJournal(journal, failure.message());
    }
    if (lines.empty() || lines.front() != kJournalHeader)
        ThrowBrokenJournal(journal, QCoreApplication::translate("Files", "記録の形式が違います"));
    std::vector<std::pair<fs::path, fs::path>> renames; // temporary, target
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto target = TemporaryTarget(lines[i]);
        if (!target || !IsPlainName(lines[i]) || !IsPlainName(*target))
            ThrowBrokenJournal(journal, QCoreApplication::translate("Files", "%1 行目が一時ファイルの名前ではありません").arg(i + 1));
        renames.emplace_back(folder / PathFromString(lines[i]), folder / PathFromString(*target));
    }
    // A temporary no longer there was renamed before the run stopped.
    for (const auto& [temporary, target] : renames) {
        std::error_code error;
        if (!fs::exists(fs::symlink_status(temporary, error)))
            continue;
        const QString reason = creator.rename(temporary, target);
        if (!reason.isEmpty())
            ThrowFileCreateError(target, reason);
    }
    RemoveQuietly(journal);
    return true;
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
