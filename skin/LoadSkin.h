#pragma once

#include "platform/Geometry.h"
#include "platform/Prompts.h"
#include "skin/SkinSession.h"

namespace tf {

// Turns the resolved skin folder (SetSkinSource) into the skin state: resets
// the fonts, display flags and scroll text rectangle, composes the main and
// equalizer images, the seek-bar pieces, text colours, analyzer pattern,
// slider strips and playlist, applies the plug-in files, renders the time
// digits and refreshes the previews. The first error a step raises stops the
// load; what was composed before it stays.
void LoadSkin(SkinSession& session);

// base grown outward by delta on each side. When a side comes out negative,
// asks "Rectの値が0より小さくなりました。デフォルトの値を使用します。" and
// returns base unchanged when the box is confirmed with OK.
Rect GrowRect(Prompts& prompts, const Rect& base, const Rect& delta);

// Where the main, equalizer and playlist previews stand.
PreviewLayout ApplyEqPlacement(const EditorSettings& editor);

} // namespace tf
