#include "session/OpenSkin.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderDeletion.h"
#include "platform/Prompts.h"
#include "skin/LoadSkin.h"
#include "sources/ArchiveExtraction.h"
#include "sources/SkinFinder.h"

#include <QCoreApplication>
#include <QDir>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

QString NoSkinMessage()
{
    return QCoreApplication::translate("Session", "Main.bmpがありません。Winampのスキンでない可能性があります");
}

// The working copy always has this name, whatever the archive is called.
fs::path CopyToWorkFolder(const fs::path& archivePath, const fs::path& workFolder, std::error_code& copyError)
{
    const fs::path workingCopy = workFolder / "tmp.zip";
    std::error_code error;
    fs::copy_file(archivePath, workingCopy, fs::copy_options::overwrite_existing, copyError);
    // A read-only archive gives a read-only copy; the next extraction has to
    // be able to replace it.
    fs::permissions(workingCopy, fs::perms::owner_write, fs::perm_options::add, error);
    return workingCopy;
}

// Messages about files of an extracted archive name the archive and the
// member ("base.wsz の main.bmp"), never the private folder, which is gone
// by the time the user reads them.
class MemberNames {
public:
    MemberNames() = default;
    MemberNames(const fs::path& extractedRoot, const fs::path& archive)
        : m_root(DisplayPath(extractedRoot))
        , m_archive(PathToQString(archive.filename()))
    {
    }
    QString operator()(QString text) const
    {
        if (m_root.isEmpty())
            return text;
        text.replace(m_root + QDir::separator(), m_archive + QCoreApplication::translate("Session", " の "));
        return text.replace(m_root, m_archive);
    }

private:
    QString m_root;
    QString m_archive;
};

// Passes the load's messages on, their file names rewritten, for as long
// as it lives.
class RenamingPrompts : public Prompts {
public:
    RenamingPrompts(SkinSession& session, const MemberNames& names)
        : m_session(session)
        , m_target(session.prompts())
        , m_names(names)
    {
        m_session.Messages = this;
    }
    ~RenamingPrompts() override { m_session.Messages = &m_target; }
    RenamingPrompts(const RenamingPrompts&) = delete;
    RenamingPrompts& operator=(const RenamingPrompts&) = delete;

    MessageAnswer showMessage(MessageIcon icon, const QString& caption, const QString& text) override
    {
        return m_target.showMessage(icon, caption, m_names(text));
    }

private:
    SkinSession& m_session;
    Prompts& m_target;
    const MemberNames& m_names;
};

QString NotARegularFile(const fs::path& path)
{
    return QCoreApplication::translate("Session", "%1 は通常のファイルではないため読み込めません").arg(DisplayPath(path));
}

// A folder, FIFO or device under a skin file's name is never opened: main.bmp
// is an error, any other file is passed over with a notice.
bool CheckFileTypes(const SkinState& state, OpenResult& result)
{
    QStringList passedOver;
    for (size_t i = 0; i < kSourceFileTable.size(); ++i) {
        const fs::path& path = state.SourceFilePaths[i];
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error || !fs::exists(status) || fs::is_regular_file(status))
            continue;
        if (i == size_t(kMainBmp)) {
            result.Outcome = OpenOutcome::LoadFailed;
            result.Error = NotARegularFile(path);
            return false;
        }
        passedOver.append(DisplayPath(path));
    }
    if (!passedOver.isEmpty())
        result.Notices.append(QCoreApplication::translate("Session", "通常のファイルではないため使いませんでした: %1")
                                  .arg(passedOver.join(QCoreApplication::translate("Session", "、"))));
    return true;
}

// Loads the resolved folder; an error of the load comes back in the result.
void LoadFolder(SkinSession& session, const fs::path& folder, OpenResult& result,
                const MemberNames& names = {})
{
    result.SkinFolder = folder;
    SetSkinSource(session, folder);
    const qsizetype firstNotice = result.Notices.size();
    if (CheckFileTypes(session.State, result)) {
        const RenamingPrompts prompts(session, names);
        try {
            LoadSkin(session);
            result.Outcome = OpenOutcome::Loaded;
        } catch (const AppError& failure) {
            result.Outcome = OpenOutcome::LoadFailed;
            result.Error = failure.message();
        }
    }
    result.Error = names(result.Error);
    for (qsizetype i = firstNotice; i < result.Notices.size(); ++i)
        result.Notices[i] = names(result.Notices[i]);
}

// A folder under main.bmp's name is not a skin file; a chosen folder that
// holds one is told so rather than said to lack main.bmp.
std::optional<fs::path> FolderNamedMainBmp(const fs::path& folder)
{
    for (const fs::directory_entry& entry : ListFolderSorted(folder)) {
        std::error_code error;
        if (entry.is_directory(error) && FoldFileName(entry.path().filename().string()) == "main.bmp")
            return entry.path();
    }
    return std::nullopt;
}

OpenResult NotASkinSource(const fs::path& source)
{
    OpenResult result;
    result.Error = QCoreApplication::translate("Session", "%1 はスキンのフォルダでも .wsz / .zip ファイルでもありません")
                       .arg(DisplayPath(source));
    return result;
}

} // namespace

OpenResult OpenSkinFolder(SkinSession& session, const fs::path& folder)
{
    OpenResult result;
    if (!IsSkinFolder(folder)) {
        const auto misnamed = FolderNamedMainBmp(folder);
        result.Outcome = misnamed ? OpenOutcome::LoadFailed : OpenOutcome::NoSkinFolder;
        if (misnamed)
            result.SkinFolder = folder;
        result.Error = misnamed ? NotARegularFile(*misnamed) : NoSkinMessage();
        return result;
    }
    LoadFolder(session, folder, result);
    return result;
}

UnpackedArchive UnpackSkinArchive(const fs::path& archive, const fs::path& workFolder)
{
    DeleteTree(workFolder, true);
    UnpackedArchive unpacked;
    unpacked.SkinRoot = workFolder / "Skin";
    std::error_code error;
    fs::create_directories(unpacked.SkinRoot, error);
    unpacked.IsArchive = HasSkinArchiveExtension(archive);
    if (!unpacked.IsArchive)
        return unpacked;
    std::error_code copyError;
    unpacked.WorkingCopy = CopyToWorkFolder(archive, workFolder, copyError);
    if (copyError)
        unpacked.Report.ArchiveError = copyError.message();
    else
        unpacked.Report = ExtractArchive(unpacked.WorkingCopy, unpacked.SkinRoot);
    // What came out before a limit or a damaged part stopped the extraction
    // is still searched: a skin that came out whole loads.
    unpacked.SkinFolder = FindSkinFolder(unpacked.SkinRoot);
    return unpacked;
}

// The archive library is linked in, so there is no library to load at run
// time and none of the errors of a missing one.
OpenResult LoadUnpackedArchive(SkinSession& session, const fs::path& archive, const UnpackedArchive& unpacked)
{
    if (!unpacked.IsArchive)
        return NotASkinSource(archive);

    OpenResult result;
    const ExtractionReport& report = unpacked.Report;
    // The library's texts may name files below the private folder.
    const MemberNames names(unpacked.SkinRoot, archive);
    result.ArchiveError = names(DescribeArchiveError(archive, unpacked.WorkingCopy, report));
    for (const QString& notice : {DescribeExtractionLimit(archive, report), DescribeSkippedMembers(archive, report)})
        if (!notice.isEmpty())
            result.Notices.append(names(notice));

    if (unpacked.SkinFolder.empty()) {
        result.Outcome = OpenOutcome::NoSkinFolder;
        result.Error = result.ArchiveError.isEmpty() ? NoSkinMessage() : result.ArchiveError;
        return result;
    }
    if (!result.ArchiveError.isEmpty())
        result.Notices.append(result.ArchiveError);
    LoadFolder(session, unpacked.SkinFolder, result, names);
    return result;
}

OpenResult OpenSkinArchive(SkinSession& session, const fs::path& archive, const fs::path& workFolder)
{
    return LoadUnpackedArchive(session, archive, UnpackSkinArchive(archive, workFolder));
}

OpenResult OpenSkinSource(SkinSession& session, const fs::path& source, const fs::path& workFolder)
{
    std::error_code error;
    const fs::file_status status = fs::status(source, error);
    // A path the system cannot look at (too long, no permission) says why.
    if (error && error != std::errc::no_such_file_or_directory && error != std::errc::not_a_directory) {
        OpenResult result;
        result.Error = QCoreApplication::translate("Session", "%1 を開けません (%2)")
                           .arg(DisplayPath(source), QString::fromStdString(error.message()));
        return result;
    }
    if (fs::is_directory(status))
        return OpenSkinFolder(session, source);
    if (HasSkinArchiveExtension(source) && fs::is_regular_file(status))
        return OpenSkinArchive(session, source, workFolder);
    return NotASkinSource(source);
}

} // namespace tf
