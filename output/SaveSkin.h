#pragma once

#include "korvel/SkinFormat.h"
#include "platform/SafeFileWriter.h"
#include "skin/SkinSession.h"

#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tf {

// Every file of the Korvel skin, in memory and in the order they are saved:
// the images of the session, the joined main-and-equalizer images and the
// position images while the equalizer is shown, then the definition file
// named like ssfPath and, while the equalizer is shown, its "_EQ.ssf"
// partner. Lets a skin be shown or checked without writing it.
std::vector<NamedFile> BuildSkinFiles(const SkinSession& session, const std::filesystem::path& ssfPath);

// Refuses, with AppError(FileCreate) and before anything is written, a target
// whose name has a control character or a character Shift-JIS cannot hold,
// whose files' names (with a temporary suffix) are too long for the file
// system, or whose folder is skinFolder or lies inside it (skinFolder may be
// empty: no skin folder to keep apart).
void CheckSaveTarget(const std::filesystem::path& ssfPath, const std::filesystem::path& skinFolder);

// The folder a save to ssfPath writes into: its folder, or the current one
// for a bare name.
std::filesystem::path SaveFolder(const std::filesystem::path& ssfPath);

// What a save may ask of its caller.
struct SaveHooks {
    // Called, with the warning, when the folder holds definition files of
    // other skins that name images this save replaces (they would show this
    // skin's images afterwards): inside the lock, before anything is
    // written. False cancels the save. Without it the save goes on and the
    // warning goes to the session's prompts.
    std::function<bool(const QString& warning)> ReplaceOtherSkins;
};

// Writes the skin into the folder of ssfPath whole or not at all, after
// CheckSaveTarget against the folder the session's skin was loaded from.
// Holds the folder's lock while it works, so saves into one folder run one
// after the other; first completes a save into it that was stopped between
// its renames, and removes the temporaries that killed runs left of these
// names. Only files of SkinFileNames (and the lock and journal) are
// touched. A file that cannot be written fails the save with
// AppError(FileCreate) naming it, and leaves the folder as it was. Returns
// false when hooks cancelled the save.
bool SaveSkin(const SkinSession& session, const std::filesystem::path& ssfPath,
              FileCreator& creator = DiskFileCreator(), const SaveHooks& hooks = {});

// Completes a save into folder that was stopped between its renames (a
// kill, a crash), under the folder's lock. False when there was none; throws
// AppError when it cannot be completed.
bool CompleteInterruptedSave(const std::filesystem::path& folder);

} // namespace tf
