#pragma once

#include "platform/Color.h"
#include "skin/SkinState.h"

#include <filesystem>
#include <string_view>

namespace tf {

// A colour written as "#RRGGBB" (or "$RRGGBB", or the six digits alone).
// After a leading "#" or "$" only the last six characters count, so
// "#1234567" reads as 234567. A text that does not give six hexadecimal
// digits this way raises the conversion error, naming the number text built
// from it.
Color ParseSkinColor(std::string_view text);

// The four playlist colours of pledit.txt, section "Text": "Normal",
// "Current", "NormalBG", "SelectedBG", each black when missing. A missing
// file gives black for all four. A colour that does not parse raises the
// conversion error; the colours read before it keep their new values.
void ReadPlaylistColors(SkinState& state, const std::filesystem::path& path);

} // namespace tf
