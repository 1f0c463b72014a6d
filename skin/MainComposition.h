#pragma once

// Composition of the three main-window images (normal, pressed, inactive)
// and the three equalizer images from the Winamp bitmaps, and the text
// colours. Each step is given its source bitmap already loaded.

#include "platform/Bitmap.h"
#include "platform/Prompts.h"
#include "platform/SplitRule.h"
#include "skin/SkinState.h"

namespace tf {

// Which background will be drawn over the images after the outline.
struct WindowBackgrounds {
    const Bitmap* Main = nullptr;      // main.bmp, when present
    bool EqualizerShown = true;        // "EQを表示する": the equalizer images take part
    const Bitmap* Equalizer = nullptr; // eqmain.bmp, when present and the equalizer is shown
};

// Fills the main images with magenta and clips them to the outline of
// region.txt, and the same for the equalizer images when they are composed
// in this load: an equalizer left out keeps its images. Where a background
// covers the whole window, only the pixels outside the outline are filled:
// it overwrites all the others. The clips stay until ClearWindowClips.
void ComposeWindowOutline(SkinState& state, const TStringList& regionLines,
                          const WindowBackgrounds& backgrounds);
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

// The main window at rest as a picture of the skin: main.bmp under the
// active title bar of titlebar.bmp (when there is one), 275 x 116, black
// where main.bmp is smaller. A gallery of skins shows this for each.
Bitmap ComposeMainWindowPicture(const Bitmap& mainBmp, const Bitmap* titlebarBmp);

} // namespace tf
