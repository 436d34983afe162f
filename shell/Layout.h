#pragma once

// The windows keep the fixed layout they were drawn with: places and sizes given
// in twips, one face and size for all their text, and captions that grow only as
// far as a different system font makes them need.

#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace mirvane::shell {

// 15 twips make one pixel at 96 dpi; Qt scales the pixels on denser screens.
inline constexpr int TwipsPerPixel = 15;

// The nearest whole pixel, halves rounded up.
constexpr int px(int twips) {
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

QRect twips(int left, int top, int width, int height);

// Names `widget` (tests find controls by name) and puts it on `area`.
template <class Widget> Widget* place(Widget* widget, const QString& name, const QRect& area) {
    widget->setObjectName(name);
    widget->setGeometry(area);
    return widget;
}

// A push button that Enter presses while it has the focus.
QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QRect& area);

// Which edge of a caption stays put when its text needs more room than the layout
// gives (fonts differ between systems): labels that sit just in front of their
// field keep their right edge, the others their left.
enum class FixedEdge { Left, Right };

// Puts `widget` on `area`, grown to the size its text needs, never shrunk.
void fitToText(QWidget* widget, const QRect& area, FixedEdge fixedEdge);

// The caption named "Etiket<index>", fitted to its text; one that keeps its right
// edge is also right-aligned, so that it ends at its field.
QLabel* label(QWidget* parent, int index, const QString& caption, const QRect& area,
              FixedEdge fixedEdge);

// The face the layout was drawn for, or the first installed face of the same narrow
// build; empty when none of them is installed.
QString installedLayoutFace();

// `font` in the face and size the layout was drawn for (the face of `font` when no
// such face is installed); the desktop's own size would not fit the fixed windows.
QFont layoutFont(QFont font);

} // namespace mirvane::shell
