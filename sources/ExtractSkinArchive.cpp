#include "sources/ExtractSkinArchive.h"

#include "app/FuncUnit.h"
#include "platform/FileSystem.h"
#include "skin/LoadSkin.h"
#include "sources/ArchiveExtraction.h"
#include "sources/SkinFinder.h"

#include <QString>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

const QString kInformationCaption = QStringLiteral("情報");

void ShowInformation(SkinSession& session, const QString& text)
{
    session.prompts().showMessage(MessageIcon::Information, kInformationCaption, text);
}

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

} // namespace

bool HasSkinArchiveExtension(const fs::path& path)
{
    // The extension is what follows the last dot of the file name, also for
    // a name that starts with its dot.
    const std::string name = path.filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    const QString extension = QString::fromStdString(name.substr(dot)).toLower();
    return extension == QLatin1String(".zip") || extension == QLatin1String(".wsz");
}

// The archive library is linked in, so there is no library to load at run
// time and none of the errors of a missing one.
void ExtractSkinArchive(SkinSession& session, const fs::path& archivePath)
{
    AppValues& app = session.App;
    app.OpenName = PathToQString(archivePath);
    DeleteTree(app.WorkFolder, true);
    const fs::path skinRoot = app.WorkFolder / "Skin";
    std::error_code error;
    fs::create_directories(skinRoot, error);
    if (!HasSkinArchiveExtension(archivePath))
        return;
    app.Caption = kMainCaption + QStringLiteral(" -") + PathToQString(archivePath.filename()) + QStringLiteral("-");

    const fs::path workingCopy = CopyToWorkFolder(archivePath, app.WorkFolder);
    const ExtractionReport report = ExtractArchive(workingCopy, skinRoot);
    // What came out before a limit stopped the extraction is still searched:
    // a skin that came out whole loads.
    if (report.LimitHit != ExtractionLimit::None)
        ShowInformation(session, DescribeExtractionLimit(archivePath, report));

    const fs::path folder = FindSkinFolder(skinRoot);
    if (folder.empty()) {
        ShowInformation(session, QStringLiteral("Main.bmpがありません。Winampのスキンでない可能性があります"));
        return;
    }
    SetSkinSource(session, folder);
    LoadSkin(session);
    app.SkinLoaded = true;
}

} // namespace tf
