#pragma once

#include "skin/SkinState.h"

#include <filesystem>

namespace tf {

// The playlist window picture (Image2) at 275 + 25 w by 116 + 29 h, tiled
// from pledit.bmp, its text area filled with the background colour of
// pledit.txt. Stores w and h as the playlist steps. False, and nothing
// changed, when pledit.bmp does not exist.
bool ComposePlaylist(SkinState& state, PreviewPictures& previews,
                     const std::filesystem::path& pleditBmpPath,
                     const std::filesystem::path& pleditTxtPath, int32_t widthSteps,
                     int32_t heightSteps);

} // namespace tf
