#pragma once

#include <QString>
#include <string>
#include <string_view>

// The code page 932 conversions of the system, one file per system
// (posix/ through iconv, windows/ through the code page functions).
namespace tf::cp932 {

// Decodes the bytes; a byte that starts no valid character becomes U+FFFD
// and decoding goes on at the next byte, so a broken file never stops the
// conversion.
QString DecodeBytes(std::string_view bytes);

// Encodes one character (one or two UTF-16 units); "?" when code page 932
// cannot hold it.
std::string EncodeCharacter(const QString& character);

} // namespace tf::cp932
