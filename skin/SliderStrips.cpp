#include "skin/SliderStrips.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/SplitRule.h"
#include "platform/TextFile.h"
#include "skin/GeometryData.h"

#include <limits>
#include <optional>
#include <system_error>

namespace tf {
namespace {

constexpr int kFrameHeight = 13;
constexpr int kBandPitch = 15; // backgrounds are stacked every 15 rows
// The knob lies below the backgrounds, except in bitmaps exactly this high.
constexpr int kHeightWithoutKnob = 420;
constexpr Rect kKnob{15, 422, 29, 433};

constexpr int kPanBandLeft = 9;

// The knob copy reads from outside short bitmaps (418 to 421 rows are common);
// the copy draws only the source pixels that exist, so no black squares.
void DrawKnob(Bitmap& strip, const Bitmap& source, int32_t x)
{
    if (source.height() != kHeightWithoutKnob)
        strip.copy(source, kKnob, {x, 1, x + 14, 12});
}

// Band r of balance.bmp, or nothing for a band no bitmap can hold (negative,
// or so large that its rows overflow 32 bits): no band number aliases another.
std::optional<Rect> PanBand(int32_t band)
{
    constexpr int32_t kLastBand = (std::numeric_limits<int32_t>::max() - kFrameHeight) / kBandPitch;
    if (band < 0 || band > kLastBand)
        return std::nullopt;
    const int32_t top = kBandPitch * band;
    return Rect{kPanBandLeft, top, kPanBandLeft + kPanFrameWidth, top + kFrameHeight};
}

// Line index of pan.dat as an integer, or the list index or conversion error
// naming the file and line.
int32_t ReadPanLine(const TStringList& lines, size_t index, const std::filesystem::path& path)
{
    try {
        if (index >= lines.size())
            ThrowListIndexError((long long)index);
        return StrToInt(lines[index]);
    } catch (const AppError& failure) {
        ThrowAtLine(failure, path, index + 1);
    }
}

} // namespace

bool ComposeVolume(SkinState& state, const std::filesystem::path& volumePath)
{
    state.VolumeImage = Bitmap();
    state.HasVolumeImage = false;
    if (!SourceFilesOf(state).isRegularFile(volumePath))
        return false;
    const Bitmap source = Bitmap::Load(SourceFilesOf(state), volumePath);
    if (source.height() <= kFrameHeight)
        return false;
    state.HasVolumeImage = true;
    state.VolumeImage = Bitmap(kVolumeFrames * kVolumeFrameWidth, kFrameHeight);
    // The knob moves by the source width over 28 (2 pixels for the usual 68).
    const int32_t knobStep = source.width() / kVolumeFrames;
    int32_t knobOffset = 0;
    for (int32_t i = 0; i < kVolumeFrames; ++i, knobOffset += knobStep) {
        const int32_t left = kVolumeFrameWidth * i;
        state.VolumeImage.copy(source, {0, kBandPitch * i, kVolumeFrameWidth, kBandPitch * i + kFrameHeight},
                               {left, 0, left + kVolumeFrameWidth, kFrameHeight});
        DrawKnob(state.VolumeImage, source, left + knobOffset);
    }
    return true;
}

bool ComposePan(SkinState& state, const std::filesystem::path& balancePath,
                const std::filesystem::path& exeFolder)
{
    state.PanImage = Bitmap();
    state.HasPanImage = false;
    if (!SourceFilesOf(state).isRegularFile(balancePath))
        return false;
    const Bitmap source = Bitmap::Load(SourceFilesOf(state), balancePath);
    // Looked at whenever balance.bmp exists, so a missing table is reported
    // even for a bitmap too short to use.
    const std::shared_ptr<const GeometryData> data = SharedGeometryData(exeFolder);
    if (data->PanTableError)
        throw *data->PanTableError;
    const std::filesystem::path& tablePath = data->PanTablePath;
    const TStringList& lines = data->PanTable;
    if (source.height() <= kFrameHeight)
        return false;
    state.HasPanImage = true;
    state.PanImage = Bitmap(kPanFrames * kPanFrameWidth, kFrameHeight);
    for (int32_t i = 0; i < kPanFrames; ++i) {
        const int32_t band = ReadPanLine(lines, size_t(i), tablePath);
        const int32_t left = kPanFrameWidth * i;
        if (const auto bandRect = PanBand(band))
            state.PanImage.copy(source, *bandRect, {left, 0, left + kPanFrameWidth, kFrameHeight});
        // The knob sits i pixels into frame i.
        DrawKnob(state.PanImage, source, left + i);
    }
    return true;
}

} // namespace tf
