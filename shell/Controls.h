#pragma once

// The two controls every window builds on, and the small behaviours the windows share.

#include "core/interest/Breakdown.h"
#include "shell/ColumnWidths.h"

#include <QDateEdit>
#include <QPointer>
#include <QTreeWidget>
#include <optional>
#include <span>
#include <vector>

class QCalendarWidget;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace mirvane::shell {

// A report-style list: one line per row, one column per heading.
class ListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);

    // Columns with widths as fractions of the view's width at the moment of the call.
    void createColumns(std::span<const breakdown::Column> columns);
    // The widths are set from the texts by the caller from now on: the designed shares
    // no longer come back on a resize or a new amount (the two would undo each other).
    void leaveWidthsToCaller();

    // Appends a row with its cell texts (cell 0 is the row text).
    void addRow(const QStringList& cells);
    // Appends many rows at once, far faster than one by one.
    void addRows(const QList<QStringList>& rows);
    // The text of cell `column` of row `row` (0-based).
    QString cellText(int row, int column) const;
    int rowCount() const;
    void removeAllRows();

    void setCellText(int row, int column, const QString& text);
    void removeRow(int row);
    // The selected row (0-based), -1 when none is selected.
    int selectedRow() const;
    // Selects the row and makes it current; -1 clears the selection.
    void selectRow(int row);

protected:
    // A cell too narrow for its text shows the whole text as a tooltip.
    bool viewportEvent(QEvent* event) override;
    // The columns keep their shares of the view's width when it grows.
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidgetItem* newItem(const QStringList& cells) const;
    // Makes room for the amounts among `cells`.
    void keepAmountsWhole(const QStringList& cells);

    std::vector<Qt::Alignment> alignments_;
    ColumnWidths widths_;
    bool widened_ = false; // a column is wider than its share for an amount
    bool designedWidths_ = true;
};

// A date field dd.MM.yyyy with a calendar pop-up, 01.01.1601-31.12.9999, that can
// also hold no date (it then shows an empty text and value() is nullopt).
class DateTimePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DateTimePicker(QWidget* parent = nullptr);

    std::optional<QDate> value() const;
    void setValue(std::optional<QDate> date);
    // Sets the date a short-date text (dd.MM.yyyy) denotes; any other text empties it.
    void setValueText(const QString& text);

    // Ends a date being typed: a whole, real date becomes the value; anything else is
    // dropped and the field shows its value again. Readers of the value call it first
    // when a button may be pressed by its access key while the date is half typed.
    void finishTyping();

    // Stepping (arrow keys, wheel) from no date starts at today, and never steps into no date.
    void stepBy(int steps) override;

    // The text of the last entry refused for naming no real date ("31.02.2026", a
    // two-digit year); empty once a valid date has been entered or set. While it is
    // there, the field keeps its value and shows the refusal (red frame, tooltip).
    const QString& refusedEntry() const { return refused_; }
    // The notice that a calculation or an entry must not go on from this field:
    // empty or refused. `fieldName` is the caption the user knows the field by.
    // Empty when the field holds a usable date.
    QString problemNotice(const QString& fieldName) const;

    // The calendar of the pop-up, made when first asked for or first opened: a window
    // opens faster without two calendars nobody has looked at yet.
    QCalendarWidget* calendarWidget() const;

    // Wide enough for the longest date whatever the style takes for its button: a style
    // whose button is wider than it asks room for would cut the year's last digit.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user changed the text of the field, whether or not it is a date yet.
    void edited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab leaves the field like any other; the sections are reached by typing and arrows.
    bool event(QEvent* event) override;

private:
    bool startsWholeDate(const QKeyEvent& event) const;
    void typeCharacter(QChar character);
    void eraseTypedCharacter();
    void showTyped();
    void showValue();
    bool editingFollowsAFullStop() const;
    // The text the editor shows when it is not the value's own (a section edited
    // in place, everything deleted); nullopt when it shows the value.
    std::optional<QString> entryOffValue() const;
    void refuse(const QString& entry);
    void clearRefusal();
    void prepareCalendar(QCalendarWidget* calendar);

    // A date typed from its day on, gathered as written ("1.7.2005", "01072005") and
    // read as a whole once its year is complete: QDateEdit would check each day
    // against the month shown before the new month is typed (31 in a 30-day month
    // became 30, silently).
    QString typed_;
    // Set when a typed digit filled its section and the editor moved on by itself;
    // the full stop typed after it then belongs to the section already left.
    bool sectionFilledByDigit_ = false;
    QString refused_;
    QPointer<QCalendarWidget> preparedCalendar_;
};

// Draws `label` in the highlight colour while `field` has the focus.
void highlightLabelWhileFocused(QLabel* label, QWidget* field);

// Whether the key is Return or the keypad's Enter, whatever modifiers are held.
bool isEnter(const QKeyEvent& event);

// Enter (and Return) in `field` moves the focus on as Tab does and is not passed on.
void enterMovesFocus(QWidget* field);

// What Ctrl+C copies in a field: the selected text, or the whole value when nothing is
// selected (an empty field leaves the clipboard alone).
void copySelectionOrWhole(const QLineEdit& field);

// Keeps the edit menu off a text field (right click and the menu key show nothing).
void suppressContextMenu(QLineEdit* field);

} // namespace mirvane::shell
