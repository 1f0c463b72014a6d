#include "session/ConvertSkin.h"

#include "output/SaveSkin.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ProcessAlive.h"
#include "platform/ProcessFolders.h"
#include "platform/Prompts.h"
#include "session/OpenSkin.h"
#include "skin/SkinSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

// Answers every box with its default button and keeps the texts as warnings.
class WarningPrompts : public Prompts {
public:
    MessageAnswer showMessage(MessageIcon, const QString&, const QString& text) override
    {
        add(text);
        return MessageAnswer::Ok;
    }
    void add(const QString& text)
    {
        if (!m_warnings.contains(text))
            m_warnings.append(text);
    }
    const QStringList& warnings() const { return m_warnings; }

private:
    QStringList m_warnings;
};

// The load resets the display flags, so the options come after it.
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

bool IsDirectory(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

// The pid in the name tells a later run whether the folder's owner still runs.
const QLatin1String kWorkFolderPrefix("tessaform-");

QString WorkFolderTemplate()
{
    return QDir::tempPath() + QLatin1Char('/') + kWorkFolderPrefix
        + QString::number(CurrentProcessId()) + QStringLiteral("-XXXXXX");
}

} // namespace

void RemoveAbandonedWorkFolders()
{
    RemoveFoldersOfEndedProcesses(QStringToPath(QDir::tempPath()), kWorkFolderPrefix);
}

ConversionResult ConvertSkin(const fs::path& dataFolder, const ConversionJob& job,
                             const ConversionOptions& options)
{
    ConversionResult result;
    WarningPrompts prompts;
    try {
        // Refused before anything is created, the output folder included.
        CheckSaveTarget(job.SsfPath, IsDirectory(job.Source) ? job.Source : fs::path());
        QTemporaryDir unpack(WorkFolderTemplate());
        if (!unpack.isValid())
            throw AppError(ErrorKind::FileCreate,
                           QCoreApplication::translate("Session", "作業フォルダを作成できません: %1").arg(unpack.errorString()));
        // Every conversion starts as a fresh start of the window does.
        SkinSession session(dataFolder, prompts);
        InitializeSession(session);
        session.Editor.ShowEqualizer = options.ShowEqualizer;
        session.Editor.EqualizerOnTop = options.EqualizerOnTop;
        session.State.PlaylistWidthSteps = options.PlaylistWidthSteps;
        session.State.PlaylistHeightSteps = options.PlaylistHeightSteps;

        const OpenResult opened = OpenSkinSource(session, job.Source, QStringToPath(unpack.path()) / "tmp");
        for (const QString& notice : opened.Notices)
            if (notice != opened.ArchiveError)
                prompts.add(notice);
        // What came out of a damaged archive is not converted: it may lack
        // what the archive held.
        if (!opened.ArchiveError.isEmpty())
            throw AppError(ErrorKind::Other, opened.ArchiveError);
        if (!opened.loaded())
            throw AppError(ErrorKind::Other, opened.Error);
        ApplyOptions(session.State, options);

        std::error_code error;
        fs::create_directories(job.SsfPath.parent_path(), error);
        if (error)
            throw AppError(ErrorKind::FileCreate, QCoreApplication::translate("Session", "フォルダ %1 を作成できません。%2")
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
