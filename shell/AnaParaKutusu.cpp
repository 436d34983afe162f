#include "shell/AnaParaKutusu.h"

#include "core/text/Amount.h"
#include "core/text/TextForms.h"
#include "shell/Controls.h"
#include "shell/Convert.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

using namespace mirvane;

namespace {

bool isTypeableCharacter(QChar c) {
    return c == u',' || (c >= u'0' && c <= u'9');
}

// Ctrl with a letter (or [, \, ]) makes a control character on the keyboard; the
// field takes none, so undo and cutting do nothing here (select-all and the
// clipboard keys are let through before this is asked).
bool makesControlCharacter(const QKeyEvent& event) {
    if (!(event.modifiers() & Qt::ControlModifier)) {
        return false;
    }
    const int key = event.key();
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_BracketLeft ||
           key == Qt::Key_Backslash || key == Qt::Key_BracketRight;
}

bool isPasteKey(const QKeyEvent& event) {
    return event.matches(QKeySequence::Paste) ||
           (event.key() == Qt::Key_Insert && (event.modifiers() & Qt::ShiftModifier));
}

const QString RefusalTip =
    QStringLiteral(
        "Tutar rakamlardan ve tek bir virgülden oluşur, en fazla %1 hane (örnek: 1.250.000,50).")
        .arg(text::AmountDigitLimit);

int charactersBefore(const QString& text, int position) {
    return int(text.left(position).size() - text.left(position).count(u'.'));
}

} // namespace

AnaParaKutusu::AnaParaKutusu(QWidget* parent) : QLineEdit(parent) {
    // The typed limit is enforced by the key filter instead of maxLength so that a
    // long amount, once grouped and given its decimals, is never cut short.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    shell::suppressContextMenu(this);
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
    case KeyVerdict::Copy:
        shell::copySelectionOrWhole(*this);
        event->accept();
        return;
    case KeyVerdict::Paste:
        pasteAmount();
        event->accept();
        return;
    }
}

AnaParaKutusu::KeyVerdict AnaParaKutusu::judge(const QKeyEvent& event) const {
    if (shell::isEnter(event)) {
        return KeyVerdict::MoveOn;
    }
    if (event.matches(QKeySequence::Copy)) {
        return KeyVerdict::Copy;
    }
    if (event.matches(QKeySequence::SelectAll)) {
        return KeyVerdict::Pass;
    }
    if (isPasteKey(event)) {
        return KeyVerdict::Paste;
    }
    if (event.matches(QKeySequence::Cut) || makesControlCharacter(event)) {
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

// A keystroke that leaves anything but digits, commas and full stops, or more
// digits than an amount may carry, is refused: characters are taken back from
// before the caret until the text may stand again. A deletion that changes
// nothing (caret at the start) ends the loop, as the keyboard's own Backspace
// would. A digit typed into or deleted from a grouped amount moves its full stops.
// A text that may stand but is no amount ("1,250,000") stays as typed, marked,
// and the calculation refuses it.
void AnaParaKutusu::numericGuard() {
    if (guarding_) {
        return;
    }
    guarding_ = true;
    const std::string current = text().toStdString();
    if (!text::isAmountInProgress(current)) {
        refuseEntry();
        while (!text::isAmountInProgress(text().toStdString())) {
            const QString before = text();
            backspace();
            if (text() == before) {
                break;
            }
        }
    } else if (const std::optional<std::string> regrouped = text::regroupAmount(current);
               regrouped && *regrouped != current && !text::parseAmount(current)) {
        setTextKeepingCaret(shell::toQString(*regrouped));
    }
    markWhetherAmount();
    guarding_ = false;
}

void AnaParaKutusu::markWhetherAmount() {
    const QString shown = text().trimmed();
    const bool amount =
        shown.isEmpty() || shown == QStringLiteral(",") || text::parseAmount(shown.toStdString());
    setToolTip(amount ? QString() : QStringLiteral("Tutar değil: ") + shown + u'\n' + RefusalTip);
    const QString frame =
        amount ? QString() : QStringLiteral("QLineEdit { border: 2px solid #c00000; }");
    if (styleSheet() != frame) {
        setStyleSheet(frame);
    }
}

void AnaParaKutusu::setTextKeepingCaret(const QString& newText) {
    const int kept = charactersBefore(text(), cursorPosition());
    setText(newText);
    int position = 0;
    while (position < newText.size() && charactersBefore(newText, position) < kept) {
        ++position;
    }
    setCursorPosition(position);
}

void AnaParaKutusu::refuseEntry() {
    QApplication::beep();
    QToolTip::showText(mapToGlobal(QPoint(0, height())), RefusalTip, this);
}

void AnaParaKutusu::pasteAmount() {
    const QString pasted = QGuiApplication::clipboard()->text().trimmed();
    QString result = text();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    result.replace(start, selectedText().size(), pasted);
    const std::string resultText = result.toStdString();
    // The typed limit counts keystrokes; a pasted amount may be as long as the
    // grouped form the field itself shows.
    const bool staysAnAmount = text::isAmountInProgress(resultText) &&
                               (text::parseAmount(resultText) || text::regroupAmount(resultText));
    if (!text::parseAmount(pasted.toStdString()) || !staysAnAmount) {
        refuseEntry();
        return;
    }
    insert(pasted);
}

void AnaParaKutusu::formatAsMoney() {
    if (const std::optional<double> value = text::parseAmount(text().toStdString())) {
        setText(shell::toQString(text::formatMoney(*value)));
    }
}
