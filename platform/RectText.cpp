#include "platform/RectText.h"

#include "platform/Numbers.h"

namespace tf {

std::string RectToStr(const Rect& rect, std::string_view separator)
{
    std::string text = std::to_string(rect.left);
    for (int32_t value : {rect.top, rect.right, rect.bottom}) {
        text += separator;
        text += std::to_string(value);
    }
    return text;
}

std::string RectToText(const Rect& rect)
{
    return RectToStr(rect, " ");
}

Rect StrToRect(std::string_view left, std::string_view top, std::string_view right,
               std::string_view bottom)
{
    Rect rect;
    rect.bottom = StrToInt(bottom);
    rect.right = StrToInt(right);
    rect.top = StrToInt(top);
    rect.left = StrToInt(left);
    return rect;
}

} // namespace tf
