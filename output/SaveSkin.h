#pragma once

#include "platform/SafeFileWriter.h"
#include "skin/SkinSession.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tf {

// Every file of the Korvel skin, in memory and in the order they are saved:
// the images of the session, the joined main-and-equalizer images and the
// position images while the equalizer is shown, then the definition file
// named like ssfPath and, while the equalizer is shown, its "_EQ.ssf"
// partner. Lets a skin be shown or checked without writing it.
std::vector<NamedFile> BuildSkinFiles(const SkinSession& session, const std::filesystem::path& ssfPath);

// The names any save to ssfPath may write, whatever its settings.
std::vector<std::string> SkinFileNames(const std::filesystem::path& ssfPath);

// Refuses, with AppError(FileCreate) and before anything is written, a target
// whose name has a control character or a character Shift-JIS cannot hold,
// whose files' names (with a temporary suffix) are too long for the file
// system, or whose folder is skinFolder or lies inside it (skinFolder may be
// empty: no skin folder to keep apart).
void CheckSaveTarget(const std::filesystem::path& ssfPath, const std::filesystem::path& skinFolder);

// Writes the skin into the folder of ssfPath whole or not at all, after
// CheckSaveTarget against the folder the session's skin was loaded from.
// Holds a lock beside ssfPath while writing, so saves to one target run one
// after the other; first removes temporaries that killed runs left of these
// names. Only files of SkinFileNames are touched. A file that cannot be
// written fails the save with AppError(FileCreate) naming it, and leaves the
// folder as it was.
void SaveSkin(const SkinSession& session, const std::filesystem::path& ssfPath,
              FileCreator& creator = DiskFileCreator());

} // namespace tf
