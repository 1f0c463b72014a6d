#include "window/QtPrompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QScopeGuard>

namespace tf {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QtPrompts::showMessage(MessageIcon icon, const QString& caption, const QString& text)
{
    // A box raised in the middle of an open has to be answered: the
    // ordinary cursor over it, not the busy one.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto restore = qScopeGuard([busy] {
        if (busy)
            QApplication::restoreOverrideCursor();
    });
    QMessageBox box(ToQtIcon(icon), caption, text, QMessageBox::Ok, m_owner);
    // A box with its one OK button treats Escape and the close button as OK,
    // as an OK-only Windows message box does.
    box.exec();
    return MessageAnswer::Ok;
}

} // namespace tf
