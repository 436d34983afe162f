#pragma once

// What the parts of the claim window build their controls with: every control carries
// its name, every field its label, and what is wrong is drawn in one red.

#include "core/claim/ClaimFile.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

class QAbstractItemView;
class QLabel;
class QPalette;
class QPushButton;
class QWidget;

namespace mirvane::shell {
class DateTimePicker;
class ListView;
} // namespace mirvane::shell

namespace claimui {

// The red of a wrong row and of the lines that say what is wrong.
inline const QColor WarningColour(160, 0, 0);

template <class Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// A button that Enter presses while it has the focus.
QPushButton* namedButton(const QString& name, const QString& caption);

// The label of `field`: its access key goes to the field, and it stands out while the
// field has the focus.
QLabel* fieldLabel(const QString& text, QWidget* field);

// `base` with its text in the warning red.
QPalette warningPalette(const QPalette& base);

// Rows a little taller than the face, for every list of the claim window.
void giveRoomyRows(QAbstractItemView* view);

// What a part of the inputs asks of the window it stands in.
struct PartHooks {
    // An input changed: the file is modified and computed again.
    std::function<void()> changed;
    // The problem on display may have moved (a row just added was left).
    std::function<void()> showProblem;
};

// `buttons` one under the other, at the top.
QWidget* buttonColumn(std::initializer_list<QPushButton*> buttons);
// The line under a part of the inputs that says what is wrong there; hidden.
QLabel* problemLabel(const QString& name);
// Shows `text` on a problem label, or hides it when the text is empty.
void showProblemText(QLabel& label, const QString& text);

std::optional<QDate> qDateOf(const std::optional<std::chrono::sys_days>& date);
// The date a picker holds; nullopt while it is empty.
std::optional<std::chrono::sys_days> dateOf(const mirvane::shell::DateTimePicker& picker);
// An amount as a field shows it: empty for none.
QString amountText(mirvane::claim::Kurus amount);

// The cells of a row of `view`, from the left.
void showCells(mirvane::shell::ListView& view, int row, std::span<const std::string> cells);
// Draws `row` of `view` in the warning red (none for -1) and the row `marked` was before
// plainly again; `marked` becomes `row`.
void markWrongRow(mirvane::shell::ListView& view, int& marked, int row);

} // namespace claimui
