#include "output/SaveSkin.h"

#include "output/DefinitionWriter.h"
#include "output/PositionMask.h"
#include "platform/ImageFile.h"
#include "platform/SafeFileWriter.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/NameLimit.h"
#include "platform/ShiftJis.h"

#include <QFile>
#include <QLockFile>
#include <algorithm>
#include <array>
#include <functional>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr int kJoinedImageHeight = 2 * kWindowHeight;
// A save takes well under a second; a lock held longer belongs to a hung run.
constexpr int kLockWait = 60 * 1000;

// Hands each file of the skin, encoded, to a sink in the order they are
// saved: a list in memory, or the staged files of a save, which so holds one
// image at a time.
using FileSink = std::function<void(const std::string& name, const QByteArray& bytes)>;

class ImageWriter {
public:
    explicit ImageWriter(const FileSink& sink) : m_sink(sink) {}

    // An empty picture has no pixels to write; the definition file still
    // names it, as it does whatever the folder holds.
    void write(const char* name, const Bitmap& image) const
    {
        if (!image.isEmpty())
            m_sink(name, EncodeBmp24(image.image()));
    }

private:
    const FileSink& m_sink;
};

void WriteSkinImages(const ImageWriter& writer, const SkinSession& session, int32_t mainOffset,
                     int32_t eqOffset);

void BuildSkinFilesInto(const SkinSession& session, const fs::path& ssfPath, const FileSink& sink)
{
    WriteSkinImages(ImageWriter(sink), session, MainPartTop(session.Editor), EqPartTop(session.Editor));
    // The definition files come last, so a player reading them finds the new
    // images already in place.
    const DefinitionFiles definitions = BuildDefinitionFiles(session, ssfPath);
    sink(ssfPath.filename().string(), QByteArray::fromStdString(definitions.plain));
    if (session.Editor.ShowEqualizer)
        sink(EqDefinitionPath(ssfPath).filename().string(), QByteArray::fromStdString(definitions.eq));
}

struct JoinedImage {
    const char* name;
    const Bitmap SkinState::*main;
    const Bitmap SkinState::*equalizer;
};

constexpr std::array<JoinedImage, 3> kJoinedImages = {{
    {"MainNormal_EQ.bmp", &SkinState::MainNormalImage, &SkinState::EqNormalImage},
    {"MainPressed_EQ.bmp", &SkinState::MainPressedImage, &SkinState::EqPressedImage},
    {"MainInactive_EQ.bmp", &SkinState::MainInactiveImage, &SkinState::EqInactiveImage},
}};

void WriteJoinedImages(const ImageWriter& writer, const SkinState& state, Bitmap& working,
                       int32_t mainOffset, int32_t eqOffset)
{
    working.setSize(kWindowWidth, kJoinedImageHeight);
    const Rect whole{0, 0, kWindowWidth, kWindowHeight};
    for (const JoinedImage& joined : kJoinedImages) {
        // Black first, so that a part smaller than its half never shows the
        // previous pair's pixels.
        working.fillAll(kBlack);
        working.copy(state.*joined.equalizer, whole, whole.translated(0, eqOffset));
        working.copy(state.*joined.main, whole, whole.translated(0, mainOffset));
        writer.write(joined.name, working);
    }
}

void WritePositionMasks(const ImageWriter& writer, const SkinSession& session, Bitmap& working,
                        int32_t mainOffset)
{
    const SkinState& state = session.State;
    if (state.HasPanImage) {
        ComposePositionMask(working, kWindowWidth, kWindowHeight, kPanBarRect);
        writer.write("PanMask.bmp", working);
    }
    if (state.HasVolumeImage) {
        ComposePositionMask(working, kWindowWidth, kWindowHeight, kVolumeBarRect);
        writer.write("VolMask.bmp", working);
    }
    // The EQ file names both joined masks whatever strips the skin has.
    if (session.Editor.ShowEqualizer) {
        ComposePositionMask(working, kWindowWidth, kJoinedImageHeight,
                            kPanBarRect.translated(0, mainOffset));
        writer.write("PanMask_EQ.bmp", working);
        ComposePositionMask(working, kWindowWidth, kJoinedImageHeight,
                            kVolumeBarRect.translated(0, mainOffset));
        writer.write("VolMask_EQ.bmp", working);
    }
}

void WriteSkinImages(const ImageWriter& writer, const SkinSession& session, int32_t mainOffset,
                     int32_t eqOffset)
{
    const SkinState& state = session.State;
    const PreviewPictures& previews = session.Previews;
    Bitmap working(kWindowWidth, kWindowHeight);

    writer.write("MainNormal.bmp", state.MainNormalImage);
    writer.write("MainPressed.bmp", state.MainPressedImage);
    writer.write("MainInactive.bmp", state.MainInactiveImage);
    if (session.Editor.ShowEqualizer)
        WriteJoinedImages(writer, state, working, mainOffset, eqOffset);
    // The definition names a pressed playlist picture; the playlist has one look.
    writer.write("PlayListNormal.bmp", previews.Playlist);
    writer.write("PlayListPressed.bmp", previews.Playlist);
    if (state.ShowTime)
        writer.write("Numbers.bmp", previews.TimeDigits);
    if (state.ShowAnalyzer)
        writer.write("Analyzer.bmp", previews.Analyzer);
    if (state.ShowSeekBar) {
        writer.write("PosBar1.bmp", state.PosBarImage1);
        writer.write("PosBar2.bmp", state.PosBarImage2);
    }
    if (state.HasPanImage)
        writer.write("Pan.Bmp", state.PanImage);
    if (state.HasVolumeImage)
        writer.write("Vol.Bmp", state.VolumeImage);
    WritePositionMasks(writer, session, working, mainOffset);
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
    return ssfPath.parent_path() / ("." + ssfPath.filename().string() + ".lock");
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
                       QStringLiteral("保存する名前 \"%1\" に制御文字があります").arg(ControlsEscaped(name)));
    // The definition files name each other in Shift-JIS.
    if (!IsCp932Representable(name))
        throw AppError(ErrorKind::FileCreate,
                       QStringLiteral("保存する名前 \"%1\" は Shift-JIS で書けない文字を含みます").arg(name));
    const fs::path folder = ssfPath.parent_path();
    const size_t limit = MaxFileNameBytes(folder);
    std::vector<std::string> names = SkinFileNames(ssfPath);
    names.push_back(LockPath(ssfPath).filename().string());
    for (const std::string& fileName : names)
        if (fileName.size() + kTemporarySuffixBytes > limit)
            throw AppError(ErrorKind::FileCreate,
                           QStringLiteral("ファイル名 \"%1\" が長すぎます (%2 バイトまで)")
                               .arg(PathToQString(fs::path(fileName)))
                               .arg(limit - kTemporarySuffixBytes));
    // Saving into the skin would mix the new files with the skin's own and be
    // read back as part of it.
    if (!skinFolder.empty() && LiesWithin(folder.empty() ? fs::path(".") : folder, skinFolder))
        throw AppError(ErrorKind::FileCreate,
                       QStringLiteral("保存先 \"%1\" はスキンのフォルダ \"%2\" の中です。別のフォルダを選んでください")
                           .arg(DisplayPath(folder), DisplayPath(skinFolder)));
}

void SaveSkin(const SkinSession& session, const fs::path& ssfPath, FileCreator& creator)
{
    const fs::path skinFolder = session.State.SourceFilePaths[size_t(kMainBmp)].parent_path();
    CheckSaveTarget(ssfPath, skinFolder);

    // One writer at a time per definition file; the lock of a process that
    // died is taken over.
    QLockFile lock(PathToQString(LockPath(ssfPath)));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kLockWait)) {
        if (lock.error() == QLockFile::LockFailedError)
            throw AppError(ErrorKind::FileCreate,
                           QStringLiteral("ファイル \"%1\" は別の保存が使用中です").arg(DisplayPath(ssfPath)));
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
