#include "platform/ShiftJisCodec.h"

#include <optional>
#include <string>
#include <windows.h>

namespace tf::cp932 {
namespace {

constexpr UINT kCodePage = 932;

// The UTF-16 text of the bytes, or nothing when they are not whole, valid
// characters of the code page.
std::optional<std::wstring> DecodeStrictly(std::string_view bytes)
{
    if (bytes.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                                           nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring text(size_t(length), L'\0');
    MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), text.data(), length);
    return text;
}

} // namespace

QString DecodeBytes(std::string_view bytes)
{
    if (const auto whole = DecodeStrictly(bytes))
        return QString::fromStdWString(*whole);
    // Something is broken: decode character by character, trying one byte
    // and then two, and replace a byte that starts neither.
    QString text;
    size_t i = 0;
    while (i < bytes.size()) {
        if (const auto one = DecodeStrictly(bytes.substr(i, 1))) {
            text += QString::fromStdWString(*one);
            i += 1;
        } else if (const auto two = i + 1 < bytes.size() ? DecodeStrictly(bytes.substr(i, 2)) : std::nullopt) {
            text += QString::fromStdWString(*two);
            i += 2;
        } else {
            text += QChar(0xFFFD);
            i += 1;
        }
    }
    return text;
}

std::string EncodeCharacter(const QString& character)
{
    const std::wstring wide = character.toStdWString();
    // No best fit: a character the code page lacks must not turn into a
    // look-alike, or a round trip would pass for lossless.
    BOOL usedDefault = FALSE;
    char bytes[8] = {};
    const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), bytes,
                                           int(sizeof bytes), "?", &usedDefault);
    if (length <= 0 || usedDefault)
        return "?";
    return std::string(bytes, size_t(length));
}

} // namespace tf::cp932
