#include "skin/GrowRect.h"

#include <QCoreApplication>

namespace tf {

Rect GrowRect(Prompts& prompts, const Rect& base, const Rect& delta)
{
    const Rect grown{Rect::WrapSub(base.left, delta.left), Rect::WrapSub(base.top, delta.top),
                     Rect::WrapAdd(base.right, delta.right), Rect::WrapAdd(base.bottom, delta.bottom)};
    if (grown.left >= 0 && grown.top >= 0 && grown.right >= 0 && grown.bottom >= 0)
        return grown;
    const MessageAnswer answer = prompts.showMessage(
        MessageIcon::Information, QCoreApplication::translate("Skin", "情報"),
        QCoreApplication::translate("Skin", "Rectの値が0より小さくなりました。デフォルトの値を使用します。"));
    return answer == MessageAnswer::Ok ? base : grown;
}

} // namespace tf
