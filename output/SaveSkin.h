#pragma once

#include "skin/SkinSession.h"

#include <filesystem>

namespace tf {

// Writes the Korvel skin into the folder of ssfPath: the images of the
// session, the joined main-and-equalizer images and the position images
// while the equalizer is shown, then the definition file at ssfPath and,
// while the equalizer is shown, its "_EQ.ssf" partner. Each file replaces
// its namesake whole. The first file that cannot be written stops the save
// with AppError(FileCreate); the files written before it stay.
void SaveSkin(const SkinSession& session, const std::filesystem::path& ssfPath);

} // namespace tf
