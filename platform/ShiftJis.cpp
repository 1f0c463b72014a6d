#include "platform/ShiftJis.h"

#include "platform/ShiftJisCodec.h"

namespace tf {

QString DecodeCp932(std::string_view bytes)
{
    bool ascii = true;
    for (unsigned char c : bytes)
        ascii = ascii && c < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    return cp932::DecodeBytes(bytes);
}

std::string EncodeCp932(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    bool ascii = true;
    for (unsigned char c : utf8)
        ascii = ascii && c < 0x80;
    if (ascii)
        return std::string(utf8.constData(), size_t(utf8.size()));
    // Converted one character at a time, so that an unrepresentable one is
    // replaced as a whole and never splits its UTF-8 bytes.
    std::string output;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        output += cp932::EncodeCharacter(text.mid(i, length));
        i += length;
    }
    return output;
}

bool IsCp932Representable(const QString& text)
{
    return DecodeCp932(EncodeCp932(text)) == text;
}

bool IsValidUtf8(std::string_view bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t length = 0;
        uint32_t codePoint = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            length = 2;
            codePoint = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            codePoint = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            codePoint = c & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        static constexpr uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < minimum[length] || codePoint > 0x10FFFF
            || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string StoredNameToUtf8(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    const QByteArray utf8 = DecodeCp932(bytes).toUtf8();
    return std::string(utf8.constData(), size_t(utf8.size()));
}

} // namespace tf
