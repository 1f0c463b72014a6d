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
// what a missing file would have drawn keeps the previous skin's pixels. On a
// fresh start, where there are none, the pictures the definition files name
// come from the bundled sample (the playlist, the seek bar, the time digits)
// or from the classic player's own analyzer colours, with a warning each.
//
// An optional file that cannot be used (not a picture, empty, cut short) is
// passed over as if it were missing, with a warning naming it. Any other
// error (main.bmp, the program's own data) stops the load; what was composed
// before it stays.
void LoadSkin(SkinSession& session);

// What the settings panel draws again after a change, from the files the
// last load drew it from (State.RedrawSources): the skin's own, or the
// bundled sample's standing in. A picture kept from an earlier skin is left
// as it is.
void RedrawTimeDigits(SkinSession& session);
void RedrawPlaylist(SkinSession& session, int32_t widthSteps, int32_t heightSteps);
void RedrawAnalyzerPattern(SkinSession& session);

} // namespace tf
