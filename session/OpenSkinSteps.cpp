#include "session/OpenSkinSteps.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "skin/LoadSkin.h"

#include <QCoreApplication>
#include <QStringList>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {

AppError NoSkinError(const fs::path& source)
{
    return AppError(ErrorKind::NoSkin, source, [](const ShownPaths&) {
        return QCoreApplication::translate("Session", "Main.bmpがありません。Winampのスキンでない可能性があります");
    });
}

AppError NotARegularFile(const fs::path& path)
{
    return AppError(ErrorKind::FileOpen, path, [path](const ShownPaths& names) {
        return QCoreApplication::translate("Session", "%1 は通常のファイルではないため読み込めません").arg(names(path));
    });
}

namespace {

using ReportSentence = QString (*)(const fs::path&, const ExtractionReport&, const ShownPaths&);

// One thing reading the archive met, worded from the report when shown;
// nothing when the report holds none of it.
std::optional<AppError> ArchiveNotice(ErrorKind kind, const fs::path& archive,
                                      const std::shared_ptr<const ExtractionReport>& report, ReportSentence sentence)
{
    if (sentence(archive, *report, {}).isEmpty())
        return std::nullopt;
    return AppError(kind, archive, [archive, report, sentence](const ShownPaths& names) {
        return sentence(archive, *report, names);
    });
}

} // namespace

bool ReportArchiveReading(const fs::path& archive, const ExtractionReport& report, bool hasSkinFolder,
                          const ShownPaths& names, OpenResult& result)
{
    result.Names = names;
    const auto read = std::make_shared<const ExtractionReport>(report);
    // The archive was read into memory, so the library's texts name no file;
    // only the files the disk refused are named, through the result's Names.
    const std::optional<AppError> damage = ArchiveNotice(
        ErrorKind::DamagedArchive, archive, read,
        [](const fs::path& path, const ExtractionReport& r, const ShownPaths&) { return DescribeArchiveError(path, r); });
    const std::optional<AppError> limit = ArchiveNotice(
        ErrorKind::ArchiveLimit, archive, read,
        [](const fs::path& path, const ExtractionReport& r, const ShownPaths&) { return DescribeExtractionLimit(path, r); });
    const bool refusedWhole = report.LimitHit == ExtractionLimit::ArchiveSize
        || report.LimitHit == ExtractionLimit::ListedMembers;
    if (limit && !refusedWhole)
        result.Notices.push_back(*limit);
    if (const auto skipped = ArchiveNotice(ErrorKind::PassedOver, archive, read, &DescribeSkippedMembers))
        result.Notices.push_back(*skipped);
    if (!hasSkinFolder) {
        result.Outcome = OpenOutcome::NoSkinFolder;
        result.Error = damage ? *damage : refusedWhole && limit ? *limit : NoSkinError(archive);
        return false;
    }
    if (damage)
        result.Notices.push_back(*damage);
    return true;
}

namespace {

// A folder, FIFO or device under a skin file's name is never opened: main.bmp
// is an error, any other file is passed over with a notice.
bool CheckFileTypes(const SkinState& state, OpenResult& result)
{
    if (state.SourceFiles)
        return true; // a folder in memory holds nothing but files
    std::vector<fs::path> passedOver;
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
        passedOver.push_back(path);
    }
    if (!passedOver.empty())
        result.Notices.emplace_back(ErrorKind::PassedOver, passedOver.front(), [passedOver](const ShownPaths& names) {
            QStringList shown;
            for (const fs::path& path : passedOver)
                shown.append(names(path));
            return QCoreApplication::translate("Session", "通常のファイルではないため使いませんでした: %1")
                .arg(shown.join(QCoreApplication::translate("Session", "、")));
        });
    return true;
}

} // namespace

void LoadSetSource(SkinSession& session, OpenResult& result)
{
    result.Names = session.State.SourceNames;
    if (!CheckFileTypes(session.State, result))
        return;
    try {
        LoadSkin(session);
        result.Outcome = OpenOutcome::Loaded;
    } catch (const AppError& failure) {
        result.Outcome = OpenOutcome::LoadFailed;
        result.Error = failure;
    }
}

} // namespace tf
