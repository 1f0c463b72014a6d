#include "skin/Playlist.h"

#include "platform/Bitmap.h"
#include "skin/PlaylistColors.h"

#include <algorithm>
#include <system_error>

namespace tf {
namespace {

// Pieces of pledit.bmp.
constexpr Rect kTopLeftCorner{0, 0, 25, 20};
constexpr Rect kTitle{26, 0, 126, 20};
constexpr Rect kTopFiller{127, 0, 152, 20};
constexpr Rect kTopRightCorner{153, 0, 178, 20};
constexpr Rect kLeftSide{0, 42, 25, 71};
constexpr Rect kRightSide{26, 42, 51, 71};
constexpr Rect kBottomLeftCorner{0, 72, 125, 110};
constexpr Rect kBottomFiller{179, 0, 204, 38};
constexpr Rect kBottomRightCorner{126, 72, 276, 110};

constexpr int32_t kTopHeight = 20;

// A piece copied 1 to 1 with its top-left corner at (x, y).
void Place(Bitmap& picture, const Bitmap& source, const Rect& piece, int32_t x, int32_t y)
{
    picture.copy(source, piece,
                 {x, y, x + int32_t(piece.width()), y + int32_t(piece.height())});
}

// Draws the frame and returns the right tile's x and the bottom row's y.
Point DrawFrame(Bitmap& picture, const Bitmap& source, PlaylistSteps steps)
{
    Place(picture, source, kTopLeftCorner, 0, 0);
    int32_t x = 25;
    for (int32_t i = 0; i < steps.Width + 9; ++i, x += 25)
        Place(picture, source, kTopFiller, x, 0);
    // The title goes over the fillers, centred.
    Place(picture, source, kTitle, (picture.width() - 100) / 2, 0);
    Place(picture, source, kTopRightCorner, x, 0);

    int32_t y = kTopHeight;
    for (int32_t i = 0; i < steps.Height + 2; ++i, y += 29) {
        Place(picture, source, kLeftSide, 0, y);
        Place(picture, source, kRightSide, x, y);
    }

    Place(picture, source, kBottomLeftCorner, 0, y);
    int32_t bottomX = 125;
    for (int32_t i = 0; i < steps.Width; ++i, bottomX += 25)
        Place(picture, source, kBottomFiller, bottomX, y);
    Place(picture, source, kBottomRightCorner, bottomX, y);
    return {x, y};
}

} // namespace

PlaylistSteps ClampPlaylistSteps(int32_t widthSteps, int32_t heightSteps)
{
    constexpr int32_t maxWidthSteps = (kMaxBitmapSide - kPlaylistBaseWidth) / kPlaylistWidthStep;
    const int32_t width = std::clamp(widthSteps, 0, maxWidthSteps);
    const long long pictureWidth = kPlaylistBaseWidth + 25LL * width;
    const long long maxHeight = std::min<long long>(kMaxBitmapSide, kMaxDecodedPixels / pictureWidth);
    const int32_t maxHeightSteps = int32_t((maxHeight - kPlaylistBaseHeight) / kPlaylistHeightStep);
    return {width, std::clamp(heightSteps, 0, maxHeightSteps)};
}

QSize PlaylistPictureSize(int32_t widthSteps, int32_t heightSteps)
{
    const PlaylistSteps steps = ClampPlaylistSteps(widthSteps, heightSteps);
    return {kPlaylistBaseWidth + kPlaylistWidthStep * steps.Width,
            kPlaylistBaseHeight + kPlaylistHeightStep * steps.Height};
}

bool ComposePlaylist(SkinState& state, PreviewPictures& previews,
                     const std::filesystem::path& pleditBmpPath,
                     const std::filesystem::path& pleditTxtPath, int32_t widthSteps,
                     int32_t heightSteps, Prompts* prompts)
{
    if (!SourceFilesOf(state).isRegularFile(pleditBmpPath))
        return false;
    const PlaylistSteps steps = ClampPlaylistSteps(widthSteps, heightSteps);
    state.PlaylistWidthSteps = steps.Width;
    state.PlaylistHeightSteps = steps.Height;

    const Bitmap source = previews.SourceImages.load(SourceFilesOf(state), pleditBmpPath);
    ReadPlaylistColors(state, pleditTxtPath, prompts);

    // Where a small pledit.bmp leaves pixels undrawn they are black, never
    // what an earlier skin left there. A picture of the same size is reused,
    // and only its frame blackened (the text area is filled below): this
    // runs on every step of a drag.
    const QSize size = PlaylistPictureSize(steps.Width, steps.Height);
    const int32_t width = size.width();
    const int32_t height = size.height();
    Bitmap picture = std::move(previews.Playlist);
    previews.Playlist = Bitmap();
    if (picture.width() != width || picture.height() != height)
        picture = Bitmap(width, height);
    // The text area overlaps the right tiles by 5 pixels and the bottom row by 1.
    const Rect text{12, kTopHeight, width - 20, height - 37};
    for (const Rect& band : {Rect{0, 0, width, text.top}, Rect{0, text.bottom, width, height},
                             Rect{0, text.top, text.left, text.bottom},
                             Rect{text.right, text.top, width, text.bottom}})
        picture.fill(band, kBlack);
    const Point corner = DrawFrame(picture, source, steps);
    state.PlaylistTextRect = {12, kTopHeight, corner.x + 5, corner.y + 1};
    picture.fill(state.PlaylistTextRect, state.PlaylistNormalBGColor);
    previews.Playlist = std::move(picture);
    return true;
}

} // namespace tf
