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

MemberNames::MemberNames(const fs::path& extractedRoot, const fs::path& archive)
    : m_root(DisplayPath(extractedRoot))
    , m_archive(PathToQString(archive.filename()))
{
}

QString MemberNames::operator()(QString text) const
{
    if (m_root.isEmpty())
        return text;
    text.replace(m_root + QDir::separator(), m_archive + QCoreApplication::translate("Session", " の "));
    return text.replace(m_root, m_archive);
}

QString NoSkinMessage()
{
    return QCoreApplication::translate("Session", "Main.bmpがありません。Winampのスキンでない可能性があります");
}

QString NotARegularFile(const fs::path& path)
{
    return QCoreApplication::translate("Session", "%1 は通常のファイルではないため読み込めません").arg(DisplayPath(path));
}

bool ReportArchiveReading(const fs::path& archive, const ExtractionReport& report, bool hasSkinFolder,
                          const MemberNames& names, OpenResult& result)
{
    // The archive is the only file named here: it was read into memory, so
    // the library's texts name no other.
    result.ArchiveError = names(DescribeArchiveError(archive, archive, report));
    const QString limit = names(DescribeExtractionLimit(archive, report));
    const bool refusedWhole = report.LimitHit == ExtractionLimit::ArchiveSize
        || report.LimitHit == ExtractionLimit::ListedMembers;
    for (const QString& notice : {refusedWhole ? QString() : limit, names(DescribeSkippedMembers(archive, report))})
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

} // namespace

void LoadSetSource(SkinSession& session, OpenResult& result, const MemberNames& names)
{
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

} // namespace tf
