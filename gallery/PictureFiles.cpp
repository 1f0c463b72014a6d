#include "gallery/PictureFiles.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "sources/ArchiveFile.h"
#include "sources/ArchiveInMemory.h"
#include "sources/SkinFinder.h"

#include <QCoreApplication>

namespace fs = std::filesystem;

namespace tf {
namespace {

const std::string kMainName = "main.bmp";
const std::string kTitleBarName = "titlebar.bmp";

QString NoMainBmp()
{
    return QCoreApplication::translate("Gallery", "main.bmp がありません");
}

QString Unreadable(const QString& reason)
{
    return QCoreApplication::translate("Gallery", "アーカイブを読めません (%1)").arg(reason);
}

// Why the archive gave no skin, in the library's or the system's words;
// empty for a sound archive without one.
QString WhyNoSkin(const fs::path& archive, const ExtractionReport& report)
{
    if (!report.ArchiveError.empty())
        return QString::fromStdString(report.ArchiveError);
    for (const SkippedMember& member : report.Skipped)
        if (member.Reason == SkipReason::Damaged)
            return QString::fromStdString(member.Name + ": " + (member.Detail.empty() ? "damaged data" : member.Detail));
    return DescribeExtractionLimit(archive, report);
}

// The archive read in memory as the converter reads it: the same member-name
// rules, skin folder and limits, and only the two files inflated.
PictureFiles ReadArchivePictureFiles(const fs::path& archive)
{
    PictureFiles files;
    const ExtractionLimits limits;
    SkinArchiveContents contents;
    if (const std::optional<std::string> bytes = ReadArchiveFile(archive, limits, contents.Report))
        contents = ReadSkinArchive(*bytes, {kMainName, kTitleBarName}, limits);
    if (!contents.SkinFolder) {
        const QString why = WhyNoSkin(archive, contents.Report);
        files.Result = why.isEmpty() ? PictureFiles::Outcome::NoSkin : PictureFiles::Outcome::Unreadable;
        files.Reason = why.isEmpty() ? NoMainBmp() : Unreadable(why);
        return files;
    }
    // A later member of the same name replaces an earlier one.
    for (SkinArchiveFile& file : contents.Files) {
        const std::string name = FoldFileName(file.Name);
        if (name == kMainName)
            files.Main = std::move(file.Bytes);
        else if (name == kTitleBarName)
            files.TitleBar = std::move(file.Bytes);
    }
    files.Result = PictureFiles::Outcome::Found;
    return files;
}

std::optional<std::string> ReadIfThere(const fs::path& folder, std::string_view name, const ExtractionLimits& limits)
{
    const auto path = FindFileNoCase(folder, name);
    if (!path || !IsRegularFile(*path))
        return std::nullopt;
    return ReadFileBytes(*path, limits.MaxMemberBytes);
}

} // namespace

PictureFiles ReadPictureFiles(const fs::path& source)
{
    std::error_code error;
    const fs::file_status status = fs::status(source, error);
    if (fs::is_directory(status)) {
        PictureFiles files;
        try {
            const ExtractionLimits limits;
            const auto main = ReadIfThere(source, kMainName, limits);
            if (!main) {
                files.Reason = NoMainBmp();
                return files;
            }
            files.Main = *main;
            files.TitleBar = ReadIfThere(source, kTitleBarName, limits);
            files.Result = PictureFiles::Outcome::Found;
        } catch (const AppError& failure) {
            files.Result = PictureFiles::Outcome::Unreadable;
            files.Reason = failure.message();
        }
        return files;
    }
    if (!fs::is_regular_file(status) || !HasSkinArchiveExtension(source)) {
        PictureFiles files;
        files.Reason = NoMainBmp();
        return files;
    }
    return ReadArchivePictureFiles(source);
}

} // namespace tf
