#pragma once

#include "skin/SkinState.h"

#include <filesystem>

namespace tf {

// The strips: frames side by side, one per slider position.
constexpr int kVolumeFrames = 28;
constexpr int kVolumeFrameWidth = 68;
constexpr int kPanFrames = 24;
constexpr int kPanFrameWidth = 38;

// volume.bmp into VolumeImage: 28 frames of 68 x 13 with the knob moving 2
// pixels a frame. Empties the strip first; true when it was composed.
bool ComposeVolume(SkinState& state, const std::filesystem::path& volumePath);

// balance.bmp into PanImage: 24 frames of 38 x 13, frame i showing the band
// that line i of exeFolder/pan.dat names. Empties the strip first; true when
// it was composed.
bool ComposePan(SkinState& state, const std::filesystem::path& balancePath,
                const std::filesystem::path& exeFolder);

} // namespace tf
