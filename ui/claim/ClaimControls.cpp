#include "ui/claim/ClaimControls.h"

#include "shell/Controls.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStyledItemDelegate>

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

} // namespace claimui
