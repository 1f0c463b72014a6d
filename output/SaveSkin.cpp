#include "output/SaveSkin.h"

#include "output/DefinitionWriter.h"
#include "output/SkinImages.h"
#include "platform/ImageFile.h"
#include "platform/SafeFileWriter.h"

#include <array>

namespace fs = std::filesystem;

namespace tf {

void SaveSkin(const SkinSession& session, const fs::path& ssfPath)
{
    const fs::path folder = ssfPath.parent_path();
    for (const SkinImage& image : BuildSkinImages(session)) {
        const QByteArray bytes = EncodeBmp24(image.Image.image());
        WriteFileReplacing(folder / image.Name, std::string_view(bytes.constData(), size_t(bytes.size())));
    }
    const DefinitionFiles files = BuildDefinitionFiles(session, ssfPath);
    WriteFileReplacing(ssfPath, files.plain);
    if (session.Editor.ShowEqualizer)
        WriteFileReplacing(EqDefinitionPath(ssfPath), files.eq);
}

} // namespace tf
