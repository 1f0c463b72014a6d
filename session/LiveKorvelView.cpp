#include "session/LiveKorvelView.h"

#include "output/DefinitionWriter.h"
#include "output/SkinImages.h"
#include "platform/FileSystem.h"

#include <map>
#include <memory>

namespace tf {

KorvelView RenderSessionKorvelView(const SkinSession& session, const ViewOptions& options)
{
    // The name only appears inside the files ("SkinName", the switch targets).
    const DefinitionFiles files = BuildDefinitionFiles(session, "skin.ssf");
    const KorvelDefinition definition
        = KorvelDefinition::Parse(session.Editor.ShowEqualizer ? files.eq : files.plain);
    // Only what the view draws is composed; the definition names every image
    // in ASCII.
    auto sources = std::make_shared<std::map<std::string, SkinImageSource>>();
    for (SkinImageSource& source : ListSkinImages(session))
        sources->emplace(FoldFileName(source.Name), std::move(source));
    const ImageLookup images = [sources](std::string_view name) -> std::optional<Bitmap> {
        const auto found = sources->find(FoldFileName(name));
        if (found == sources->end())
            return std::nullopt;
        Bitmap image = found->second.Compose();
        if (image.isEmpty())
            return std::nullopt;
        return image;
    };
    return RenderKorvelView(definition, images, options);
}

} // namespace tf
