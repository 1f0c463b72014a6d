#include "output/SaveSkin.h"

#include "output/DefinitionWriter.h"
#include "output/SkinImages.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ImageFile.h"
#include "platform/NameLimit.h"
#include "platform/SafeFileWriter.h"
#include "platform/ShiftJis.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <algorithm>
#include <chrono>
#include <functional>

namespace fs = std::filesystem;

namespace tf {
namespace {

// A save takes well under a second; a lock held longer belongs to a hung run.
constexpr int kLockWait = 60 * 1000;

// Hands each file of the skin, encoded, to a sink in the order they are
// saved: a list in memory, or the staged files of a save, which so holds one
// image at a time.
using FileSink = std::function<void(const std::string& name, const QByteArray& bytes)>;

void BuildSkinFilesInto(const SkinSession& session, const fs::path& ssfPath, const FileSink& sink)
{
    // An empty picture has no pixels to write; the definition files leave
    // it out too.
    for (const SkinImageSource& source : ListSkinImages(session)) {
        const Bitmap image = source.Compose();
        if (!image.isEmpty())
            sink(source.Name, EncodeBmp24(image.image()));
    }
    // The definition files come last, so a player reading them finds the new
    // images already in place.
    const DefinitionFiles definitions = BuildDefinitionFiles(session, ssfPath);
    sink(ssfPath.filename().string(), QByteArray::fromStdString(definitions.plain));
    if (session.Editor.ShowEqualizer)
        sink(EqDefinitionPath(ssfPath).filename().string(), QByteArray::fromStdString(definitions.eq));
}

QString ControlsEscaped(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

bool LiesWithin(const fs::path& inner, const fs::path& outer)
{
    std::error_code error;
    const fs::path a = fs::weakly_canonical(fs::absolute(inner, error), error);
    const fs::path b = fs::weakly_canonical(fs::absolute(outer, error), error);
    if (error)
        return false;
    const auto [end, ignored] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    // "skin/" ends in an empty element, which "skin/out" need not match.
    return end == b.end() || (std::next(end) == b.end() && end->empty());
}

fs::path LockPath(const fs::path& ssfPath)
{
    return ssfPath.parent_path() / PathFromString("." + ssfPath.filename().string() + ".lock");
}

// A run killed between creating its lock file and writing its id into it
// leaves the file empty, and QLockFile never takes over a lock whose owner it
// cannot read. A live run writes its id at once, so an empty lock older than
// a few seconds is nobody's.
void RemoveOwnerlessLock(const fs::path& lockPath)
{
    std::error_code error;
    if (fs::file_size(lockPath, error) != 0 || error)
        return;
    const auto age = fs::file_time_type::clock::now() - fs::last_write_time(lockPath, error);
    if (!error && age > std::chrono::seconds(10))
        fs::remove(lockPath, error);
}

} // namespace

std::vector<std::string> SkinFileNames(const fs::path& ssfPath)
{
    std::vector<std::string> names = {
        "MainNormal.bmp", "MainPressed.bmp", "MainInactive.bmp", "MainNormal_EQ.bmp", "MainPressed_EQ.bmp",
        "MainInactive_EQ.bmp", "PlayListNormal.bmp", "PlayListPressed.bmp", "Numbers.bmp", "Analyzer.bmp",
        "PosBar1.bmp", "PosBar2.bmp", "Pan.Bmp", "Vol.Bmp", "PanMask.bmp", "VolMask.bmp", "PanMask_EQ.bmp",
        "VolMask_EQ.bmp"};
    names.push_back(ssfPath.filename().string());
    names.push_back(EqDefinitionPath(ssfPath).filename().string());
    return names;
}

std::vector<NamedFile> BuildSkinFiles(const SkinSession& session, const fs::path& ssfPath)
{
    std::vector<NamedFile> files;
    BuildSkinFilesInto(session, ssfPath,
                       [&](const std::string& name, const QByteArray& bytes) { files.push_back({name, bytes}); });
    return files;
}

void CheckSaveTarget(const fs::path& ssfPath, const fs::path& skinFolder)
{
    const QString name = PathToQString(ssfPath.filename());
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        throw AppError(ErrorKind::FileCreate,
                       QCoreApplication::translate("Save", "保存する名前 \"%1\" に制御文字があります").arg(ControlsEscaped(name)));
    // The definition files name each other in Shift-JIS.
    if (!IsCp932Representable(name))
        throw AppError(ErrorKind::FileCreate,
                       QCoreApplication::translate("Save", "保存する名前 \"%1\" は Shift-JIS で書けない文字を含みます").arg(name));
    const fs::path folder = ssfPath.parent_path();
    const size_t limit = MaxFileNameBytes(folder);
    std::vector<std::string> names = SkinFileNames(ssfPath);
    names.push_back(LockPath(ssfPath).filename().string());
    for (const std::string& fileName : names)
        if (fileName.size() + kTemporarySuffixBytes > limit)
            throw AppError(ErrorKind::FileCreate,
                           QCoreApplication::translate("Save", "ファイル名 \"%1\" が長すぎます (%2 バイトまで)")
                               .arg(PathToQString(PathFromString(fileName)))
                               .arg(limit - kTemporarySuffixBytes));
    // Saving into the skin would mix the new files with the skin's own and be
    // read back as part of it.
    if (!skinFolder.empty() && LiesWithin(folder.empty() ? fs::path(".") : folder, skinFolder))
        throw AppError(ErrorKind::FileCreate,
                       QCoreApplication::translate("Save", "保存先 \"%1\" はスキンのフォルダ \"%2\" の中です。別のフォルダを選んでください")
                           .arg(DisplayPath(folder), DisplayPath(skinFolder)));
}

void SaveSkin(const SkinSession& session, const fs::path& ssfPath, FileCreator& creator)
{
    const fs::path skinFolder = session.State.SourceFilePaths[size_t(kMainBmp)].parent_path();
    CheckSaveTarget(ssfPath, skinFolder);

    // One writer at a time per definition file; the lock of a process that
    // died is taken over.
    RemoveOwnerlessLock(LockPath(ssfPath));
    QLockFile lock(PathToQString(LockPath(ssfPath)));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kLockWait)) {
        if (lock.error() == QLockFile::LockFailedError)
            throw AppError(ErrorKind::FileCreate,
                           QCoreApplication::translate("Save", "ファイル \"%1\" は別の保存が使用中です").arg(DisplayPath(ssfPath)));
        // QLockFile keeps the system's reason to itself; asking again gets it.
        QFile probe(PathToQString(LockPath(ssfPath)));
        probe.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        ThrowFileCreateError(LockPath(ssfPath), probe.errorString());
    }
    RemoveAbandonedTemporaries(ssfPath.parent_path(), SkinFileNames(ssfPath));
    StagedFiles staged(ssfPath.parent_path(), creator);
    BuildSkinFilesInto(session, ssfPath, [&](const std::string& name, const QByteArray& bytes) {
        staged.add(name, std::string_view(bytes.constData(), size_t(bytes.size())));
    });
    staged.commit();
}

} // namespace tf
