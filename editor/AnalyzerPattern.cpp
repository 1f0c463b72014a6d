// Placeholder until the analyzer pattern is built.
#include "editor/AnalyzerPattern.h"

namespace tf {

bool BuildAnalyzerPattern(SkinState&, PreviewPictures&, const std::filesystem::path&)
{
    return false;
}

} // namespace tf
