#include "skin/PlaylistDrag.h"

#include <cstdlib>

namespace tf {
namespace {

constexpr int kHandleReach = 4;

bool Near(int64_t a, int64_t b) { return std::llabs(a - b) <= kHandleReach; }

} // namespace

PlaylistDragMode HitTestPlaylist(Point position, int width, int height)
{
    const bool nearRight = Near(position.x, width);
    const bool nearBottom = Near(position.y, height);
    if (nearRight && nearBottom)
        return PlaylistDragMode::Corner;
    if (nearRight && position.y < height)
        return PlaylistDragMode::RightEdge;
    if (position.x < width && nearBottom)
        return PlaylistDragMode::BottomEdge;
    return PlaylistDragMode::None;
}

PlaylistDrag StartPlaylistDrag(Point position, int width, int height)
{
    const PlaylistDragMode mode = HitTestPlaylist(position, width, height);
    return {mode != PlaylistDragMode::None, mode};
}

std::optional<PlaylistSteps> PlaylistDragStep(const PlaylistDrag& drag, Point position,
                                              PlaylistSteps current)
{
    if (!drag.Active)
        return std::nullopt;
    // Integer division truncates toward zero, so positions up to one step
    // short of the base size still give 0; only a negative result keeps the
    // current count.
    int32_t a = (position.x - kPlaylistBaseWidth) / kPlaylistWidthStep;
    int32_t b = (position.y - kPlaylistBaseHeight) / kPlaylistHeightStep;
    if (a < 0)
        a = current.Width;
    if (b < 0)
        b = current.Height;
    if (a == current.Width && b == current.Height)
        return std::nullopt;
    switch (drag.Mode) {
    case PlaylistDragMode::Corner:
        return PlaylistSteps{a, b};
    case PlaylistDragMode::RightEdge:
        return PlaylistSteps{a, current.Height};
    case PlaylistDragMode::BottomEdge:
        return PlaylistSteps{current.Width, b};
    case PlaylistDragMode::None:
        break;
    }
    return std::nullopt;
}

} // namespace tf
