#include "shell/Controls.h"

#include "core/text/TextForms.h"
#include "shell/ColumnWidths.h"
#include "shell/Convert.h"
#include "shell/SharedValues.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolTip>
#include <algorithm>

namespace mirvane::shell {

namespace {

const QDate FirstDate(1601, 1, 1);
const QDate LastDate(9999, 12, 31);
// The day before the range stands for "no date": the picker shows its special
// (blank) text there.
const QDate NoDate(1600, 12, 31);

const QLocale& turkish() {
    static const QLocale locale(QLocale::Turkish, QLocale::Turkey);
    return locale;
}

// The field's focus and keys may arrive at the line edit inside it (date pickers,
// editable combo boxes), so the filters watch both.
void watchFieldAndEditor(QWidget* field, QObject* filter) {
    field->installEventFilter(filter);
    for (QLineEdit* editor : field->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        editor->installEventFilter(filter);
    }
}

class LabelHighlighter : public QObject {
public:
    LabelHighlighter(QLabel* label, QWidget* field) : QObject(field), label_(label) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            paint(shared().LabelHighlightColour);
            // Opening the calendar pop-up takes the focus only for the time of the pop-up.
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            paint(label_ ? label_->window()->palette().color(QPalette::WindowText) : QColor());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void paint(const QColor& colour) {
        if (!label_) {
            return;
        }
        QPalette palette = label_->palette();
        palette.setColor(QPalette::WindowText, colour);
        label_->setPalette(palette);
    }

    QPointer<QLabel> label_;
};

bool isPlainEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    return plain && isEnter(*key);
}

class EnterAsTab : public QObject {
public:
    explicit EnterAsTab(QWidget* field) : QObject(field), field_(field) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isPlainEnter(event)) {
            return QObject::eventFilter(watched, event);
        }
        // A Tab given to the window moves on from its focus widget the way the Tab
        // key does; given to a date field it would only move between day, month
        // and year.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(field_->window(), &tab);
        return true;
    }

private:
    QWidget* field_;
};

} // namespace

bool isEnter(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setUpReportTree(*this);
}

void ListView::createColumns(std::span<const breakdown::Column> columns) {
    setColumnCount(int(columns.size()));
    alignments_.clear();
    QStringList headers;
    for (const breakdown::Column& column : columns) {
        headers << toQString(column.header);
    }
    setHeaderLabels(headers);
    for (int i = 0; i < int(columns.size()); ++i) {
        const Qt::Alignment align = alignmentOf(columns[std::size_t(i)].align);
        alignments_.push_back(align);
        headerItem()->setTextAlignment(i, align);
    }
    widths_.design(*this, columns);
}

void ListView::leaveWidthsToCaller() {
    designedWidths_ = false;
}

void ListView::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    if (designedWidths_) {
        widths_.apply(*this);
    }
}

void ListView::keepAmountsWhole(const QStringList& cells) {
    if (!designedWidths_) {
        return;
    }
    bool wider = false;
    for (int i = 0; i < int(cells.size()); ++i) {
        wider = widths_.fitAmount(*this, i, cells[i]) || wider;
    }
    if (wider) {
        widened_ = true;
        widths_.apply(*this);
    }
}

void ListView::addRow(const QStringList& cells) {
    addTopLevelItem(newItem(cells));
    keepAmountsWhole(cells);
}

void ListView::addRows(const QList<QStringList>& rows) {
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const QStringList& cells : rows) {
        items.append(newItem(cells));
        keepAmountsWhole(cells);
    }
    addTopLevelItems(items);
}

// Aligned before it joins the view, so no change is signalled per cell.
QTreeWidgetItem* ListView::newItem(const QStringList& cells) const {
    auto* item = new QTreeWidgetItem(cells);
    for (int i = 0; i < int(alignments_.size()); ++i) {
        item->setTextAlignment(i, alignments_[i]);
    }
    return item;
}

QString ListView::cellText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column) : QString();
}

int ListView::rowCount() const {
    return topLevelItemCount();
}

void ListView::removeAllRows() {
    clear();
    widths_.forgetAmounts();
    if (widened_) {
        widened_ = false;
        widths_.apply(*this);
    }
}

void ListView::setCellText(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setText(column, text);
        QStringList cells(column + 1, QString());
        cells[column] = text;
        keepAmountsWhole(cells);
    }
}

void ListView::removeRow(int row) {
    delete takeTopLevelItem(row);
}

bool ListView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QTreeWidget::viewportEvent(event);
    }
    showCutCellText(*this, event);
    return true;
}

int ListView::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void ListView::selectRow(int row) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item) {
        clearSelection();
        return;
    }
    setCurrentItem(item);
    item->setSelected(true);
}

DateTimePicker::DateTimePicker(QWidget* parent) : QDateEdit(parent) {
    // A date chosen another way (the calendar, the program) ends any typing and
    // any refusal.
    connect(this, &QDateEdit::dateChanged, this, [this] {
        typed_.clear();
        clearRefusal();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &DateTimePicker::edited);
    setLocale(turkish());
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setCalendarPopup(true);
    setDateRange(NoDate, LastDate);
    setSpecialValueText(QStringLiteral(" "));
    setValue(shared().today());
}

namespace {

// QLineEdit keeps this much room on either side of its text.
constexpr int LineEditTextMargin = 2;

// With its calendar pop-up the field is laid out as an editable combo box, but Qt asks
// the style for its size as for a plain one: where the style draws an editable one's
// button wider (Windows' own style under Wine), the text is cut.
QSize widenedToShow(const QDateEdit& field, QSize hint, const QString& longest) {
    QStyleOptionComboBox option;
    option.initFrom(&field);
    option.rect = QRect(QPoint(), hint);
    option.editable = true;
    option.subControls = QStyle::SC_ComboBoxEditField;
    const QRect text = field.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, &field);
    const int needed = field.fontMetrics().horizontalAdvance(longest) + 2 * LineEditTextMargin + 1;
    if (text.width() < needed) {
        hint.rwidth() += needed - text.width();
    }
    return hint;
}

} // namespace

QSize DateTimePicker::sizeHint() const {
    return widenedToShow(*this, QDateEdit::sizeHint(), textFromDateTime(LastDate.startOfDay()));
}

QSize DateTimePicker::minimumSizeHint() const {
    return widenedToShow(*this, QDateEdit::minimumSizeHint(),
                         textFromDateTime(LastDate.startOfDay()));
}

std::optional<QDate> DateTimePicker::value() const {
    const QDate current = date();
    if (current < FirstDate) {
        return std::nullopt;
    }
    return current;
}

void DateTimePicker::setValue(std::optional<QDate> date) {
    clearRefusal();
    if (!date || !date->isValid()) {
        setDate(NoDate);
    } else {
        setDate(std::clamp(*date, FirstDate, LastDate));
    }
}

void DateTimePicker::setValueText(const QString& text) {
    const std::optional<Date> day = text::parseDate(toStdString(text));
    setValue(day ? std::optional<QDate>(toQDate(*day)) : std::nullopt);
}

void DateTimePicker::stepBy(int steps) {
    finishTyping();
    if (!value()) {
        setValue(shared().today());
        return;
    }
    QDateEdit::stepBy(steps);
    if (!value()) {
        setValue(FirstDate);
    }
}

void DateTimePicker::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!typed_.isEmpty() && plain && event->key() == Qt::Key_Backspace) {
        eraseTypedCharacter();
        event->accept();
        return;
    }
    if (plain && typed.size() == 1 &&
        (typed.front().isDigit() || typed.front() == QLatin1Char('.')) &&
        (!typed_.isEmpty() || startsWholeDate(*event))) {
        typeCharacter(typed.front());
        event->accept();
        return;
    }
    finishTyping();
    // The part the field highlights by itself is no selection of the user's: with
    // it, Ctrl+C copies the whole date.
    if (event->matches(QKeySequence::Copy)) {
        const QLineEdit* editor = lineEdit();
        const bool ownSection = editor->selectedText() == sectionText(currentSection());
        if (editor->hasSelectedText() && !ownSection) {
            copySelectionOrWhole(*editor);
        } else if (!editor->text().isEmpty()) {
            QGuiApplication::clipboard()->setText(editor->text());
        }
        event->accept();
        return;
    }

    const bool isDigit = !typed.isEmpty() && typed.front().isDigit();
    // "07.2005" typed into the month: after "07" the editor is already in the year,
    // so the full stop that follows must not move it on.
    if (typed == QStringLiteral(".") && sectionFilledByDigit_) {
        sectionFilledByDigit_ = false;
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
    sectionFilledByDigit_ = isDigit && editingFollowsAFullStop();
}

// A whole date is typed into an empty field, or from the day on; typing into the
// month or the year changes just that part.
bool DateTimePicker::startsWholeDate(const QKeyEvent& event) const {
    return event.text().front().isDigit() &&
           (!value() || currentSection() == QDateTimeEdit::DaySection ||
            lineEdit()->selectedText() == lineEdit()->text());
}

void DateTimePicker::typeCharacter(QChar character) {
    const auto dots = [this] {
        return typed_.count(QLatin1Char('.'));
    };
    const auto part = [this] {
        return typed_.mid(typed_.lastIndexOf(QLatin1Char('.')) + 1);
    };
    if (character == QLatin1Char('.')) {
        // A full stop closes the day or the month; after one the editor added itself
        // (or at the start, or in the year) it has nothing to close.
        if (part().isEmpty() || dots() == 2) {
            return;
        }
        typed_ += character;
        emit edited();
    } else {
        if (dots() == 2 && part().size() == 4) {
            return;
        }
        if (dots() < 2 && part().size() == 2) {
            typed_ += QLatin1Char('.');
        }
        typed_ += character;
        if (dots() < 2 && part().size() == 2) {
            typed_ += QLatin1Char('.');
        }
    }
    emit edited();
    if (dots() == 2 && part().size() == 4) {
        finishTyping();
        return;
    }
    showTyped();
}

void DateTimePicker::eraseTypedCharacter() {
    typed_.chop(1);
    emit edited();
    if (typed_.isEmpty()) {
        showValue();
        return;
    }
    showTyped();
}

// A text without a digit left in it (everything selected and deleted) is no date
// at all, and the field is then empty, never quietly back on its earlier value. A
// text that names no real date is refused: the value stays, and the field says so.
void DateTimePicker::finishTyping() {
    const std::optional<QString> pending =
        typed_.isEmpty() ? entryOffValue() : std::optional<QString>(typed_);
    typed_.clear();
    if (!pending) {
        return;
    }
    const QString& entry = *pending;
    if (!std::any_of(entry.begin(), entry.end(), [](QChar c) { return c.isDigit(); })) {
        clearRefusal();
        setValue(std::nullopt);
        showValue();
        return;
    }
    const std::optional<Date> day = text::parseDate(toStdString(entry));
    const std::optional<QDate> date = day ? std::optional<QDate>(toQDate(*day)) : std::nullopt;
    if (date && *date >= FirstDate && *date <= LastDate) {
        clearRefusal();
        if (*date != this->date()) {
            setValue(date);
        }
        showValue();
        return;
    }
    QApplication::beep();
    refuse(entry.trimmed());
    showValue();
}

std::optional<QString> DateTimePicker::entryOffValue() const {
    const std::optional<QDate> current = value();
    const QString shown =
        current ? current->toString(QStringLiteral("dd.MM.yyyy")) : specialValueText();
    const QString text = lineEdit()->text();
    if (text == shown || (!current && text.trimmed().isEmpty())) {
        return std::nullopt;
    }
    return text;
}

void DateTimePicker::refuse(const QString& entry) {
    refused_ = entry;
    const QString tip = QStringLiteral("Geçersiz tarih: ") + entry;
    setToolTip(tip);
    setStyleSheet(QStringLiteral("QDateEdit { border: 2px solid #c00000; }"));
    if (isVisible()) {
        QToolTip::showText(mapToGlobal(QPoint(0, height())), tip, this);
    }
}

void DateTimePicker::clearRefusal() {
    if (refused_.isEmpty()) {
        return;
    }
    refused_.clear();
    setToolTip(QString());
    setStyleSheet(QString());
}

QString DateTimePicker::problemNotice(const QString& fieldName) const {
    const QString quoted = u'"' + fieldName + u'"';
    if (!refused_.isEmpty()) {
        return quoted + QStringLiteral(" geçerli bir tarih değil: ") + refused_;
    }
    if (!value()) {
        return quoted + QStringLiteral(" boş bırakılamaz!");
    }
    return {};
}

// The text being typed stands in the field as written; the editor's own checks are
// kept out of it until the date is whole.
void DateTimePicker::showTyped() {
    const QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(typed_);
    lineEdit()->setCursorPosition(int(typed_.size()));
}

void DateTimePicker::showValue() {
    const QSignalBlocker quiet(lineEdit());
    const std::optional<QDate> current = value();
    lineEdit()->setText(current ? current->toString(QStringLiteral("dd.MM.yyyy"))
                                : specialValueText());
    setSelectedSection(QDateTimeEdit::DaySection);
}

void DateTimePicker::focusOutEvent(QFocusEvent* event) {
    finishTyping();
    QDateEdit::focusOutEvent(event);
}

// Whether the place typing goes on from comes right after a full stop, that is at the
// start of the month or the year.
bool DateTimePicker::editingFollowsAFullStop() const {
    const QLineEdit* editor = lineEdit();
    const int position =
        editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
    return position > 0 && editor->text().at(position - 1) == QLatin1Char('.');
}

QCalendarWidget* DateTimePicker::calendarWidget() const {
    QCalendarWidget* calendar = QDateEdit::calendarWidget();
    const_cast<DateTimePicker*>(this)->prepareCalendar(calendar);
    return calendar;
}

// The pop-up speaks Turkish like the field, and an empty field opens it on today.
void DateTimePicker::prepareCalendar(QCalendarWidget* calendar) {
    if (!calendar || calendar == preparedCalendar_) {
        return;
    }
    calendar->setLocale(turkish());
    // The calendar took its first weekday from the default locale when it was made.
    calendar->setFirstDayOfWeek(turkish().firstDayOfWeek());
    calendar->installEventFilter(this);
    preparedCalendar_ = calendar;
}

bool DateTimePicker::event(QEvent* event) {
    // QDateEdit makes its pop-up by itself when it first opens and polishes it, the
    // calendar inside included, before showing it.
    if (event->type() == QEvent::ChildPolished) {
        prepareCalendar(findChild<QCalendarWidget*>());
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plainTab = key->key() == Qt::Key_Tab &&
                              !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plainTab || key->key() == Qt::Key_Backtab) {
            // QDateEdit would step to its next section; the base widget moves the focus.
            QWidget::focusNextPrevChild(key->key() == Qt::Key_Tab &&
                                        !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QDateEdit::event(event);
}

bool DateTimePicker::eventFilter(QObject* watched, QEvent* event) {
    // An empty picker opens its calendar on the current month, not on the marker day.
    if (watched == preparedCalendar_ && event->type() == QEvent::Show && !value()) {
        const QDate today = shared().today();
        preparedCalendar_->setCurrentPage(today.year(), today.month());
    }
    return QDateEdit::eventFilter(watched, event);
}

void highlightLabelWhileFocused(QLabel* label, QWidget* field) {
    watchFieldAndEditor(field, new LabelHighlighter(label, field));
}

void enterMovesFocus(QWidget* field) {
    watchFieldAndEditor(field, new EnterAsTab(field));
}

void copySelectionOrWhole(const QLineEdit& field) {
    const QString copied = field.hasSelectedText() ? field.selectedText() : field.text();
    if (!copied.isEmpty()) {
        QGuiApplication::clipboard()->setText(copied);
    }
}

void suppressContextMenu(QLineEdit* field) {
    // Unlike NoContextMenu, this does not hand the request on to the parent either.
    field->setContextMenuPolicy(Qt::PreventContextMenu);
}

} // namespace mirvane::shell
