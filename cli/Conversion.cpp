#include "cli/Conversion.h"

#include "output/SaveSkin.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "skin/LoadSkin.h"
#include "skin/SkinSession.h"
#include "sources/ArchiveExtraction.h"
#include "sources/ExtractSkinArchive.h"
#include "sources/SkinFinder.h"

#include <QDir>
#include <QTemporaryDir>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

const QString kNoSkinMessage = QStringLiteral("Main.bmpがありません。Winampのスキンでない可能性があります");

// Answers every box with its default button and keeps the texts as warnings.
class WarningPrompts : public Prompts {
public:
    MessageAnswer showMessage(MessageIcon, const QString&, const QString& text) override
    {
        if (!m_warnings.contains(text))
            m_warnings.append(text);
        return MessageAnswer::Ok;
    }
    const QStringList& warnings() const { return m_warnings; }

private:
    QStringList m_warnings;
};

// The skin folder of the source, unpacking an archive into unpackFolder.
fs::path ResolveSkinFolder(const fs::path& source, const fs::path& unpackFolder, WarningPrompts& prompts)
{
    std::error_code error;
    if (IsSkinArchive(source)) {
        const ExtractionReport report = ExtractArchive(source, unpackFolder);
        const QString limit = DescribeExtractionLimit(source, report);
        if (!limit.isEmpty())
            prompts.showMessage(MessageIcon::Information, QStringLiteral("情報"), limit);
        const fs::path folder = FindSkinFolder(unpackFolder);
        if (folder.empty())
            throw AppError(ErrorKind::Other, kNoSkinMessage);
        return folder;
    }
    if (!fs::is_directory(source, error))
        throw AppError(ErrorKind::FileOpen,
                       QStringLiteral("%1 はスキンのフォルダでも .wsz / .zip ファイルでもありません")
                           .arg(DisplayPath(source)));
    if (!FindFileNoCase(source, "main.bmp"))
        throw AppError(ErrorKind::Other, kNoSkinMessage);
    return source;
}

void ApplyOptions(SkinState& state, const ConversionOptions& options)
{
    if (options.HideTime)
        state.ShowTime = false;
    if (options.HideAnalyzer)
        state.ShowAnalyzer = false;
    if (options.HideSongTitle)
        state.ShowScrollText = false;
    if (options.HideInfo)
        state.ShowInfo = false;
    if (options.HideSeekBar)
        state.ShowSeekBar = false;
}

} // namespace

bool IsSkinArchive(const fs::path& source)
{
    std::error_code error;
    return HasSkinArchiveExtension(source) && fs::is_regular_file(source, error);
}

ConversionResult ConvertSkin(const fs::path& exeFolder, const ConversionJob& job,
                             const ConversionOptions& options)
{
    ConversionResult result;
    WarningPrompts prompts;
    try {
        QTemporaryDir unpack(QDir::tempPath() + QStringLiteral("/tessaform-XXXXXX"));
        if (!unpack.isValid())
            throw AppError(ErrorKind::FileCreate,
                           QStringLiteral("作業フォルダを作成できません: %1").arg(unpack.errorString()));
        // Every conversion starts as a fresh start of the window does.
        SkinSession session(exeFolder, prompts);
        session.App.WorkFolder = QStringToPath(unpack.path()) / "tmp";
        InitializeSession(session);
        const fs::path folder = ResolveSkinFolder(job.Source, QStringToPath(unpack.path()) / "Skin", prompts);

        session.Editor.ShowEqualizer = options.ShowEqualizer;
        session.Editor.EqualizerOnTop = options.EqualizerOnTop;
        session.State.PlaylistWidthSteps = options.PlaylistWidthSteps;
        session.State.PlaylistHeightSteps = options.PlaylistHeightSteps;
        SetSkinSource(session, folder);
        LoadSkin(session);
        ApplyOptions(session.State, options);

        std::error_code error;
        fs::create_directories(job.SsfPath.parent_path(), error);
        if (error)
            throw AppError(ErrorKind::FileCreate, QStringLiteral("フォルダ %1 を作成できません。%2")
                                                      .arg(DisplayPath(job.SsfPath.parent_path()),
                                                           QString::fromStdString(error.message())));
        SaveSkin(session, job.SsfPath);
        result.Converted = true;
    } catch (const AppError& failure) {
        result.Error = failure.message();
    } catch (const std::exception& failure) {
        result.Error = QString::fromLocal8Bit(failure.what());
    }
    result.Warnings = prompts.warnings();
    return result;
}

} // namespace tf
