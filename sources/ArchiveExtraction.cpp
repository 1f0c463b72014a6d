#include "sources/ArchiveExtraction.h"

#include "platform/ArchiveText.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/SystemReason.h"
#include "sources/ArchiveFile.h"
#include "sources/ArchiveReader.h"

#include <QCoreApplication>
#include <QStringList>
#include <archive.h>
#include <cerrno>
#include <archive_entry.h>
#include <memory>
#include <mutex>
#include <system_error>
#include <unordered_set>


namespace fs = std::filesystem;

namespace tf {
namespace {

// Our own checks of the names come first; the library checks ".." again.
// Its own guard against symbolic links (ARCHIVE_EXTRACT_SECURE_SYMLINKS) is
// not used: it opens every folder of the absolute path for every member,
// which made extraction half as slow again; DiskExtraction checks each
// folder of the destination once instead.
constexpr int kDiskWriterOptions = ARCHIVE_EXTRACT_SECURE_NODOTDOT;

struct WriterFree {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};
using DiskWriter = std::unique_ptr<archive, WriterFree>;
using Entry = std::unique_ptr<archive_entry, EntryFree>;

// archive_write_disk_new and every archive_write_header of a disk writer
// read the umask by setting it to 0 and back; two threads doing that at once
// could leave it at 0 for good, and every later file of the process
// writable by all.
std::mutex& UmaskMutex()
{
    static std::mutex mutex;
    return mutex;
}

DiskWriter NewDiskWriter()
{
    const std::lock_guard lock(UmaskMutex());
    DiskWriter writer(archive_write_disk_new());
    archive_write_disk_set_options(writer.get(), kDiskWriterOptions);
    return writer;
}

Entry NewDiskEntry(const fs::path& path, unsigned type, int perm)
{
    Entry entry(archive_entry_new());
    SetEntryPath(entry.get(), path);
    archive_entry_set_filetype(entry.get(), type);
    archive_entry_set_perm(entry.get(), perm);
    return entry;
}

std::string ErrorText(archive* a)
{
    const char* text = archive_error_string(a);
    return text ? text : "";
}

// The library's text with the system's reason where the failure was the
// system's (a full disk, a file that cannot be opened): the library names
// the operation only ("Write failed").
std::string SystemErrorText(archive* a)
{
    std::string text = ErrorText(a);
    const int code = archive_errno(a);
    // The library reports a malformed archive as EILSEQ and its own misuse
    // as EINVAL; neither is the system's reason.
    if (code > 0 && code != EILSEQ && code != EINVAL) {
        const std::string reason = std::generic_category().message(code);
        if (text.find(reason) == std::string::npos)
            text += text.empty() ? reason : ": " + reason;
    }
    return text;
}

// Why the disk writer could not make a file or folder: the system's reason.
// The library's own text names the file with its "\\?\" prefix on Windows,
// and in the process's code page, where names outside it turn into
// question marks; the report names the file by its path instead.
std::string WriteFailureReason(archive* writer)
{
    const int code = archive_errno(writer);
    return code > 0 && code != EILSEQ ? std::generic_category().message(code) : ErrorText(writer);
}

class DiskExtraction {
public:
    DiskExtraction(std::string_view archive, fs::path destination, const ExtractionLimits& limits,
                   ExtractionReport& report)
        : m_reader(archive)
        , m_writer(NewDiskWriter())
        , m_destination(std::move(destination))
        , m_limits(limits)
        , m_report(report)
        , m_tree(m_destination)
    {
    }

    void run()
    {
        WalkMembers(m_reader, m_limits, m_report, [this](archive_entry* entry, int) { return extractMember(entry); });
        archive_write_close(m_writer.get());
    }

private:
    WalkStep extractMember(archive_entry* entry);
    void writeFolder(const MemberPath& member);
    WalkStep writeFile(const MemberPath& member);
    bool writeHeader(const MemberPath& member, const fs::path& path, unsigned type, int perm);
    bool isFreeOfLinks(const fs::path& relativeFolder);
    void skip(const MemberPath& member, SkipReason reason, std::string detail = {}, fs::path file = {})
    {
        m_report.Skipped.push_back({member.Name, reason, std::move(detail), std::move(file)});
    }

    ArchiveReader m_reader;
    DiskWriter m_writer;
    fs::path m_destination;
    const ExtractionLimits& m_limits;
    ExtractionReport& m_report;
    CaseFoldedTree m_tree;
    std::unordered_set<std::string> m_checkedFolders; // relative folders known not to be links
};

WalkStep DiskExtraction::extractMember(archive_entry* entry)
{
    const MemberHeader header = ReadMemberHeader(entry);
    switch (header.Kind) {
    case MemberHeader::Type::Skipped:
        skip(header.Path, header.Reason);
        return WalkStep::Next;
    case MemberHeader::Type::Folder:
        writeFolder(header.Path);
        return WalkStep::Next;
    case MemberHeader::Type::File:
        break;
    }
    return writeFile(header.Path);
}

bool DiskExtraction::writeHeader(const MemberPath& member, const fs::path& path, unsigned type, int perm)
{
    const Entry entry = NewDiskEntry(path, type, perm);
    const int status = [&] {
        const std::lock_guard lock(UmaskMutex());
        return archive_write_header(m_writer.get(), entry.get());
    }();
    if (status >= ARCHIVE_WARN)
        return true;
    skip(member, SkipReason::WriteFailed, WriteFailureReason(m_writer.get()), path);
    if (status == ARCHIVE_FATAL)
        m_writer = NewDiskWriter();
    return false;
}

// True when no folder on the way to relativeFolder (itself included) is a
// symbolic link. Each folder is looked at once: after that it is either one
// that was already there and is no link, or one the disk writer made.
bool DiskExtraction::isFreeOfLinks(const fs::path& relativeFolder)
{
    fs::path folder;
    for (const fs::path& component : relativeFolder) {
        folder /= component;
        if (m_checkedFolders.count(folder.string()))
            continue;
        std::error_code error;
        if (fs::is_symlink(fs::symlink_status(m_destination / folder, error)))
            return false;
        m_checkedFolders.insert(folder.string());
    }
    return true;
}

void DiskExtraction::writeFolder(const MemberPath& member)
{
    const auto resolved = m_tree.resolve(member.Components, CaseFoldedTree::Kind::Folder);
    if (!resolved) {
        skip(member, SkipReason::NameTaken);
        return;
    }
    const fs::path relative = RelativePath(*resolved);
    if (!isFreeOfLinks(relative)) {
        skip(member, SkipReason::LinkOnTheWay);
        return;
    }
    if (writeHeader(member, m_destination / relative, AE_IFDIR, 0755))
        archive_write_finish_entry(m_writer.get());
}

WalkStep DiskExtraction::writeFile(const MemberPath& member)
{
    bool known = false;
    const auto resolved = m_tree.resolve(member.Components, CaseFoldedTree::Kind::File, &known);
    if (!resolved) {
        skip(member, SkipReason::NameTaken);
        return WalkStep::Next;
    }
    const fs::path relative = RelativePath(*resolved);
    if (!isFreeOfLinks(relative.parent_path())) {
        skip(member, SkipReason::LinkOnTheWay);
        return WalkStep::Next;
    }
    const fs::path path = m_destination / relative;
    // A link in the file's own place is replaced, never written through.
    // Only a name that was there before can be one.
    std::error_code error;
    if (known && fs::is_symlink(fs::symlink_status(path, error)))
        fs::remove(path, error);
    if (!writeHeader(member, path, AE_IFREG, 0644))
        return WalkStep::Next;
    std::string detail;
    const ArchiveReader::Data result = m_reader.readData(
        m_limits, m_report.BytesWritten,
        [&](const void* block, size_t size) {
            if (archive_write_data(m_writer.get(), block, size) == la_ssize_t(size))
                return true;
            detail = SystemErrorText(m_writer.get());
            return false;
        },
        detail);
    archive_write_finish_entry(m_writer.get());
    if (result == ArchiveReader::Data::Complete) {
        m_report.Files.push_back(relative);
        return WalkStep::Next;
    }
    // A member that did not come out whole is not left behind half written.
    fs::remove(path, error);
    return NoteIncompleteMember(m_report, member, result, detail);
}

// A refused write as "<file>: <reason>", the file shown by names; the
// library's text alone where no file is known.
QString WriteFailure(const SkippedMember& member, const ShownPaths& names)
{
    const QString reason = QString::fromUtf8(member.Detail.c_str());
    return member.File.empty() ? reason : QStringLiteral("%1: %2").arg(names(member.File), reason);
}

} // namespace

ExtractionReport ExtractArchive(const fs::path& archivePath, const fs::path& destination,
                                const ExtractionLimits& limits)
{
    ExtractionReport report;
    std::error_code error;
    fs::create_directories(destination, error);
    std::error_code isFolder;
    if (!fs::is_directory(destination, isFolder)) {
        report.UncreatedFolder = destination;
        report.ArchiveError = (error ? error : std::make_error_code(std::errc::not_a_directory)).message();
        return report;
    }
    const std::optional<std::string> archive = ReadArchiveFile(archivePath, limits, report);
    if (archive)
        DiskExtraction(*archive, destination, limits, report).run();
    return report;
}

QString DescribeArchiveError(const fs::path& archivePath, const ExtractionReport& report)
{
    const QString archiveName = PathToQString(archivePath.filename());
    // The private folder means nothing to the user; why it could not be made does.
    if (!report.UncreatedFolder.empty())
        return QCoreApplication::translate("Archive", "アーカイブを展開できません: %1 (%2)")
            .arg(archiveName, QCoreApplication::translate("Session", "作業フォルダを作成できません: %1")
                                  .arg(JapaneseReason(QString::fromLocal8Bit(report.ArchiveError.c_str()))));
    std::string reason = report.ArchiveError;
    if (reason.empty())
        for (const SkippedMember& member : report.Skipped)
            if (member.Reason == SkipReason::Damaged) {
                reason = member.Name + ": " + (member.Detail.empty() ? "damaged data" : member.Detail);
                break;
            }
    if (reason.empty())
        return {};
    return QCoreApplication::translate("Archive", "アーカイブを展開できません: %1 (%2)")
        .arg(archiveName, QString::fromUtf8(reason.data(), qsizetype(reason.size())));
}

QString DescribeSkippedMembers(const fs::path& archivePath, const ExtractionReport& report, const ShownPaths& names)
{
    // A few names say what happened; a hostile archive may list thousands.
    constexpr int kMaxListed = 10;
    QStringList listed;
    int passedOver = 0;
    for (const SkippedMember& member : report.Skipped) {
        QString why;
        switch (member.Reason) {
        case SkipReason::UnreadableName: why = QCoreApplication::translate("Archive", "読めない名前"); break;
        case SkipReason::AbsolutePath: why = QCoreApplication::translate("Archive", "絶対パス"); break;
        case SkipReason::ParentFolder: why = QCoreApplication::translate("Archive", "「..」を含むパス"); break;
        case SkipReason::TooLong: why = QCoreApplication::translate("Archive", "長すぎる名前"); break;
        case SkipReason::Link: why = QCoreApplication::translate("Archive", "リンク"); break;
        case SkipReason::SpecialFile: why = QCoreApplication::translate("Archive", "特殊ファイル"); break;
        case SkipReason::LinkOnTheWay: why = QCoreApplication::translate("Archive", "途中のフォルダがリンク"); break;
        case SkipReason::NameTaken:
            why = QCoreApplication::translate("Archive", "同じ名前のファイルかフォルダが先にあります");
            break;
        case SkipReason::WriteFailed:
            why = QCoreApplication::translate("Archive", "書き込めません: %1").arg(WriteFailure(member, names));
            break;
        case SkipReason::Damaged: continue;
        }
        if (++passedOver <= kMaxListed)
            listed.append(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(member.Name.data(), qsizetype(member.Name.size())), why));
    }
    if (passedOver == 0)
        return {};
    if (passedOver > kMaxListed)
        listed.append(QCoreApplication::translate("Archive", "ほか %1 個").arg(passedOver - kMaxListed));
    return QCoreApplication::translate("Archive", "書庫 %1 の次のファイルは展開しませんでした: %2")
        .arg(PathToQString(archivePath.filename()), listed.join(QCoreApplication::translate("Archive", "、")));
}

QString DescribeExtractionLimit(const fs::path& archivePath, const ExtractionReport& report,
                                const ExtractionLimits& limits)
{
    const QString archiveName = PathToQString(archivePath.filename());
    const QString member = QString::fromUtf8(report.LimitMember.data(), qsizetype(report.LimitMember.size()));
    const auto megabytes = [](uint64_t bytes) { return QString::number(bytes / (uint64_t(1) << 20)); };
    switch (report.LimitHit) {
    case ExtractionLimit::ArchiveSize:
        return QCoreApplication::translate("Archive", "書庫 %1 は上限の %2 MB より大きいため、展開しませんでした。")
            .arg(archiveName, megabytes(limits.MaxArchiveBytes));
    case ExtractionLimit::ListedMembers:
        return QCoreApplication::translate("Archive", "書庫 %1 のファイル数が上限の %2 個を超えているため、展開しませんでした。")
            .arg(archiveName)
            .arg(limits.MaxMembers);
    case ExtractionLimit::MemberCount:
        return QCoreApplication::translate("Archive", "書庫 %1 のファイル数が上限の %2 個を超えているため、%2 個目までを展開して打ち切りました。")
            .arg(archiveName)
            .arg(limits.MaxMembers);
    case ExtractionLimit::MemberSize:
        return QCoreApplication::translate("Archive", "書庫 %1 の %2 は展開すると上限の %3 MB を超えるため、そこで展開を打ち切りました。")
            .arg(archiveName, member, megabytes(limits.MaxMemberBytes));
    case ExtractionLimit::TotalSize:
        return QCoreApplication::translate("Archive", "書庫 %1 は展開すると合計で上限の %2 MB を超えるため、%3 で展開を打ち切りました。")
            .arg(archiveName, megabytes(limits.MaxTotalBytes), member);
    case ExtractionLimit::None:
        break;
    }
    return {};
}

} // namespace tf
