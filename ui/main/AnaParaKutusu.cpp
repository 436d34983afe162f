#include "ui/main/AnaParaKutusu.h"

#include "shell/Controls.h"
#include "shell/Convert.h"
#include "text/TextForms.h"

#include <QKeyEvent>
#include <QMouseEvent>

using namespace mirvane;

namespace {

bool isTypeableCharacter(QChar c) {
    return c == u',' || (c >= u'0' && c <= u'9');
}

// Ctrl with a letter (or [, \, ]) makes a control character on the keyboard; the
// field takes none, so undo, select-all and the clipboard keys do nothing here.
bool makesControlCharacter(const QKeyEvent& event) {
    if (!(event.modifiers() & Qt::ControlModifier)) {
        return false;
    }
    const int key = event.key();
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_BracketLeft ||
           key == Qt::Key_Backslash || key == Qt::Key_BracketRight;
}

bool isClipboardKey(const QKeyEvent& event) {
    return event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Copy) ||
           event.matches(QKeySequence::Cut) ||
           (event.key() == Qt::Key_Insert && (event.modifiers() & Qt::ShiftModifier));
}

} // namespace

AnaParaKutusu::AnaParaKutusu(QWidget* parent) : QLineEdit(parent) {
    // The typed limit is enforced by the key filter instead of maxLength so that a
    // long amount, once grouped and given its decimals, is never cut short.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    shell::SuppressContextMenu(this);
    connect(this, &QLineEdit::textChanged, this, &AnaParaKutusu::numericGuard);
}

void AnaParaKutusu::keyPressEvent(QKeyEvent* event) {
    switch (judge(*event)) {
    case KeyVerdict::Pass:
        QLineEdit::keyPressEvent(event);
        return;
    case KeyVerdict::MoveOn:
        focusNextChild();
        event->accept();
        return;
    case KeyVerdict::Swallow:
        event->accept();
        return;
    }
}

AnaParaKutusu::KeyVerdict AnaParaKutusu::judge(const QKeyEvent& event) const {
    if (shell::isEnter(event)) {
        return KeyVerdict::MoveOn;
    }
    if (isClipboardKey(event) || makesControlCharacter(event)) {
        return KeyVerdict::Swallow;
    }
    const Qt::KeyboardModifiers chordModifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event.key() == Qt::Key_Backspace) {
        return chordModifiers ? KeyVerdict::Swallow : KeyVerdict::Pass;
    }
    const QString typed = event.text();
    if (typed.isEmpty() || !typed.at(0).isPrint()) {
        return KeyVerdict::Pass; // caret movement, Delete, Esc and the like
    }
    const bool accepted = !chordModifiers && typed.size() == 1 &&
                          isTypeableCharacter(typed.at(0)) && roomForOneMore();
    return accepted ? KeyVerdict::Pass : KeyVerdict::Swallow;
}

void AnaParaKutusu::setTypedLengthLimit(std::optional<int> limit) {
    typedLengthLimit_ = limit;
}

bool AnaParaKutusu::roomForOneMore() const {
    return !typedLengthLimit_ || text().size() - selectedText().size() < *typedLengthLimit_;
}

void AnaParaKutusu::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    formatAsMoney();
}

// The X11 selection paste on the middle button would bring in untyped text.
void AnaParaKutusu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

// Takes characters back from before the caret until the text is a number or
// empty. A deletion that changes nothing (caret at the start) ends the loop, as
// the keyboard's own Backspace would.
void AnaParaKutusu::numericGuard() {
    if (guarding_) {
        return;
    }
    guarding_ = true;
    while (!text().isEmpty() && !text::isNumericText(text().toStdString())) {
        const QString before = text();
        backspace();
        if (text() == before) {
            break;
        }
    }
    guarding_ = false;
}

void AnaParaKutusu::formatAsMoney() {
    if (const std::optional<double> value = text::parseNumber(text().toStdString())) {
        setText(shell::toQString(text::formatMoney(*value)));
    }
}
