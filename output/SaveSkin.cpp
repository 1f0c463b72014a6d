#include "output/SaveSkin.h"

#include "output/DefinitionWriter.h"
#include "output/PositionMask.h"
#include "platform/ImageFile.h"
#include "platform/SafeFileWriter.h"

#include <array>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr int kJoinedImageHeight = 2 * kWindowHeight;

class ImageWriter {
public:
    explicit ImageWriter(fs::path folder) : m_folder(std::move(folder)) {}

    // An empty picture has no pixels to write; the definition file still
    // names it, as it does whatever the folder holds.
    void write(const char* name, const Bitmap& image) const
    {
        if (image.isEmpty())
            return;
        const QByteArray bytes = EncodeBmp24(image.image());
        WriteFileReplacing(m_folder / name, std::string_view(bytes.constData(), size_t(bytes.size())));
    }

private:
    fs::path m_folder;
};

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

void WriteJoinedImages(const ImageWriter& writer, const SkinState& state, Bitmap& working,
                       int32_t mainOffset, int32_t eqOffset)
{
    working.setSize(kWindowWidth, kJoinedImageHeight);
    const Rect whole{0, 0, kWindowWidth, kWindowHeight};
    for (const JoinedImage& joined : kJoinedImages) {
        // Black first, so that a part smaller than its half never shows the
        // previous pair's pixels.
        working.fillAll(kBlack);
        working.copy(state.*joined.equalizer, whole, whole.translated(0, eqOffset));
        working.copy(state.*joined.main, whole, whole.translated(0, mainOffset));
        writer.write(joined.name, working);
    }
}

void WritePositionMasks(const ImageWriter& writer, const SkinSession& session, Bitmap& working,
                        int32_t mainOffset)
{
    const SkinState& state = session.State;
    if (state.HasPanImage) {
        ComposePositionMask(working, kWindowWidth, kWindowHeight, kPanBarRect);
        writer.write("PanMask.bmp", working);
    }
    if (state.HasVolumeImage) {
        ComposePositionMask(working, kWindowWidth, kWindowHeight, kVolumeBarRect);
        writer.write("VolMask.bmp", working);
    }
    // The EQ file names both joined masks whatever strips the skin has.
    if (session.Editor.ShowEqualizer) {
        ComposePositionMask(working, kWindowWidth, kJoinedImageHeight,
                            kPanBarRect.translated(0, mainOffset));
        writer.write("PanMask_EQ.bmp", working);
        ComposePositionMask(working, kWindowWidth, kJoinedImageHeight,
                            kVolumeBarRect.translated(0, mainOffset));
        writer.write("VolMask_EQ.bmp", working);
    }
}

void WriteSkinImages(const ImageWriter& writer, const SkinSession& session, int32_t mainOffset,
                     int32_t eqOffset)
{
    const SkinState& state = session.State;
    const PreviewPictures& previews = session.Previews;
    Bitmap working(kWindowWidth, kWindowHeight);

    writer.write("MainNormal.bmp", state.MainNormalImage);
    writer.write("MainPressed.bmp", state.MainPressedImage);
    writer.write("MainInactive.bmp", state.MainInactiveImage);
    if (session.Editor.ShowEqualizer)
        WriteJoinedImages(writer, state, working, mainOffset, eqOffset);
    // The definition names a pressed playlist picture; the playlist has one look.
    writer.write("PlayListNormal.bmp", previews.Playlist);
    writer.write("PlayListPressed.bmp", previews.Playlist);
    if (state.ShowTime)
        writer.write("Numbers.bmp", previews.TimeDigits);
    if (state.ShowAnalyzer)
        writer.write("Analyzer.bmp", previews.Analyzer);
    if (state.ShowSeekBar) {
        writer.write("PosBar1.bmp", state.PosBarImage1);
        writer.write("PosBar2.bmp", state.PosBarImage2);
    }
    if (state.HasPanImage)
        writer.write("Pan.Bmp", state.PanImage);
    if (state.HasVolumeImage)
        writer.write("Vol.Bmp", state.VolumeImage);
    WritePositionMasks(writer, session, working, mainOffset);
}

} // namespace

void SaveSkin(const SkinSession& session, const fs::path& ssfPath)
{
    WriteSkinImages(ImageWriter(ssfPath.parent_path()), session, MainPartTop(session.Editor),
                    EqPartTop(session.Editor));

    const DefinitionFiles files = BuildDefinitionFiles(session, ssfPath);
    WriteFileReplacing(ssfPath, files.plain);
    if (session.Editor.ShowEqualizer)
        WriteFileReplacing(EqDefinitionPath(ssfPath), files.eq);
}

} // namespace tf
