#include "sources/ArchiveExtraction.h"

#include "platform/ArchiveText.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"

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

constexpr size_t kReadBlockBytes = 64 * 1024;

// Our own checks of the names come first; the library checks ".." again.
// Its own guard against symbolic links (ARCHIVE_EXTRACT_SECURE_SYMLINKS) is
// not used: it opens every folder of the absolute path for every member,
// which made extraction half as slow again; Extraction checks each folder of
// the destination once instead.
constexpr int kDiskWriterOptions = ARCHIVE_EXTRACT_SECURE_NODOTDOT;

struct ReaderFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
struct WriterFree {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};
using Reader = std::unique_ptr<archive, ReaderFree>;
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

// A file or folder the disk writer could not make, named as the system
// spells it, with the system's reason: the library's own text names it with
// its "\\?\" prefix on Windows, and in the process's code page, where
// names outside it turn into question marks.
std::string WriteFailureText(archive* writer, const fs::path& path)
{
    const int code = archive_errno(writer);
    const std::string reason = code > 0 && code != EILSEQ ? std::generic_category().message(code) : ErrorText(writer);
    return DisplayPath(path).toStdString() + ": " + reason;
}

// After a member whose data breaks the decompressor the library will not
// read on; the archive is opened again and read past that member, a bounded
// number of times.
constexpr int kMaxReopenings = 16;

class Extraction {
public:
    Extraction(fs::path archivePath, fs::path destination, const ExtractionLimits& limits,
               ExtractionReport& report)
        : m_archivePath(std::move(archivePath))
        , m_writer(NewDiskWriter())
        , m_destination(std::move(destination))
        , m_limits(limits)
        , m_report(report)
        , m_tree(m_destination)
    {
    }

    void run();

private:
    enum class Outcome { Next, Reopen, Stop };
    enum class DataResult { Complete, Damaged, Fatal, WriteFailed, MemberLimit, TotalLimit };

    bool open(int membersToPass);
    Outcome extractMember(archive_entry* entry);
    void writeFolder(const MemberPath& member);
    Outcome writeFile(const MemberPath& member);
    DataResult copyData(std::string& detail);
    bool writeHeader(const MemberPath& member, const fs::path& path, unsigned type, int perm);
    bool isFreeOfLinks(const fs::path& relativeFolder);
    void skip(const MemberPath& member, SkipReason reason, std::string detail = {})
    {
        m_report.Skipped.push_back({member.Name, reason, std::move(detail)});
    }

    fs::path m_archivePath;
    Reader m_reader;
    DiskWriter m_writer;
    fs::path m_destination;
    const ExtractionLimits& m_limits;
    ExtractionReport& m_report;
    CaseFoldedTree m_tree;
    std::unordered_set<std::string> m_checkedFolders; // relative folders known not to be links
};

// Opens the archive and reads past its first membersToPass headers.
bool Extraction::open(int membersToPass)
{
    m_reader.reset(archive_read_new());
    // ZIP only, as the extension promises; an archive inside the skin stays
    // a file, and other formats under a .wsz name are not skins.
    archive_read_support_format_zip(m_reader.get());
    if (OpenArchiveForReading(m_reader.get(), m_archivePath, kReadBlockBytes) != ARCHIVE_OK) {
        m_report.ArchiveError = SystemErrorText(m_reader.get());
        return false;
    }
    for (int i = 0; i < membersToPass; ++i) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(m_reader.get(), &entry);
        if (status == ARCHIVE_EOF || status == ARCHIVE_FATAL)
            return false;
        if (status != ARCHIVE_RETRY)
            archive_read_data_skip(m_reader.get());
    }
    return true;
}

void Extraction::run()
{
    if (!open(0))
        return;
    int members = 0;
    int reopenings = 0;
    for (;;) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(m_reader.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status == ARCHIVE_FATAL) {
            m_report.ArchiveError = ErrorText(m_reader.get());
            break;
        }
        if (++members > m_limits.MaxMembers) {
            m_report.LimitHit = ExtractionLimit::MemberCount;
            break;
        }
        if (status == ARCHIVE_RETRY)
            continue; // this header is unusable, the next may not be
        const Outcome outcome = extractMember(entry);
        if (outcome == Outcome::Stop)
            break;
        if (outcome == Outcome::Reopen && (++reopenings > kMaxReopenings || !open(members))) {
            m_report.ArchiveError = m_report.Skipped.back().Detail;
            break;
        }
    }
    archive_write_close(m_writer.get());
}

Extraction::Outcome Extraction::extractMember(archive_entry* entry)
{
    const MemberPath member = ParseMemberPath(MemberNameUtf8(entry));
    if (member.Rejected) {
        skip(member, *member.Rejected);
        return Outcome::Next;
    }
    const unsigned type = archive_entry_filetype(entry);
    if (archive_entry_hardlink(entry) || type == AE_IFLNK) {
        skip(member, SkipReason::Link);
        return Outcome::Next;
    }
    if (type == AE_IFDIR || (member.Folder && (type == AE_IFREG || type == 0))) {
        writeFolder(member);
        return Outcome::Next;
    }
    if (type != AE_IFREG && type != 0) {
        skip(member, SkipReason::SpecialFile);
        return Outcome::Next;
    }
    return writeFile(member);
}

bool Extraction::writeHeader(const MemberPath& member, const fs::path& path, unsigned type, int perm)
{
    const Entry entry = NewDiskEntry(path, type, perm);
    const int status = [&] {
        const std::lock_guard lock(UmaskMutex());
        return archive_write_header(m_writer.get(), entry.get());
    }();
    if (status >= ARCHIVE_WARN)
        return true;
    skip(member, SkipReason::WriteFailed, WriteFailureText(m_writer.get(), path));
    if (status == ARCHIVE_FATAL)
        m_writer = NewDiskWriter();
    return false;
}

// True when no folder on the way to relativeFolder (itself included) is a
// symbolic link. Each folder is looked at once: after that it is either one
// that was already there and is no link, or one the disk writer made.
bool Extraction::isFreeOfLinks(const fs::path& relativeFolder)
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

void Extraction::writeFolder(const MemberPath& member)
{
    const fs::path relative = m_tree.resolve(member.Components);
    if (!isFreeOfLinks(relative)) {
        skip(member, SkipReason::LinkOnTheWay);
        return;
    }
    if (writeHeader(member, m_destination / relative, AE_IFDIR, 0755))
        archive_write_finish_entry(m_writer.get());
}

Extraction::Outcome Extraction::writeFile(const MemberPath& member)
{
    bool known = false;
    const fs::path relative = m_tree.resolve(member.Components, &known);
    if (!isFreeOfLinks(relative.parent_path())) {
        skip(member, SkipReason::LinkOnTheWay);
        return Outcome::Next;
    }
    const fs::path path = m_destination / relative;
    // A link in the file's own place is replaced, never written through.
    // Only a name that was there before can be one.
    std::error_code error;
    if (known && fs::is_symlink(fs::symlink_status(path, error)))
        fs::remove(path, error);
    if (!writeHeader(member, path, AE_IFREG, 0644))
        return Outcome::Next;
    std::string detail;
    const DataResult result = copyData(detail);
    archive_write_finish_entry(m_writer.get());
    if (result == DataResult::Complete) {
        m_report.Files.push_back(relative);
        return Outcome::Next;
    }
    // A member that did not come out whole is not left behind half written.
    fs::remove(path, error);
    switch (result) {
    case DataResult::MemberLimit:
    case DataResult::TotalLimit:
        m_report.LimitHit = result == DataResult::MemberLimit ? ExtractionLimit::MemberSize
                                                              : ExtractionLimit::TotalSize;
        m_report.LimitMember = member.Name;
        return Outcome::Stop;
    case DataResult::WriteFailed:
        skip(member, SkipReason::WriteFailed, detail);
        return Outcome::Next;
    case DataResult::Fatal:
        skip(member, SkipReason::Damaged, detail);
        return Outcome::Reopen;
    default:
        skip(member, SkipReason::Damaged, detail);
        return Outcome::Next;
    }
}

// Sizes are counted as the data comes out of the decompressor; the sizes the
// archive claims in its headers play no part.
Extraction::DataResult Extraction::copyData(std::string& detail)
{
    uint64_t memberBytes = 0;
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int status = archive_read_data_block(m_reader.get(), &block, &size, &offset);
        if (status == ARCHIVE_EOF)
            return DataResult::Complete;
        if (status != ARCHIVE_OK) {
            detail = ErrorText(m_reader.get());
            return status == ARCHIVE_FATAL ? DataResult::Fatal : DataResult::Damaged;
        }
        if (memberBytes + size > m_limits.MaxMemberBytes)
            return DataResult::MemberLimit;
        if (m_report.BytesWritten + size > m_limits.MaxTotalBytes)
            return DataResult::TotalLimit;
        // Written in sequence: a ZIP member has no holes, and an offset is
        // never allowed to grow a file past what was counted.
        if (archive_write_data(m_writer.get(), block, size) != la_ssize_t(size)) {
            detail = SystemErrorText(m_writer.get());
            return DataResult::WriteFailed;
        }
        memberBytes += size;
        m_report.BytesWritten += size;
    }
}

} // namespace

ExtractionReport ExtractArchive(const fs::path& archivePath, const fs::path& destination,
                                const ExtractionLimits& limits)
{
    ExtractionReport report;
    std::error_code error;
    fs::create_directories(destination, error);
    if (!fs::is_directory(destination, error)) {
        report.ArchiveError = "cannot create " + destination.string();
        return report;
    }
    const ArchiveNameScope names;
    Extraction(archivePath, destination, limits, report).run();
    return report;
}

QString DescribeArchiveError(const fs::path& archivePath, const fs::path& workingCopy,
                             const ExtractionReport& report)
{
    std::string reason = report.ArchiveError;
    if (reason.empty())
        for (const SkippedMember& member : report.Skipped)
            if (member.Reason == SkipReason::Damaged) {
                reason = member.Name + ": " + (member.Detail.empty() ? "damaged data" : member.Detail);
                break;
            }
    if (reason.empty())
        return {};
    const QString archiveName = PathToQString(archivePath.filename());
    QString shown = QString::fromUtf8(reason.data(), qsizetype(reason.size()));
    shown.replace(PathToQString(workingCopy), archiveName);
    return QCoreApplication::translate("Archive", "アーカイブを展開できません: %1 (%2)").arg(archiveName, shown);
}

QString DescribeSkippedMembers(const fs::path& archivePath, const ExtractionReport& report)
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
        case SkipReason::WriteFailed:
            why = QCoreApplication::translate("Archive", "書き込めません: %1").arg(QString::fromUtf8(member.Detail.c_str()));
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
