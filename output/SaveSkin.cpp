#include "output/SaveSkin.h"

#include "korvel/SkinFormat.h"
#include "output/DefinitionWriter.h"
#include "output/SkinImages.h"
#include "platform/ControlEscape.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FileIdentity.h"
#include "platform/FolderLock.h"
#include "platform/ImageFile.h"
#include "platform/NameLimit.h"
#include "platform/SafeFileWriter.h"
#include "platform/ShiftJis.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <algorithm>
#include <functional>
#include <set>

namespace fs = std::filesystem;

namespace tf {
namespace {

// Hands each file of the skin, encoded, to a sink in the order they are
// saved: a list in memory, or the staged files of a save, which so holds one
// image at a time.
using FileSink = std::function<void(const std::string& name, const QByteArray& bytes)>;

void BuildSkinFilesInto(const SkinSession& session, const fs::path& ssfPath, const FileSink& sink)
{
    // An empty picture has no pixels to write; the definition files leave
    // it out too.
    EncodeSkinImages(session, sink);
    // The definition files come last, so a player reading them finds the new
    // images already in place.
    const DefinitionFiles definitions = BuildDefinitionFiles(session, ssfPath);
    sink(ssfPath.filename().string(), QByteArray::fromStdString(definitions.Plain));
    if (session.Editor.ShowEqualizer)
        sink(EqDefinitionPath(ssfPath).filename().string(), QByteArray::fromStdString(definitions.Eq));
}

// Whether inner is outer or lies inside it, by the folders' identity (what
// the file system says, not how the paths are spelled): a folder named in
// another letter case, by its short name or with a trailing dot on Windows,
// or through a link, is still the same folder. Folders of inner that do
// not exist yet are passed over: they would be made inside their parent.
bool LiesWithin(const fs::path& inner, const fs::path& outer)
{
    const auto target = IdentityOf(outer);
    std::error_code error;
    fs::path at = fs::absolute(inner, error);
    if (!target || error)
        return false;
    for (;;) {
        if (IdentityOf(at) == target)
            return true;
        if (!at.has_relative_path())
            return false;
        at = at.parent_path();
    }
}

// Whether a definition file names any of these images (folded): its values
// are names and numbers between blanks.
bool NamesAnyOf(std::string_view definition, const std::set<std::string>& images)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    size_t at = 0;
    while (at < definition.size()) {
        const size_t start = definition.find_first_not_of(kBlanks, at);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(definition.find_first_of(kBlanks, start), definition.size());
        if (images.count(FoldFileName(definition.substr(start, end - start))))
            return true;
        at = end;
    }
    return false;
}

// The definition files of other skins in the folder that name images this
// save replaces: they would show this skin's images afterwards.
QStringList OtherSkinDefinitions(const fs::path& folder, const fs::path& ssfPath)
{
    std::set<std::string> images;
    for (const std::string& name : SkinFileNames(ssfPath))
        if (!name.ends_with(ssf::kDefinitionExtension))
            images.insert(FoldFileName(name));
    const std::set<std::string> ours = {FoldFileName(ssfPath.filename().string()),
                                        FoldFileName(EqDefinitionPath(ssfPath).filename().string())};
    QStringList others;
    for (const fs::directory_entry& entry : ListFolderSorted(folder)) {
        const std::string folded = FoldFileName(entry.path().filename().string());
        if (!folded.ends_with(ssf::kDefinitionExtension) || ours.count(folded))
            continue;
        try {
            if (NamesAnyOf(ReadFileBytes(entry.path()), images))
                others << PathToQString(entry.path().filename());
        } catch (const AppError&) {
            // Not a file that can be read: no skin the player could show either.
        }
    }
    return others;
}

} // namespace

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
    if (HasControlCharacters(name))
        throw AppError(ErrorKind::FileCreate,
                       QCoreApplication::translate("Save", "保存する名前 \"%1\" に制御文字があります").arg(EscapeControls(name)));
    // The definition files name each other in Shift-JIS.
    if (!IsCp932Representable(name))
        throw AppError(ErrorKind::FileCreate,
                       QCoreApplication::translate("Save", "保存する名前 \"%1\" は Shift-JIS で書けない文字を含みます").arg(name));
    const fs::path folder = SaveFolder(ssfPath);
    const size_t limit = MaxFileNameBytes(folder);
    std::vector<std::string> names = SkinFileNames(ssfPath);
    names.emplace_back(kJournalName);
    for (const std::string& fileName : names)
        if (fileName.size() + kTemporarySuffixBytes > limit)
            throw AppError(ErrorKind::FileCreate,
                           QCoreApplication::translate("Save", "ファイル名 \"%1\" が長すぎます (%2 バイトまで)")
                               .arg(PathToQString(PathFromString(fileName)))
                               .arg(limit - kTemporarySuffixBytes));
    // Saving into the skin would mix the new files with the skin's own and be
    // read back as part of it.
    if (!skinFolder.empty() && LiesWithin(folder, skinFolder))
        throw AppError(ErrorKind::FileCreate,
                       QCoreApplication::translate("Save", "保存先 \"%1\" はスキンのフォルダ \"%2\" の中です。別のフォルダを選んでください")
                           .arg(DisplayPath(folder), DisplayPath(skinFolder)));
}

fs::path SaveFolder(const fs::path& ssfPath)
{
    return ssfPath.has_parent_path() ? ssfPath.parent_path() : fs::path(".");
}

bool SaveSkin(const SkinSession& session, const fs::path& ssfPath, FileCreator& creator, const SaveHooks& hooks)
{
    // A skin read in memory from an archive has no folder on disk to keep apart.
    const fs::path skinFolder
        = session.State.SourceFiles ? fs::path() : session.State.SourceFilePaths[size_t(kMainBmp)].parent_path();
    CheckSaveTarget(ssfPath, skinFolder);
    const fs::path folder = SaveFolder(ssfPath);

    // One writer at a time per folder: every skin in it names its images
    // with the same names.
    const FolderLock lock(folder);
    // A save stopped between its renames is finished first: its temporaries
    // are part of a whole skin, not leftovers.
    CompleteInterruptedCommit(folder, creator);
    std::vector<std::string> names = SkinFileNames(ssfPath);
    names.emplace_back(kJournalName);
    RemoveAbandonedTemporaries(folder, names);

    if (const QStringList others = OtherSkinDefinitions(folder, ssfPath); !others.isEmpty()) {
        const QString warning = QCoreApplication::translate(
            "Save", "フォルダ \"%1\" の別のスキンの定義ファイル %2 は同じ名前の画像を使っています。保存すると、その定義ファイルはこのスキンの画像を表示します")
                                    .arg(DisplayPath(folder), others.join(QStringLiteral(", ")));
        if (hooks.ReplaceOtherSkins) {
            if (!hooks.ReplaceOtherSkins(warning))
                return false;
        } else {
            session.prompts().showMessage(MessageIcon::Warning, QCoreApplication::translate("Skin", "注意"), warning);
        }
    }

    StagedFiles staged(folder, creator);
    BuildSkinFilesInto(session, ssfPath, [&](const std::string& name, const QByteArray& bytes) {
        staged.add(name, std::string_view(bytes.constData(), size_t(bytes.size())));
    });
    staged.commit(true);
    return true;
}

bool CompleteInterruptedSave(const fs::path& folder)
{
    if (!HasInterruptedCommit(folder))
        return false;
    const FolderLock lock(folder);
    return CompleteInterruptedCommit(folder);
}

} // namespace tf
