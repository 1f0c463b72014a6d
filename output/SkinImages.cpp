#include "output/SkinImages.h"

#include "output/DefinitionWriter.h"
#include "output/PositionMask.h"
#include "platform/ImageFile.h"

#include <array>
#include <map>
#include <mutex>
#include <tuple>

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

struct SharedImage {
    Bitmap Image;
    QByteArray Encoded;
};

// A position image is the same for every skin: each (two bars, alone and
// joined with the main part at either offset) is composed and encoded once
// per process, on first use.
const SharedImage& PositionMask(int height, const Rect& bar)
{
    static std::mutex mutex;
    static std::map<std::tuple<int, int32_t, int32_t, int32_t, int32_t>, SharedImage> made;
    const std::lock_guard lock(mutex);
    auto [it, added] = made.try_emplace({height, bar.left, bar.top, bar.right, bar.bottom});
    if (added) {
        ComposePositionMask(it->second.Image, kWindowWidth, height, bar);
        it->second.Encoded = EncodeBmp24(it->second.Image.image());
    }
    return it->second;
}

class ImageList {
public:
    void add(const char* name, std::function<Bitmap()> compose)
    {
        SkinImageSource& source = m_sources.emplace_back();
        source.Name = name;
        source.Compose = std::move(compose);
    }
    // A picture held as it is.
    void add(const char* name, const Bitmap& image)
    {
        add(name, [&image] { return image; });
        m_sources.back().Held = &image;
    }
    // The main part joined with the equalizer's. Two parts of the window's
    // size are written straight from their rows, without joining them first.
    void addJoined(const char* name, const Bitmap& main, const Bitmap& equalizer, int32_t mainOffset,
                   int32_t eqOffset)
    {
        add(name, [&main, &equalizer, mainOffset, eqOffset] { return JoinedWindow(main, equalizer, mainOffset, eqOffset); });
        m_sources.back().Encoded = [&main, &equalizer, mainOffset, eqOffset] {
            const auto windowSized = [](const Bitmap& part) {
                return part.width() == kWindowWidth && part.height() == kWindowHeight;
            };
            if (!windowSized(main) || !windowSized(equalizer))
                return EncodeBmp24(JoinedWindow(main, equalizer, mainOffset, eqOffset).image());
            return mainOffset < eqOffset ? EncodeBmp24Stacked(main.image(), equalizer.image())
                                         : EncodeBmp24Stacked(equalizer.image(), main.image());
        };
    }
    // A position image.
    void addMask(const char* name, int height, const Rect& bar)
    {
        add(name, [height, bar] { return PositionMask(height, bar).Image; });
        m_sources.back().Encoded = [height, bar] { return PositionMask(height, bar).Encoded; };
    }
    std::vector<SkinImageSource> take() { return std::move(m_sources); }

private:
    std::vector<SkinImageSource> m_sources;
};

void AddPositionMasks(ImageList& images, const SkinSession& session, int32_t mainOffset)
{
    const SkinState& state = session.State;
    if (state.HasPanImage)
        images.addMask("PanMask.bmp", kWindowHeight, kPanBarRect);
    if (state.HasVolumeImage)
        images.addMask("VolMask.bmp", kWindowHeight, kVolumeBarRect);
    // The EQ file names both joined masks whatever strips the skin has.
    if (session.Editor.ShowEqualizer) {
        images.addMask("PanMask_EQ.bmp", kJoinedImageHeight, kPanBarRect.translated(0, mainOffset));
        images.addMask("VolMask_EQ.bmp", kJoinedImageHeight, kVolumeBarRect.translated(0, mainOffset));
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
            images.addJoined(joined.name, state.*joined.main, state.*joined.equalizer, mainOffset, eqOffset);
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

void EncodeSkinImages(const SkinSession& session,
                      const std::function<void(const std::string&, const QByteArray&)>& sink)
{
    std::map<const Bitmap*, QByteArray> encoded;
    for (const SkinImageSource& source : ListSkinImages(session)) {
        if (source.Encoded) {
            sink(source.Name, source.Encoded());
            continue;
        }
        if (source.Held && encoded.count(source.Held)) {
            sink(source.Name, encoded[source.Held]);
            continue;
        }
        const Bitmap image = source.Compose();
        // An empty picture has no pixels to write.
        if (image.isEmpty())
            continue;
        const QByteArray bytes = EncodeBmp24(image.image());
        if (source.Held)
            encoded[source.Held] = bytes;
        sink(source.Name, bytes);
    }
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
