#include "platform/ShiftJis.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace tf {
namespace {

// One conversion of a whole buffer. Bytes that cannot be converted are
// replaced and skipped, so a broken file never stops the conversion.
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, size_t replacedUnit)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return std::string(input);
    std::string output;
    output.reserve(input.size() * 2 + 4);
    std::vector<char> buffer(4096);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer.data();
        size_t outLeft = buffer.size();
        const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), buffer.size() - outLeft);
        if (result == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an unconvertible or incomplete sequence.
            output.append(replacement);
            const size_t skip = std::min(inLeft, replacedUnit);
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return output;
}

} // namespace

QString DecodeCp932(std::string_view bytes)
{
    bool ascii = true;
    for (unsigned char c : bytes)
        ascii = ascii && c < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    const std::string utf8 = Convert("UTF-8", "CP932", bytes, "\xEF\xBF\xBD", 1);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
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
        const QByteArray piece = text.mid(i, length).toUtf8();
        const std::string converted
            = Convert("CP932", "UTF-8", std::string_view(piece.constData(), size_t(piece.size())), "?",
                      size_t(piece.size()));
        output += converted;
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

} // namespace tf
