// Placeholder until the time digits are rendered.
#include "editor/TimeDigits.h"

namespace tf {

void RenderTimeDigits(const SkinState&, const EditorSettings&, PreviewPictures&,
                      const std::filesystem::path&, const std::filesystem::path&)
{
}

} // namespace tf
