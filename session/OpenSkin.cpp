#include "session/OpenSkin.h"

#include "session/OpenSkinSteps.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderDeletion.h"
#include "platform/Prompts.h"
#include "skin/LoadSkin.h"
#include "sources/ArchiveExtraction.h"
#include "sources/ArchiveFile.h"
#include "sources/SkinFinder.h"

#include <QCoreApplication>
#include <QDir>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

// The working copy always has this name, whatever the archive is called.
// It is written anew from the archive read once, after the archive's limits
// are checked: an archive over them is never copied, and a full disk says
// so. A read-only archive so gives a writable copy.
fs::path CopyToWorkFolder(const fs::path& archivePath, const fs::path& workFolder, ExtractionReport& report)
{
    const fs::path workingCopy = workFolder / "tmp.zip";
    if (const std::optional<std::string> bytes = ReadArchiveFile(archivePath, {}, report))
        report.ArchiveError = WriteArchiveCopy(*bytes, workingCopy);
    return workingCopy;
}

// Loads the resolved folder (listed once, by index when the caller has);
// an error of the load comes back in the result.
void LoadFolder(SkinSession& session, const fs::path& folder, const FolderIndex& index, OpenResult& result,
                const ShownPaths& names = {})
{
    result.SkinFolder = folder;
    SetSkinSource(session, folder, index, names);
    LoadSetSource(session, result);
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
    result.Error = AppError(ErrorKind::NoSkin, source, [source](const ShownPaths& names) {
        return QCoreApplication::translate("Session", "%1 はスキンのフォルダでも .wsz / .zip ファイルでもありません")
            .arg(names(source));
    });
    return result;
}

} // namespace

const AppError* OpenResult::archiveError() const
{
    if (Error && Error->kind() == ErrorKind::DamagedArchive)
        return &*Error;
    for (const AppError& notice : Notices)
        if (notice.kind() == ErrorKind::DamagedArchive)
            return &notice;
    return nullptr;
}

OpenResult OpenSkinFolder(SkinSession& session, const fs::path& folder)
{
    OpenResult result;
    const FolderIndex index(folder);
    if (!index.find("main.bmp")) {
        const auto misnamed = FolderNamedMainBmp(folder);
        result.Outcome = misnamed ? OpenOutcome::LoadFailed : OpenOutcome::NoSkinFolder;
        if (misnamed)
            result.SkinFolder = folder;
        result.Error = misnamed ? NotARegularFile(*misnamed) : NoSkinError(folder);
        return result;
    }
    LoadFolder(session, folder, index, result);
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
    unpacked.WorkingCopy = CopyToWorkFolder(archive, workFolder, unpacked.Report);
    if (unpacked.Report.ArchiveError.empty() && unpacked.Report.LimitHit == ExtractionLimit::None)
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
    // Files below the private folder are named as the archive's members.
    const ShownPaths names(unpacked.SkinRoot, archive);
    if (!ReportArchiveReading(archive, unpacked.Report, !unpacked.SkinFolder.empty(), names, result))
        return result;
    LoadFolder(session, unpacked.SkinFolder, FolderIndex(unpacked.SkinFolder), result, names);
    return result;
}

OpenResult OpenSkinArchive(SkinSession& session, const fs::path& archive, const fs::path& workFolder)
{
    return LoadUnpackedArchive(session, archive, UnpackSkinArchive(archive, workFolder));
}

OpenResult OpenSkinSource(SkinSession& session, const fs::path& source, const fs::path& workFolder)
{
    return OpenSkinSource(session, source, [&](const fs::path& archive) {
        return OpenSkinArchive(session, archive, workFolder);
    });
}

OpenResult OpenSkinSource(SkinSession& session, const fs::path& source,
                          const std::function<OpenResult(const fs::path&)>& openArchive)
{
    std::error_code error;
    const fs::file_status status = fs::status(source, error);
    // A path the system cannot look at (too long, no permission) says why.
    if (error && error != std::errc::no_such_file_or_directory && error != std::errc::not_a_directory) {
        OpenResult result;
        const QString reason = QString::fromStdString(error.message());
        result.Error = AppError(
            ErrorKind::FileOpen, source,
            [source, reason](const ShownPaths& names) {
                return QCoreApplication::translate("Session", "%1 を開けません (%2)").arg(names(source), reason);
            },
            reason);
        return result;
    }
    if (fs::is_directory(status))
        return OpenSkinFolder(session, source);
    if (HasSkinArchiveExtension(source) && fs::is_regular_file(status))
        return openArchive(source);
    return NotASkinSource(source);
}

} // namespace tf
