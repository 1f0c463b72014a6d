#pragma once

// Where the main window goes on the screen, frame included.

#include <QMargins>
#include <QRect>

namespace tf {

// The frame a window manager puts around a window, until the real one is
// known: a title bar and thin borders.
inline constexpr QMargins kAssumedFrame{4, 30, 4, 4};

// The frame rectangle to use for a window that wants wantedFrame on a screen
// whose free area is available: wantedFrame itself when it fits whole, else
// the wanted size, cut to the free area where larger, centred on it.
QRect PlaceWindowFrame(const QRect& wantedFrame, const QRect& available);

} // namespace tf
