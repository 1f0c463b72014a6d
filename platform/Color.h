#pragma once

#include <QColor>
#include <QRgb>
#include <cstdint>
#include <string>

namespace tf {

// A colour as the skin formats store it: red in the low byte, green in the
// second, blue in the third. A value with the top bit set names a system
// colour by its low byte.
using Color = uint32_t;

constexpr Color MakeColor(int red, int green, int blue)
{
    return Color(red & 0xFF) | (Color(green & 0xFF) << 8) | (Color(blue & 0xFF) << 16);
}
constexpr int RedOf(Color color) { return int(color & 0xFF); }
constexpr int GreenOf(Color color) { return int((color >> 8) & 0xFF); }
constexpr int BlueOf(Color color) { return int((color >> 16) & 0xFF); }

constexpr Color kBlack = MakeColor(0, 0, 0);
constexpr Color kWhite = MakeColor(255, 255, 255);
constexpr Color kMagenta = MakeColor(255, 0, 255); // transparent colour of all composed images
constexpr Color kBlue = MakeColor(0, 0, 255);

// What a pixel read outside a bitmap yields, as on Windows.
constexpr Color kInvalidColor = 0xFFFFFFFFu;

constexpr bool IsSystemColor(Color color) { return (color & 0x80000000u) != 0; }

// System colours resolve to the Windows defaults; a platform without system
// colours never produces such values, but state set by hand might.
Color ResolveSystemColor(Color color);

constexpr QRgb ToQRgb(Color color)
{
    return qRgb(RedOf(color), GreenOf(color), BlueOf(color));
}
constexpr Color FromQRgb(QRgb rgb) { return MakeColor(qRed(rgb), qGreen(rgb), qBlue(rgb)); }
inline QColor ToQColor(Color color) { return QColor(ToQRgb(ResolveSystemColor(color))); }
inline Color FromQColor(const QColor& color) { return MakeColor(color.red(), color.green(), color.blue()); }


} // namespace tf
