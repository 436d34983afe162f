#pragma once

// What the window tests share: message boxes that answer from a script and keep
// what they were asked.

#include "shell/Messages.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace guitest {

// Answers each box with the next scripted answer; once the script has run out,
// with the box's affirmative answer (OK, or Yes to a question), so that an
// unexpected error report lets the test go on.
class FakeBoxes : public mirvane::shell::MessageBoxes {
public:
    mirvane::shell::Answer show(const mirvane::shell::MessageRequest& request) override {
        using mirvane::shell::Answer;
        requests.push_back(request);
        if (answers.empty()) {
            return request.buttons == mirvane::shell::Buttons::Ok ? Answer::Ok : Answer::Yes;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList texts() const {
        QStringList list;
        for (const mirvane::shell::MessageRequest& request : requests) {
            list << request.text;
        }
        return list;
    }

    std::vector<mirvane::shell::MessageRequest> requests;
    std::deque<mirvane::shell::Answer> answers;
};

} // namespace guitest
