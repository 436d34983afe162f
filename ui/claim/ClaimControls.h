#pragma once

// What the parts of the claim window build their controls with: every control carries
// its name, every field its label, and what is wrong is drawn in one red.

#include <QColor>
#include <QString>

class QAbstractItemView;
class QLabel;
class QPalette;
class QPushButton;
class QWidget;

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

} // namespace claimui
