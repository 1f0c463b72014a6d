#pragma once

#include "platform/Product.h"

#include <QString>

namespace tf {

// Caption of the standard error box.
inline const QString kApplicationTitle = kProductName;

enum class MessageIcon { Information, Warning, Error };

// How a message box was closed: with its OK button, or any other way (the
// window's close button, Escape).
enum class MessageAnswer { Ok, Closed };

// The modal message boxes of the system. The window shows them with
// QMessageBox; tests and the command-line converter answer them by script.
class Prompts {
public:
    virtual ~Prompts() = default;
    // A box with one OK button; returns when it is closed.
    virtual MessageAnswer showMessage(MessageIcon icon, const QString& caption,
                                      const QString& text) = 0;
    // The standard error box: error icon, the error's text, the application
    // title as caption.
    void showError(const QString& text) { showMessage(MessageIcon::Error, kApplicationTitle, text); }
};

} // namespace tf
