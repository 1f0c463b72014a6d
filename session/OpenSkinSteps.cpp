#include "session/OpenSkinSteps.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "skin/LoadSkin.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {

QString NoSkinMessage()
{
    return QCoreApplication::translate("Session", "Main.bmpがありません。Winampのスキンでない可能性があります");
}

QString NotARegularFile(const fs::path& path, const ShownPaths& names)
{
    return QCoreApplication::translate("Session", "%1 は通常のファイルではないため読み込めません").arg(names(path));
}

bool ReportArchiveReading(const fs::path& archive, const ExtractionReport& report, bool hasSkinFolder,
                          const ShownPaths& names, OpenResult& result)
{
    // The archive was read into memory, so the library's texts name no file;
    // only the files the disk refused are named, through names.
    result.ArchiveError = DescribeArchiveError(archive, report);
    const QString limit = DescribeExtractionLimit(archive, report);
    const bool refusedWhole = report.LimitHit == ExtractionLimit::ArchiveSize
        || report.LimitHit == ExtractionLimit::ListedMembers;
    for (const QString& notice : {refusedWhole ? QString() : limit, DescribeSkippedMembers(archive, report, names)})
        if (!notice.isEmpty())
            result.Notices.append(notice);
    if (!hasSkinFolder) {
        result.Outcome = OpenOutcome::NoSkinFolder;
        result.Error = !result.ArchiveError.isEmpty() ? result.ArchiveError : refusedWhole ? limit : NoSkinMessage();
        return false;
    }
    if (!result.ArchiveError.isEmpty())
        result.Notices.append(result.ArchiveError);
    return true;
}

namespace {

// A folder, FIFO or device under a skin file's name is never opened: main.bmp
// is an error, any other file is passed over with a notice.
bool CheckFileTypes(const SkinState& state, OpenResult& result)
{
    if (state.SourceFiles)
        return true; // a folder in memory holds nothing but files
    QStringList passedOver;
    for (size_t i = 0; i < kSourceFileTable.size(); ++i) {
        const fs::path& path = state.SourceFilePaths[i];
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error || !fs::exists(status) || fs::is_regular_file(status))
            continue;
        if (i == size_t(kMainBmp)) {
            result.Outcome = OpenOutcome::LoadFailed;
            result.Error = NotARegularFile(path, state.SourceNames);
            return false;
        }
        passedOver.append(state.SourceNames(path));
    }
    if (!passedOver.isEmpty())
        result.Notices.append(QCoreApplication::translate("Session", "通常のファイルではないため使いませんでした: %1")
                                  .arg(passedOver.join(QCoreApplication::translate("Session", "、"))));
    return true;
}

} // namespace

void LoadSetSource(SkinSession& session, OpenResult& result)
{
    if (!CheckFileTypes(session.State, result))
        return;
    try {
        LoadSkin(session);
        result.Outcome = OpenOutcome::Loaded;
    } catch (const AppError& failure) {
        result.Outcome = OpenOutcome::LoadFailed;
        result.Error = failure.message(session.State.SourceNames);
    }
}

} // namespace tf
