#include "ui/claim/ClaimControls.h"

#include "core/text/TextForms.h"
#include "shell/Controls.h"
#include "shell/Convert.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace claimui {

namespace {

// Rows a little taller than the face: the desktop face draws the dots of capitals
// such as Ö and İ above its ascent, and a row only as tall as the face cuts them off
// ("Ödenmemiş" read as "Odenmemiş").
class RoomyRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(size.height() + option.fontMetrics.height() / 3);
        return size;
    }
};

} // namespace

QPushButton* namedButton(const QString& name, const QString& caption) {
    auto* button = named(new QPushButton(caption), name);
    button->setAutoDefault(true);
    return button;
}

QLabel* fieldLabel(const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    mirvane::shell::highlightLabelWhileFocused(label, field);
    return label;
}

QPalette warningPalette(const QPalette& base) {
    QPalette palette = base;
    palette.setColor(QPalette::WindowText, WarningColour);
    return palette;
}

void giveRoomyRows(QAbstractItemView* view) {
    view->setItemDelegate(new RoomyRows(view));
}

QWidget* buttonColumn(std::initializer_list<QPushButton*> buttons) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : buttons) {
        layout->addWidget(button);
    }
    layout->addStretch();
    return column;
}

QLabel* problemLabel(const QString& name) {
    auto* label = named(new QLabel, name);
    label->setWordWrap(true);
    label->setPalette(warningPalette(label->palette()));
    label->hide();
    return label;
}

void showProblemText(QLabel& label, const QString& text) {
    label.setText(text);
    label.setVisible(!text.isEmpty());
}

std::optional<QDate> qDateOf(const std::optional<std::chrono::sys_days>& date) {
    if (!date) {
        return std::nullopt;
    }
    return mirvane::shell::toQDate(*date);
}

std::optional<std::chrono::sys_days> dateOf(const mirvane::shell::DateTimePicker& picker) {
    const std::optional<QDate> value = picker.value();
    if (!value) {
        return std::nullopt;
    }
    return mirvane::shell::toSysDays(*value);
}

QString amountText(mirvane::claim::Kurus amount) {
    return amount > 0 ? mirvane::shell::toQString(mirvane::text::formatCents(amount)) : QString();
}

void showCells(mirvane::shell::ListView& view, int row, std::span<const std::string> cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
        view.setCellText(row, int(c), mirvane::shell::toQString(cells[c]));
    }
}

void markWrongRow(mirvane::shell::ListView& view, int& marked, int row) {
    for (const int r : {marked, row}) {
        if (r < 0 || r >= view.rowCount()) {
            continue;
        }
        QTreeWidgetItem* line = view.topLevelItem(r);
        for (int c = 0; c < view.columnCount(); ++c) {
            line->setForeground(c, r == row ? QBrush(WarningColour) : QBrush());
        }
    }
    marked = row;
}

} // namespace claimui
