#pragma once
// Answers the message boxes in tests: records every message and gives queued answers
// (the first button when none is queued).
#include "ui/messages.h"

#include <QString>
#include <deque>
#include <vector>

struct RecordedMessage {
    messages::Kind kind;
    QString text;
    messages::Buttons buttons;
};

class RecordingPrompter final : public messages::Prompter {
public:
    RecordingPrompter() : m_scope(*this) {}

    messages::Answer ask(messages::Kind kind, const QString &text, messages::Buttons buttons) override
    {
        asked.push_back({kind, text, buttons});
        if (answers.empty())
            return buttons == messages::Buttons::Ok ? messages::Answer::Ok : messages::Answer::Yes;
        const messages::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<RecordedMessage> asked;
    std::deque<messages::Answer> answers;

private:
    messages::ScopedPrompter m_scope;
};
