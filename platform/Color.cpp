#include "platform/Color.h"

#include <array>

namespace tf {

Color ResolveSystemColor(Color color)
{
    if (!IsSystemColor(color))
        return color;
    // Default colours of the Windows classic scheme, by system colour index.
    static constexpr std::array<Color, 31> defaults = {
        MakeColor(212, 208, 200), MakeColor(58, 110, 165),  MakeColor(10, 36, 106),
        MakeColor(128, 128, 128), MakeColor(212, 208, 200), MakeColor(255, 255, 255),
        MakeColor(0, 0, 0),       MakeColor(0, 0, 0),       MakeColor(0, 0, 0),
        MakeColor(255, 255, 255), MakeColor(212, 208, 200), MakeColor(212, 208, 200),
        MakeColor(128, 128, 128), MakeColor(10, 36, 106),   MakeColor(255, 255, 255),
        MakeColor(212, 208, 200), MakeColor(128, 128, 128), MakeColor(128, 128, 128),
        MakeColor(0, 0, 0),       MakeColor(212, 208, 200), MakeColor(255, 255, 255),
        MakeColor(64, 64, 64),    MakeColor(212, 208, 200), MakeColor(0, 0, 0),
        MakeColor(255, 255, 225), MakeColor(181, 181, 181), MakeColor(0, 0, 128),
        MakeColor(166, 202, 240), MakeColor(192, 192, 192), MakeColor(49, 106, 197),
        MakeColor(236, 233, 216),
    };
    const unsigned index = color & 0xFF;
    return index < defaults.size() ? defaults[index] : kBlack;
}

} // namespace tf
