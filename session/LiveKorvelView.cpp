#include "session/LiveKorvelView.h"

#include "output/DefinitionWriter.h"
#include "output/SkinImages.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace tf {
namespace {

// Everything a composed image of the skin is made from: the pictures of the
// session (Qt gives every content of every image its own key) and the
// equalizer's place.
std::vector<qint64> ImageInputs(const SkinSession& session)
{
    const SkinState& state = session.State;
    const PreviewPictures& previews = session.Previews;
    std::vector<qint64> inputs;
    for (const Bitmap* image :
         {&state.MainNormalImage, &state.MainPressedImage, &state.MainInactiveImage, &state.EqNormalImage,
          &state.EqPressedImage, &state.EqInactiveImage, &state.PosBarImage1, &state.PosBarImage2,
          &state.VolumeImage, &state.PanImage, &previews.MainPreview, &previews.EqPreview, &previews.Playlist,
          &previews.TimeDigits, &previews.Analyzer})
        inputs.push_back(image->image().cacheKey());
    inputs.push_back(session.Editor.ShowEqualizer);
    inputs.push_back(session.Editor.EqualizerOnTop);
    return inputs;
}

// FoldFileName, without a trip through QString for the ASCII names every
// image of the skin has.
std::string FoldedName(std::string_view name)
{
    if (!std::all_of(name.begin(), name.end(), [](char c) { return uint8_t(c) < 0x80; }))
        return FoldFileName(name);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return folded;
}

bool SamePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    const QImage& x = a.image();
    const QImage& y = b.image();
    const size_t rowBytes = size_t(a.width()) * sizeof(QRgb);
    for (int row = 0; row < a.height(); ++row)
        if (std::memcmp(x.constScanLine(row), y.constScanLine(row), rowBytes) != 0)
            return false;
    return true;
}

} // namespace

KorvelView LiveKorvelView::render(const SkinSession& session, const ViewOptions& options)
{
    // The name only appears inside the files ("SkinName", the switch targets).
    const DefinitionFiles files = BuildDefinitionFiles(session, "skin.ssf");
    const KorvelDefinition definition
        = KorvelDefinition::Parse(session.Editor.ShowEqualizer ? files.Eq : files.Plain);

    std::vector<qint64> inputs = ImageInputs(session);
    const bool sameInputs = inputs == m_inputs;
    m_inputs = std::move(inputs);
    auto previous = std::make_shared<std::map<std::string, Bitmap>>(std::move(m_composed));
    m_composed.clear();
    // Only what the view draws is composed; the definition names every image
    // in ASCII.
    auto sources = std::make_shared<std::map<std::string, SkinImageSource>>();
    for (SkinImageSource& source : ListSkinImages(session))
        sources->emplace(FoldedName(source.Name), std::move(source));
    std::map<std::string, Bitmap>& composed = m_composed;
    const ImageLookup images = [&composed, sources, previous, sameInputs](std::string_view name) -> std::optional<Bitmap> {
        const std::string key = FoldedName(name);
        if (const auto done = composed.find(key); done != composed.end())
            return done->second;
        const auto found = sources->find(key);
        if (found == sources->end())
            return std::nullopt;
        const auto before = previous->find(key);
        Bitmap image;
        if (sameInputs && before != previous->end()) {
            image = before->second;
        } else {
            image = found->second.Compose();
            // The same pixels as before keep the image they had, so that
            // the view is not drawn again over them.
            if (before != previous->end() && SamePixels(image, before->second))
                image = before->second;
        }
        composed.emplace(key, image);
        if (image.isEmpty())
            return std::nullopt;
        return image;
    };
    try {
        return m_renderer.render(definition, images, options);
    } catch (...) {
        m_inputs.clear(); // compose everything afresh next time
        throw;
    }
}

} // namespace tf
