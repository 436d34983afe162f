#pragma once

// A money field in the Turkish way: it takes only digits and the decimal comma,
// takes back at once (with a beep and a word why) a keystroke that leaves no
// amount, and shows "##,##0.00" when left. It reads its text as mirvane-hesap
// does. The main window's principal and the editors' rate fields use it.

#include <QLineEdit>
#include <optional>

class AnaParaKutusu : public QLineEdit {
    Q_OBJECT
public:
    // Characters the user may type; the text formatted on leaving may be longer.
    static constexpr int TypedLengthLimit = 20;

    explicit AnaParaKutusu(QWidget* parent = nullptr);

    // Replaces the typed limit of TypedLengthLimit characters; nullopt lifts it.
    void setTypedLengthLimit(std::optional<int> limit);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // What a key press does to the field.
    enum class KeyVerdict { Pass, Swallow, MoveOn, Copy, Paste };
    KeyVerdict judge(const QKeyEvent& event) const;
    bool roomForOneMore() const;

    void numericGuard();
    void formatAsMoney();
    // Pastes the clipboard's text when it is an amount and the field holds one with
    // it; anything else is refused.
    void pasteAmount();
    void refuseEntry();
    // A red frame and a tooltip while the text is no amount.
    void markWhetherAmount();
    // Sets `newText`, keeping the caret after as many characters other than full
    // stops as stood before it.
    void setTextKeepingCaret(const QString& newText);

    std::optional<int> typedLengthLimit_ = TypedLengthLimit;
    bool guarding_ = false;
};
