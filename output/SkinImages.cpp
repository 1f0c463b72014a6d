#include "output/SkinImages.h"

#include "output/DefinitionWriter.h"
#include "output/PositionMask.h"

#include <array>

namespace tf {
namespace {

constexpr int kJoinedImageHeight = 2 * kWindowHeight;

struct JoinedImage {
    const char* name;
    const Bitmap SkinState::*main;
    const Bitmap SkinState::*equalizer;
};

constexpr std::array<JoinedImage, 3> kJoinedImages = {{
    {"MainNormal_EQ.bmp", &SkinState::MainNormalImage, &SkinState::EqNormalImage},
    {"MainPressed_EQ.bmp", &SkinState::MainPressedImage, &SkinState::EqPressedImage},
    {"MainInactive_EQ.bmp", &SkinState::MainInactiveImage, &SkinState::EqInactiveImage},
}};

class ImageList {
public:
    void add(const char* name, std::function<Bitmap()> compose) { m_sources.push_back({name, std::move(compose)}); }
    // A picture held as it is.
    void add(const char* name, const Bitmap& image)
    {
        add(name, [&image] { return image; });
    }
    std::vector<SkinImageSource> take() { return std::move(m_sources); }

private:
    std::vector<SkinImageSource> m_sources;
};

Bitmap JoinedWindow(const Bitmap& main, const Bitmap& equalizer, int32_t mainOffset, int32_t eqOffset)
{
    // Black first, so that a part smaller than its half never shows
    // anything else.
    Bitmap image(kWindowWidth, kJoinedImageHeight);
    image.fillAll(kBlack);
    image.copy(equalizer, kWindowImageRect, kWindowImageRect.translated(0, eqOffset));
    image.copy(main, kWindowImageRect, kWindowImageRect.translated(0, mainOffset));
    return image;
}

Bitmap PositionMask(int height, const Rect& rect)
{
    Bitmap mask;
    ComposePositionMask(mask, kWindowWidth, height, rect);
    return mask;
}

void AddPositionMasks(ImageList& images, const SkinSession& session, int32_t mainOffset)
{
    const SkinState& state = session.State;
    if (state.HasPanImage)
        images.add("PanMask.bmp", [] { return PositionMask(kWindowHeight, kPanBarRect); });
    if (state.HasVolumeImage)
        images.add("VolMask.bmp", [] { return PositionMask(kWindowHeight, kVolumeBarRect); });
    // The EQ file names both joined masks whatever strips the skin has.
    if (session.Editor.ShowEqualizer) {
        images.add("PanMask_EQ.bmp",
                   [mainOffset] { return PositionMask(kJoinedImageHeight, kPanBarRect.translated(0, mainOffset)); });
        images.add("VolMask_EQ.bmp",
                   [mainOffset] { return PositionMask(kJoinedImageHeight, kVolumeBarRect.translated(0, mainOffset)); });
    }
}

} // namespace

std::vector<SkinImageSource> ListSkinImages(const SkinSession& session)
{
    const SkinState& state = session.State;
    const PreviewPictures& previews = session.Previews;
    const int32_t mainOffset = MainPartTop(session.Editor);
    const int32_t eqOffset = EqPartTop(session.Editor);
    ImageList images;
    images.add("MainNormal.bmp", state.MainNormalImage);
    images.add("MainPressed.bmp", state.MainPressedImage);
    images.add("MainInactive.bmp", state.MainInactiveImage);
    if (session.Editor.ShowEqualizer)
        for (const JoinedImage& joined : kJoinedImages)
            images.add(joined.name, [&state, joined, mainOffset, eqOffset] {
                return JoinedWindow(state.*joined.main, state.*joined.equalizer, mainOffset, eqOffset);
            });
    // The definition names a pressed playlist picture; the playlist has one look.
    images.add("PlayListNormal.bmp", previews.Playlist);
    images.add("PlayListPressed.bmp", previews.Playlist);
    if (state.ShowTime)
        images.add("Numbers.bmp", previews.TimeDigits);
    if (state.ShowAnalyzer)
        images.add("Analyzer.bmp", previews.Analyzer);
    if (state.ShowSeekBar) {
        images.add("PosBar1.bmp", state.PosBarImage1);
        images.add("PosBar2.bmp", state.PosBarImage2);
    }
    if (state.HasPanImage)
        images.add("Pan.Bmp", state.PanImage);
    if (state.HasVolumeImage)
        images.add("Vol.Bmp", state.VolumeImage);
    AddPositionMasks(images, session, mainOffset);
    return images.take();
}

std::vector<SkinImage> BuildSkinImages(const SkinSession& session)
{
    std::vector<SkinImage> images;
    for (const SkinImageSource& source : ListSkinImages(session)) {
        Bitmap image = source.Compose();
        if (!image.isEmpty())
            images.push_back({source.Name, std::move(image)});
    }
    return images;
}

} // namespace tf
