#include "output/SkinImages.h"

#include "output/DefinitionWriter.h"
#include "output/PositionMask.h"
#include "platform/ImageFile.h"
#include "skin/SliderStrips.h"
#include "skin/TimeDigits.h"

#include <array>
#include <map>
#include <mutex>
#include <tuple>

namespace tf {
namespace {

// The composers make the images the format describes.
static_assert(kWindowWidth == ssf::kWindowWidth && kWindowHeight == ssf::kWindowHeight);
static_assert(kVolumeFrames == ssf::kVolumeStrip.Frames && kPanFrames == ssf::kPanStrip.Frames);
static_assert(kTimeDigitCells == ssf::kTimeStrip.Frames);

constexpr int kJoinedImageHeight = ssf::kJoinedHeight;

struct JoinedImage {
    const ssf::ImageFile& File;
    const Bitmap SkinState::*Main;
    const Bitmap SkinState::*Equalizer;
};

constexpr std::array<JoinedImage, 3> kJoinedImages = {{
    {ssf::kMainNormalEqImage, &SkinState::MainNormalImage, &SkinState::EqNormalImage},
    {ssf::kMainPressedEqImage, &SkinState::MainPressedImage, &SkinState::EqPressedImage},
    {ssf::kMainInactiveEqImage, &SkinState::MainInactiveImage, &SkinState::EqInactiveImage},
}};

// Whether the display or part that decides an image is there in the session.
bool IsWritten(ssf::ImageShown shownBy, const SkinSession& session)
{
    const SkinState& state = session.State;
    switch (shownBy) {
    case ssf::ImageShown::Always:
        return true;
    case ssf::ImageShown::Equalizer:
        return session.Editor.ShowEqualizer;
    case ssf::ImageShown::Time:
        return state.ShowTime;
    case ssf::ImageShown::Analyzer:
        return state.ShowAnalyzer;
    case ssf::ImageShown::SeekBar:
        return state.ShowSeekBar;
    case ssf::ImageShown::Pan:
        return state.HasPanImage;
    case ssf::ImageShown::Volume:
        return state.HasVolumeImage;
    }
    return false;
}

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

// The images of a session, each added only when what decides it is there.
class ImageList {
public:
    explicit ImageList(const SkinSession& session) : m_session(session) {}

    // A picture held as it is.
    void add(const ssf::ImageFile& file, const Bitmap& image)
    {
        if (add(file, [&image] { return image; }))
            m_sources.back().Held = &image;
    }
    // The main part joined with the equalizer's. Two parts of the window's
    // size are written straight from their rows, without joining them first.
    void addJoined(const ssf::ImageFile& file, const Bitmap& main, const Bitmap& equalizer, int32_t mainOffset,
                   int32_t eqOffset)
    {
        if (!add(file, [&main, &equalizer, mainOffset, eqOffset] { return JoinedWindow(main, equalizer, mainOffset, eqOffset); }))
            return;
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
    void addMask(const ssf::ImageFile& file, int height, const Rect& bar)
    {
        if (add(file, [height, bar] { return PositionMask(height, bar).Image; }))
            m_sources.back().Encoded = [height, bar] { return PositionMask(height, bar).Encoded; };
    }
    std::vector<SkinImageSource> take() { return std::move(m_sources); }

private:
    bool add(const ssf::ImageFile& file, std::function<Bitmap()> compose)
    {
        if (!IsWritten(file.ShownBy, m_session))
            return false;
        SkinImageSource& source = m_sources.emplace_back();
        source.Name = file.Name;
        source.Compose = std::move(compose);
        return true;
    }

    const SkinSession& m_session;
    std::vector<SkinImageSource> m_sources;
};

// The EQ file names both joined masks whatever strips the skin has.
void AddPositionMasks(ImageList& images, int32_t mainOffset)
{
    images.addMask(ssf::kPanMaskImage, kWindowHeight, kPanBarRect);
    images.addMask(ssf::kVolumeMaskImage, kWindowHeight, kVolumeBarRect);
    images.addMask(ssf::kPanMaskEqImage, kJoinedImageHeight, kPanBarRect.translated(0, mainOffset));
    images.addMask(ssf::kVolumeMaskEqImage, kJoinedImageHeight, kVolumeBarRect.translated(0, mainOffset));
}

} // namespace

std::vector<SkinImageSource> ListSkinImages(const SkinSession& session)
{
    const SkinState& state = session.State;
    const PreviewPictures& previews = session.Previews;
    const ssf::JoinedLayout joined = JoinedLayoutOf(session.Editor);
    ImageList images(session);
    images.add(ssf::kMainNormalImage, state.MainNormalImage);
    images.add(ssf::kMainPressedImage, state.MainPressedImage);
    images.add(ssf::kMainInactiveImage, state.MainInactiveImage);
    for (const JoinedImage& image : kJoinedImages)
        images.addJoined(image.File, state.*image.Main, state.*image.Equalizer, joined.MainTop, joined.EqTop);
    // The definition names a pressed playlist picture; the playlist has one look.
    images.add(ssf::kPlayListImage, previews.Playlist);
    images.add(ssf::kPlayListPressedImage, previews.Playlist);
    images.add(ssf::kTimeDigitsImage, previews.TimeDigits);
    images.add(ssf::kAnalyzerImage, previews.Analyzer);
    images.add(ssf::kSeekBarImage, state.PosBarImage1);
    images.add(ssf::kSeekBarPressedImage, state.PosBarImage2);
    images.add(ssf::kPanImage, state.PanImage);
    images.add(ssf::kVolumeImage, state.VolumeImage);
    AddPositionMasks(images, joined.MainTop);
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
