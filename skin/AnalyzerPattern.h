#pragma once

#include "skin/SkinState.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tf {

// The 5 x 16 analyzer pattern (Image4) and the analyzer, oscilloscope and
// peak colours from viscolor.txt. False, and nothing changed, when the file
// does not exist.
bool BuildAnalyzerPattern(SkinState& state, PreviewPictures& previews,
                          const std::filesystem::path& viscolorPath);

// The colours the classic player shows for a skin without viscolor.txt, as
// the 24 lines of a viscolor.txt holding them.
std::vector<std::string> ClassicVisColorLines();

// The pattern and colours from those lines, exactly as from such a file.
void BuildClassicAnalyzerPattern(SkinState& state, PreviewPictures& previews);

// Whether viscolor.txt sets the peak colour: only a file with a line for it
// does; a shorter one leaves the colour as the skin before set it.
bool ViscolorGivesPeakColor(const std::filesystem::path& viscolorPath);

} // namespace tf
