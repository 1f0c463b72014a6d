#include "session/OpenSkin.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderDeletion.h"
#include "skin/LoadSkin.h"
#include "sources/ArchiveExtraction.h"
#include "sources/SkinFinder.h"

#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

const QString kNoSkinMessage = QStringLiteral("Main.bmpがありません。Winampのスキンでない可能性があります");

// The working copy always has this name, whatever the archive is called.
fs::path CopyToWorkFolder(const fs::path& archivePath, const fs::path& workFolder)
{
    const fs::path workingCopy = workFolder / "tmp.zip";
    std::error_code error;
    fs::copy_file(archivePath, workingCopy, fs::copy_options::overwrite_existing, error);
    // A read-only archive gives a read-only copy; the next extraction has to
    // be able to replace it.
    fs::permissions(workingCopy, fs::perms::owner_write, fs::perm_options::add, error);
    return workingCopy;
}

// Loads the skin folder that was found (empty when none was); an error of
// the load comes back in the result.
void LoadFoundFolder(SkinSession& session, const fs::path& folder, OpenResult& result)
{
    if (folder.empty()) {
        result.Outcome = OpenOutcome::NoSkinFolder;
        result.Error = kNoSkinMessage;
        return;
    }
    result.SkinFolder = folder;
    SetSkinSource(session, folder);
    try {
        LoadSkin(session);
        result.Outcome = OpenOutcome::Loaded;
    } catch (const AppError& failure) {
        result.Outcome = OpenOutcome::LoadFailed;
        result.Error = failure.message();
    }
}

OpenResult NotASkinSource(const fs::path& source)
{
    OpenResult result;
    result.Error = QStringLiteral("%1 はスキンのフォルダでも .wsz / .zip ファイルでもありません")
                       .arg(DisplayPath(source));
    return result;
}

} // namespace

OpenResult OpenSkinFolder(SkinSession& session, const fs::path& folder)
{
    OpenResult result;
    LoadFoundFolder(session, IsSkinFolder(folder) ? folder : fs::path(), result);
    return result;
}

// The archive library is linked in, so there is no library to load at run
// time and none of the errors of a missing one.
OpenResult OpenSkinArchive(SkinSession& session, const fs::path& archive, const fs::path& workFolder)
{
    DeleteTree(workFolder, true);
    const fs::path skinRoot = workFolder / "Skin";
    std::error_code error;
    fs::create_directories(skinRoot, error);
    if (!HasSkinArchiveExtension(archive))
        return NotASkinSource(archive);

    OpenResult result;
    const fs::path workingCopy = CopyToWorkFolder(archive, workFolder);
    const ExtractionReport report = ExtractArchive(workingCopy, skinRoot);
    // What came out before a limit stopped the extraction is still searched:
    // a skin that came out whole loads.
    const QString limit = DescribeExtractionLimit(archive, report);
    if (!limit.isEmpty())
        result.Notices.append(limit);

    LoadFoundFolder(session, FindSkinFolder(skinRoot), result);
    return result;
}

OpenResult OpenSkinSource(SkinSession& session, const fs::path& source, const fs::path& workFolder)
{
    std::error_code error;
    if (fs::is_directory(source, error))
        return OpenSkinFolder(session, source);
    if (HasSkinArchiveExtension(source) && fs::is_regular_file(source, error))
        return OpenSkinArchive(session, source, workFolder);
    return NotASkinSource(source);
}

} // namespace tf
