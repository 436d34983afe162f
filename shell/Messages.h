#pragma once

// Every message box of the program goes through here, so that it carries the
// program's caption, Turkish buttons, is centred over the active window, and so
// that tests can answer it.

#include "core/common/Errors.h"

#include <QString>
#include <functional>

class QWidget;

namespace mirvane::shell {

enum class Icon { Information, Question, Critical };
// NoYes: Yes and No with No the default, for a question whose Yes loses work.
enum class Buttons { Ok, YesNo, YesNoCancel, NoYes };
enum class Answer { Ok, Yes, No, Cancel };

struct MessageRequest {
    QString caption;
    QString text;
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
};

// Shows a message box and returns the answer; the real one is a modal QMessageBox
// ("Tamam", "Evet", "Hayır"; Yes the default) centred over the active window.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual Answer show(const MessageRequest& request) = 0;
};

// The boxes in use (the real ones unless a test installed its own).
MessageBoxes& messageBoxes();
// Installs `boxes` (not owned); nullptr restores the real ones.
void setMessageBoxes(MessageBoxes* boxes);

// A notice or refusal: information icon, OK, caption "Mirvane".
void showNotice(const QString& text);
// A confirmation: question icon, Yes and No, Yes the default; true for Yes.
bool askYesNo(const QString& text);
// The same with No the default, for a question whose Yes throws work away.
bool askYesNoDefaultNo(const QString& text);
// A question that may also be called off ("İptal", the escape answer): question
// icon, Yes the default.
Answer askYesNoCancel(const QString& text);

// The run-time error report ("Hata oluştu!", stop icon, Yes/No). Returns true
// when the user chose to continue. On No it returns false and the program ender
// runs: the program then ends through the main window's own close, which asks
// about every unsaved claim file and writes the settings, once the step that
// failed has returned.
bool reportError(const RunTimeError& error);

// How the program ends after a No in the error report (the close below by default;
// tests install their own). nullptr restores the default.
void setProgramEnder(std::function<void()> ender);

// The close the default ender asks for: the main window closing without its
// question. The start-up installs it once the main window exists; until then a No
// only marks the end as requested, and the start-up stops at its next step.
void setProgramCloser(std::function<void()> closer);

// Whether a No in the error report asked for the end that has not yet been tried.
bool endRequested();

// Runs `step`; when it yields an error, reports it. Returns false only if the
// user chose to end (which, with the real ender, does not return at all).
bool runStep(const std::function<Status()>& step);

} // namespace mirvane::shell
