#pragma once

#include "platform/Prompts.h"

#include <deque>
#include <functional>
#include <vector>

namespace tf {

// Answers from a queue, then with a fixed answer, and remembers every box.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        MessageIcon Icon;
        QString Caption;
        QString Text;
    };

    explicit ScriptedPrompts(MessageAnswer defaultAnswer = MessageAnswer::Ok)
        : m_defaultAnswer(defaultAnswer)
    {
    }

    MessageAnswer showMessage(MessageIcon icon, const QString& caption, const QString& text) override
    {
        m_shown.push_back({icon, caption, text});
        if (onShow)
            onShow(m_shown.back());
        if (m_answers.empty())
            return m_defaultAnswer;
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    // Called as each box comes up, to look at the world as it stands then.
    std::function<void(const Shown&)> onShow;

    void queueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Shown>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    MessageAnswer m_defaultAnswer;
    std::deque<MessageAnswer> m_answers;
    std::vector<Shown> m_shown;
};

} // namespace tf
