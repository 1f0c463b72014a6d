// Placeholder until the strips are composed.
#include "skin/SliderStrips.h"

namespace tf {

bool ComposeVolume(SkinState& state, const std::filesystem::path&)
{
    state.VolumeImage = Bitmap();
    state.HasVolumeImage = false;
    return false;
}

bool ComposePan(SkinState& state, const std::filesystem::path&, const std::filesystem::path&)
{
    state.PanImage = Bitmap();
    state.HasPanImage = false;
    return false;
}

} // namespace tf
