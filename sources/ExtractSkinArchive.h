#pragma once

#include "skin/SkinSession.h"

#include <filesystem>

namespace tf {

// True when the file name ends in ".zip" or ".wsz", in any letter case.
bool HasSkinArchiveExtension(const std::filesystem::path& path);

// Opens a skin archive: empties the working folder, copies the archive
// there as "tmp.zip", unpacks it into its "Skin" folder, finds the folder
// that holds main.bmp and loads the skin from it. A name without a skin
// archive extension only empties the working folder. Errors of the load
// reach the caller as AppError; SkinLoaded is set only after it succeeds.
void ExtractSkinArchive(SkinSession& session, const std::filesystem::path& archivePath);

} // namespace tf
