#pragma once

#include <QString>
#include <deque>
#include <vector>

namespace tf {

// Caption of the standard error box.
inline const QString kApplicationTitle = QStringLiteral("Tessaform Convertor");

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

// Answers from a queue, then with a fixed answer, and remembers every box.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        MessageIcon icon;
        QString caption;
        QString text;
    };

    explicit ScriptedPrompts(MessageAnswer defaultAnswer = MessageAnswer::Ok)
        : m_defaultAnswer(defaultAnswer)
    {
    }

    MessageAnswer showMessage(MessageIcon icon, const QString& caption, const QString& text) override
    {
        m_shown.push_back({icon, caption, text});
        if (m_answers.empty())
            return m_defaultAnswer;
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void queueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Shown>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    MessageAnswer m_defaultAnswer;
    std::deque<MessageAnswer> m_answers;
    std::vector<Shown> m_shown;
};

} // namespace tf
