#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tf {

// Text files of skins, the definition files and the settings file hold
// Shift-JIS (code page 932) bytes. Values stay bytes inside the state; these
// convert them for display, font lookup and paths.
QString DecodeCp932(std::string_view bytes);

// Characters that code page 932 cannot hold become '?', as the Windows
// conversion does with its default character.
std::string EncodeCp932(const QString& text);

// True when every character of the text survives a round trip through CP932.
bool IsCp932Representable(const QString& text);

bool IsValidUtf8(std::string_view bytes);

// Bytes of a name that carries no encoding of its own (an archive member's)
// as UTF-8: as they are when they are valid UTF-8, else read as code page 932.
std::string StoredNameToUtf8(std::string_view bytes);

} // namespace tf
