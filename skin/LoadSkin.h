#pragma once

#include "skin/SkinSession.h"

namespace tf {

// Turns the resolved skin folder (SetSkinSource) into the skin state:
// composes the main and equalizer images, the seek-bar pieces, text colours,
// analyzer pattern, slider strips and playlist, applies the plug-in files,
// renders the time digits and refreshes the main and equalizer previews.
//
// It first resets the five font settings, the five display flags (ShowTime,
// ShowInfo, ShowScrollText, ShowSeekBar, ShowAnalyzer) and ScrollTextRect,
// so whoever changes those for a conversion does so after the load; the
// skin's Sexyfont.txt may also set Editor.TransparentTime. The playlist steps,
// the time glyph settings and the analyzer preview scale survive it, and
// what a missing file would have drawn keeps the previous skin's pixels.
//
// The first error a step raises stops the load; what was composed before it
// stays.
void LoadSkin(SkinSession& session);

} // namespace tf
