#pragma once

#include "kit/Messages.h"

#include <QStringList>
#include <deque>

namespace tkd::test {

// Answers the program's message boxes in order and remembers what they said.
class ScriptedMessages {
public:
    ScriptedMessages()
    {
        gui::Messages::setHandler([this](const gui::MessageRequest& r) {
            texts << r.text;
            icons.push_back(r.icon);
            if (answers.empty())
                return true;
            const bool answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    ~ScriptedMessages() { gui::Messages::resetHandler(); }
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // Answers for the next questions; when none is left, every box is answered OK.
    void answer(std::initializer_list<bool> next) { answers.insert(answers.end(), next); }

    QStringList texts;
    std::vector<gui::MessageIcon> icons;
    std::deque<bool> answers;
};

} // namespace tkd::test
