#pragma once

#include "platform/Prompts.h"

class QWidget;

namespace tf {

// The message boxes as QMessageBox, owned by the given window (or by none
// before the main window exists).
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    MessageAnswer showMessage(MessageIcon icon, const QString& caption, const QString& text) override;

private:
    QWidget* m_owner;
};

} // namespace tf
