#pragma once

#include "platform/Color.h"
#include "platform/Prompts.h"
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

// The colours the classic player gives a skin without pledit.txt.
constexpr Color kClassicPlaylistNormal = MakeColor(0x00, 0xFF, 0x00);
constexpr Color kClassicPlaylistCurrent = MakeColor(0xFF, 0xFF, 0xFF);
constexpr Color kClassicPlaylistNormalBG = MakeColor(0x00, 0x00, 0x00);
constexpr Color kClassicPlaylistSelectedBG = MakeColor(0x00, 0x00, 0xFF);

// The four playlist colours of pledit.txt, section "Text": "Normal",
// "Current", "NormalBG", "SelectedBG", each black when missing; the classic
// colours when the file does not exist. A value ends at its first blank, tab
// or ";" (skins put comments after it). A value that still is no colour
// gives black for its key and, when prompts is given, a warning naming the
// file, the key and the value; reading goes on.
void ReadPlaylistColors(SkinState& state, const std::filesystem::path& path,
                        Prompts* prompts = nullptr);

} // namespace tf
