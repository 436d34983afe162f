#pragma once

// What the window tests share: message boxes that answer from a script and keep
// what they were asked, and the check that a test leaves no window behind.

#include "shell/Convert.h"
#include "shell/Messages.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <deque>
#include <string_view>
#include <vector>

namespace guitest {

// A text the test writes as a UTF-8 literal: an expected line, a control's name.
inline QString q(std::string_view text) {
    return mirvane::shell::toQString(text);
}

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

// The top-level widgets still there once the deletes asked for have run, each by its
// object name (its class when it has none); hidden ones count too.
inline QStringList leftTopLevelWidgets() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QStringList left;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        // The tool tip is Qt's one window of its kind, kept for the next tip.
        if (widget->windowType() == Qt::ToolTip) {
            continue;
        }
        left << (widget->objectName().isEmpty()
                     ? QString::fromLatin1(widget->metaObject()->className())
                     : widget->objectName());
    }
    return left;
}

// Called at the end of every window test's cleanup(): as in Qt's own tests, a test
// that leaves a window (or a dialog, a menu) behind fails, naming what it left.
inline void checkNoTopLevelWidgetLeft() {
    const QStringList left = leftTopLevelWidgets();
    QVERIFY2(left.isEmpty(), qPrintable(QStringLiteral("left behind: ") + left.join(u", ")));
}

} // namespace guitest
