#pragma once

// The skin definition files (.ssf): Shift-JIS lines, each ended by CR LF,
// that name the images of the Korvel skin and place its controls on them.

#include "korvel/SkinFormat.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/SplitRule.h"
#include "skin/SkinSession.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tf {

// "#" and 48 "-".
inline constexpr std::string_view kSeparatorLine = "#------------------------------------------------";

// Where the main and equalizer parts stand in the joined images.
ssf::JoinedLayout JoinedLayoutOf(const EditorSettings& editor);

// "r g b" in decimal; a system colour is first resolved to its current value.
std::string ColorToRGBText(Color color);

// The main section: buttons, then the blocks of the shown parts, every
// rectangle moved down by mainOffset. eqMasks names the 275 x 232 position
// images.
void WriteMainSection(TStringList& lines, const SkinSession& session, int32_t mainOffset,
                      bool eqMasks);

// The playlist section; eqLink links the playlist below the 232-pixel
// joined window instead of the 116-pixel one.
void WritePlayListSection(TStringList& lines, const SkinSession& session, bool eqLink);

// Both files, byte for byte. The EQ file is built also while the equalizer
// is hidden; it is then not saved.
struct DefinitionFiles {
    std::string Plain;
    std::string Eq;
};
DefinitionFiles BuildDefinitionFiles(const SkinSession& session,
                                     const std::filesystem::path& ssfPath);

// Every line followed by CR LF, the last one too.
std::string JoinDefinitionLines(const TStringList& lines);

} // namespace tf
