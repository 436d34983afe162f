#pragma once

// A money field in the Turkish way: it takes only digits and the decimal comma,
// takes back at once a keystroke that leaves no number, and shows "##,##0.00"
// when left. The main window's principal and the editors' rate fields use it.

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
    enum class KeyVerdict { Pass, Swallow, MoveOn };
    KeyVerdict judge(const QKeyEvent& event) const;
    bool roomForOneMore() const;

    void numericGuard();
    void formatAsMoney();

    std::optional<int> typedLengthLimit_ = TypedLengthLimit;
    bool guarding_ = false;
};
