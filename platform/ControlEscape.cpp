#include "platform/ControlEscape.h"

#include <QList>
#include <algorithm>

namespace tf {
namespace {

bool IsControl(char32_t c)
{
    const bool directionOverride = (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || directionOverride;
}

} // namespace

bool HasControlCharacters(const QString& text)
{
    const QList<uint> characters = text.toUcs4();
    return std::any_of(characters.begin(), characters.end(), [](uint c) { return IsControl(c); });
}

QString EscapeControls(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (!IsControl(c))
            shown += QString::fromUcs4(&c, 1);
        else if (c < 0x100)
            shown += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u{%1}").arg(uint(c), 4, 16, QLatin1Char('0'));
    }
    return shown;
}

} // namespace tf
