#include "platform/ShiftJisCodec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <vector>

namespace tf::cp932 {
namespace {

// One conversion of a whole buffer; unconvertible input is replaced unit by
// unit, as the callers' contract says.
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

QString DecodeBytes(std::string_view bytes)
{
    const std::string utf8 = Convert("UTF-8", "CP932", bytes, "\xEF\xBF\xBD", 1);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string EncodeCharacter(const QString& character)
{
    const QByteArray utf8 = character.toUtf8();
    return Convert("CP932", "UTF-8", std::string_view(utf8.constData(), size_t(utf8.size())), "?",
                   size_t(utf8.size()));
}

} // namespace tf::cp932
