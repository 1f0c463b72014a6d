#pragma once

// Composition of the three main-window images (normal, pressed, inactive)
// and the three equalizer images from the Winamp bitmaps, and the text
// colours. Each step is given its source bitmap already loaded.

#include "app/FuncUnit.h"
#include "platform/Bitmap.h"
#include "platform/Prompts.h"
#include "skin/SkinState.h"

namespace tf {

// Fills the main images with magenta and clips them to the outline of
// region.txt, and the same for the equalizer images when they are composed
// in this load (withEqualizer): an equalizer left out keeps its images. The
// clips stay until ClearWindowClips.
void ComposeWindowOutline(SkinState& state, const TStringList& regionLines, bool withEqualizer);
void ClearWindowClips(SkinState& state);

void ComposeMainBackground(SkinState& state, const Bitmap& mainBmp);
void ComposeEqualizer(SkinState& state, const Bitmap& eqmainBmp, Prompts& prompts);
void ComposeTransportButtons(SkinState& state, const Bitmap& cbuttonsBmp);
void ComposeTitleBar(SkinState& state, const Bitmap& titlebarBmp);
void ComposeShuffleRepeat(SkinState& state, const Bitmap& shufrepBmp);
void ComposeMonoStereo(SkinState& state, const Bitmap& monosterBmp);
// The seek-bar thumb, released and pressed, 29 pixels wide.
void ComposeSeekBar(SkinState& state, const Bitmap& posbarBmp);
// TextColor and ShadowColor sampled from text.bmp.
void PickTextColors(SkinState& state, const Bitmap& textBmp);

} // namespace tf
