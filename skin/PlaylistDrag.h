#pragma once

// Resizing the playlist preview by dragging its right edge, its bottom edge
// or its corner: which handle a pointer position hits, and which step counts
// a move asks for. Positions are in the coordinates of the control that
// receives the mouse event, compared with the playlist picture's size.

#include "platform/Geometry.h"
#include "skin/Playlist.h"

#include <optional>

namespace tf {

enum class PlaylistDragMode { None = -1, Corner = 0, RightEdge = 1, BottomEdge = 2 };

struct PlaylistDrag {
    bool Active = false;                        // PlaylistDragActive
    PlaylistDragMode Mode = PlaylistDragMode::None; // PlaylistDragMode
};

// The handle within 4 pixels of the picture's right or bottom edge
// (width x height), corner first.
PlaylistDragMode HitTestPlaylist(Point position, int width, int height);

// A button press: a handle starts a drag in its mode; anywhere else ends it.
PlaylistDrag StartPlaylistDrag(Point position, int width, int height);

// The step counts a move of an active drag asks ComposePlaylist for, or
// nothing when the move changes nothing. A position left of or above the
// base size keeps the current count of that side; an edge drag keeps the
// other side's count.
std::optional<PlaylistSteps> PlaylistDragStep(const PlaylistDrag& drag, Point position,
                                              PlaylistSteps current);

} // namespace tf
