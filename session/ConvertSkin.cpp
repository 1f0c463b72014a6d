#include "session/ConvertSkin.h"

#include "output/SaveSkin.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderCreation.h"
#include "platform/Prompts.h"
#include "session/OpenSkin.h"
#include "session/PreparedSource.h"
#include "session/WorkFolder.h"
#include "skin/SkinSession.h"

#include <QCoreApplication>
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

} // namespace

ConversionResult ConvertSkin(const fs::path& dataFolder, const ConversionJob& job,
                             const ConversionOptions& options)
{
    return ConvertSkin(dataFolder, job, options, PrepareSource(job.Source));
}

ConversionResult ConvertSkin(const fs::path& dataFolder, const ConversionJob& job,
                             const ConversionOptions& options, const PreparedSource& prepared)
{
    ConversionResult result;
    WarningPrompts prompts;
    std::vector<fs::path> made; // the output folders this conversion created
    // How the files of the source are named in the converter's lines: an
    // archive's members by the archive.
    ShownPaths names;
    try {
        // Refused before anything is created, the output folder included.
        CheckSaveTarget(job.SsfPath, IsDirectory(job.Source) ? job.Source : fs::path());
        // Every conversion starts as a fresh start of the window does.
        SkinSession session(dataFolder, prompts);
        InitializeSession(session);
        session.Editor.ShowEqualizer = options.ShowEqualizer;
        session.Editor.EqualizerOnTop = options.EqualizerOnTop;
        session.State.PlaylistWidthSteps = options.PlaylistWidthSteps;
        session.State.PlaylistHeightSteps = options.PlaylistHeightSteps;

        const OpenResult opened = OpenPreparedSource(session, prepared);
        names = opened.Names;
        for (const AppError& notice : opened.Notices)
            if (notice.kind() != ErrorKind::DamagedArchive)
                prompts.add(notice.message(names));
        // What came out of a damaged archive is not converted: it may lack
        // what the archive held. (The archive is read in memory, where only
        // the skin's files are inflated; damage to any other member's data
        // goes unseen and costs the skin nothing.)
        if (const AppError* damage = opened.archiveError())
            throw *damage;
        if (!opened.loaded())
            throw *opened.Error;
        ApplyOptions(session.State, options);

        std::error_code error;
        made = CreateMissingFolders(SaveFolder(job.SsfPath), error);
        if (error)
            throw AppError(ErrorKind::FileCreate, QCoreApplication::translate("Session", "フォルダ %1 を作成できません。%2")
                                                      .arg(DisplayPath(SaveFolder(job.SsfPath)),
                                                           QString::fromStdString(error.message())));
        SaveSkin(session, job.SsfPath);
        result.Converted = true;
    } catch (const AppError& failure) {
        result.Error = failure.message(names);
    } catch (const std::exception& failure) {
        result.Error = QString::fromLocal8Bit(failure.what());
    }
    // A skin that failed (a full disk, say) leaves no empty folder behind.
    if (!result.Converted)
        RemoveFoldersIfEmpty(made);
    result.Warnings = prompts.warnings();
    return result;
}

} // namespace tf
