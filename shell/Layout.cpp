#include "shell/Layout.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace mirvane::shell {

QRect twips(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QRect& area) {
    auto* pushButton = place(new QPushButton(caption, parent), name, area);
    // Enter on a focused button presses it, as on the platform the layout comes from.
    pushButton->setAutoDefault(true);
    return pushButton;
}

void fitToText(QWidget* widget, const QRect& area, FixedEdge fixedEdge) {
    const QSize needed = widget->sizeHint();
    QRect fitted = area;
    fitted.setHeight(std::max(area.height(), needed.height()));
    if (needed.width() > area.width()) {
        fitted.setWidth(needed.width());
        if (fixedEdge == FixedEdge::Right) {
            fitted.moveRight(area.right());
        }
    }
    widget->setGeometry(fitted);
}

QLabel* label(QWidget* parent, int index, const QString& caption, const QRect& area,
              FixedEdge fixedEdge) {
    auto* text = place(new QLabel(caption, parent), QStringLiteral("Etiket%1").arg(index), area);
    fitToText(text, area, fixedEdge);
    if (fixedEdge == FixedEdge::Right) {
        text->setAlignment(Qt::AlignRight | Qt::AlignTop);
    }
    return text;
}

QFont layoutFont(QFont font) {
    // Where the original face is missing, faces of the same narrow build come first:
    // the desktop's usual face is often too wide for the fixed fields (a date would
    // lose its first digit).
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed"),
                      font.family()});
    font.setPointSizeF(8.25);
    return font;
}

} // namespace mirvane::shell
