#pragma once

// The two controls every window builds on, and the small behaviours the windows share.

#include <QDateEdit>
#include <QTreeWidget>
#include <optional>

#include "interest/Breakdown.h"

class QLabel;
class QLineEdit;

namespace mirvane::shell {

// A report-style list: one line per row, one column per heading.
class ListView : public QTreeWidget {
public:
    explicit ListView(QWidget* parent = nullptr);

    // Columns with widths as fractions of the view's width at the moment of the call.
    template <std::size_t N>
    void createColumns(const std::array<breakdown::Column, N>& columns);

    // Appends a row with its cell texts (cell 0 is the row text).
    void addRow(const QStringList& cells);
    // The text of cell `column` of row `row` (0-based).
    QString cellText(int row, int column) const;
    int rowCount() const;
    void removeAllRows();
};

// A date field dd.MM.yyyy with a calendar pop-up, 01.01.1601-31.12.9999, that can
// also hold no date (it then shows an empty text and date() is nullopt).
class DateTimePicker : public QDateEdit {
public:
    explicit DateTimePicker(QWidget* parent = nullptr);

    std::optional<QDate> value() const;
    void setValue(std::optional<QDate> date);
};

// Draws `label` in the highlight colour while `field` has the focus.
void highlightLabelWhileFocused(QLabel* label, QWidget* field);

// Enter (and Return) in `field` moves the focus on as Tab does and is not passed on.
void enterMovesFocus(QWidget* field);

// Keeps the edit menu off a text field (right click and the menu key show nothing).
void SuppressContextMenu(QLineEdit* field);

} // namespace mirvane::shell
