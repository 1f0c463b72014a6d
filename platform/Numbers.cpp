#include "platform/Numbers.h"

#include "platform/Errors.h"

#include <cstdlib>

namespace tf {

std::optional<int32_t> ParseInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) >= 1
           && static_cast<unsigned char>(text[i]) <= 32)
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size())
        return std::nullopt;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * (hex ? 16 : 10) + uint64_t(digit);
        if (value > (hex ? 0xFFFFFFFFull : 0x80000000ull))
            return std::nullopt;
    }
    if (hex) {
        const uint32_t bits = negative ? uint32_t(0u - uint32_t(value)) : uint32_t(value);
        return int32_t(bits);
    }
    if (!negative && value > 0x7FFFFFFFull)
        return std::nullopt;
    return negative ? int32_t(-int64_t(value)) : int32_t(value);
}

bool IsNumber(std::string_view text)
{
    return ParseInteger(text).has_value();
}

int32_t StrToInt(std::string_view text)
{
    const auto value = ParseInteger(text);
    if (!value)
        ThrowConversionError(text);
    return *value;
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return -1;
    const int64_t product = int64_t(a) * b;
    const int64_t magnitude = (std::llabs(product) + std::llabs(int64_t(c)) / 2) / std::llabs(int64_t(c));
    const bool negative = (product < 0) != (c < 0);
    return int32_t(negative ? -magnitude : magnitude);
}

} // namespace tf
