#pragma once

// Which parts of the composed images are not the loaded skin's own. A
// source file a skin lacks leaves what it would have drawn as it was: an
// earlier skin's pixels (or, for the playlist, the seek bar and the time
// digits, the bundled sample's). A file the load passed over as unusable
// counts as missing. The window names these parts so that nobody saves such
// a mix unknowingly.

#include "skin/SkinSession.h"

#include <QString>
#include <array>
#include <vector>

namespace tf {

enum class SkinPart : int {
    Equalizer,
    Playlist,
    TimeDigits,
    Buttons,
    TitleBar,
    ShuffleRepeat,
    MonoStereo,
    SeekBar,
    TextColors,
    AnalyzerColors,
    PeakColor,
};
constexpr int kSkinPartCount = 11;

// Which parts some load has drawn since the start.
struct PartHistory {
    PartHistory();
    std::array<bool, kSkinPartCount> Filled{};
};

// After a load of the session's current skin folder: the parts that skin
// lacks whose images come from before it, in SkinPart order. Then notes the
// parts it drew itself. equalizerShown: the equalizer is only composed when
// it is shown.
std::vector<SkinPart> NoteLoadedParts(PartHistory& history, const SkinState& state, bool equalizerShown);

// The Japanese name of a part, as the window lists it.
QString SkinPartName(SkinPart part);

// "前のスキンのままの部分: イコライザー, プレイリスト", or empty for none.
QString CarriedOverLine(const std::vector<SkinPart>& parts);

} // namespace tf
