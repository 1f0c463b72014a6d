#pragma once

#include "platform/Prompts.h"
#include "skin/SkinState.h"

#include <QSize>

#include <filesystem>

namespace tf {

// Picture size of the playlist window at w width steps and h height steps.
// The smallest playlist is as large as the main window.
constexpr int32_t kPlaylistBaseWidth = kWindowWidth;
constexpr int32_t kPlaylistBaseHeight = kWindowHeight;
constexpr int32_t kPlaylistWidthStep = 25;
constexpr int32_t kPlaylistHeightStep = 29;

// The most steps a user asks for on either side (the converter's option, the
// window's size boxes and its drag): even at both, the picture (3875 x 4292)
// stays within what a bitmap file may hold to be read again
// (kMaxDecodedPixels), so "preview" and "check" read every playlist written.
constexpr int32_t kMaxPlaylistSteps = 144;
static_assert((kPlaylistBaseWidth + int64_t(kPlaylistWidthStep) * kMaxPlaylistSteps)
                  * (kPlaylistBaseHeight + int64_t(kPlaylistHeightStep) * kMaxPlaylistSteps)
              <= kMaxDecodedPixels);

struct PlaylistSteps {
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const PlaylistSteps&) const = default;
};

// The step counts ComposePlaylist actually uses: negative counts become 0
// (the tiling has no meaning below the base size), and counts whose picture
// would make a picture too large to be read again (kMaxDecodedPixels)
// become the largest that fit, width first.
PlaylistSteps ClampPlaylistSteps(int32_t widthSteps, int32_t heightSteps);

// The playlist window picture (Image2) at 275 + 25 w by 116 + 29 h, tiled
// from pledit.bmp, its text area filled with the background colour of
// pledit.txt (ReadPlaylistColors, which warns through prompts when given).
// Stores w and h (after ClampPlaylistSteps) as the playlist steps. False,
// and nothing changed, when pledit.bmp does not exist.
bool ComposePlaylist(SkinState& state, PreviewPictures& previews,
                     const std::filesystem::path& pleditBmpPath,
                     const std::filesystem::path& pleditTxtPath, int32_t widthSteps,
                     int32_t heightSteps, Prompts* prompts = nullptr);

// Picture size for the playlist step counts, as ComposePlaylist makes it.
QSize PlaylistPictureSize(int32_t widthSteps, int32_t heightSteps);

} // namespace tf
