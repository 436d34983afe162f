#include "shell/Layout.h"

#include <QFontDatabase>
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

namespace {

// Where the original face is missing, faces of the same narrow build come first: the
// desktop's usual face is often too wide for the fixed fields (a date would lose its
// first digit).
const QStringList LayoutFaces{
    QStringLiteral("MS Sans Serif"),   QStringLiteral("Microsoft Sans Serif"),
    QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
    QStringLiteral("Arial"),           QStringLiteral("DejaVu Sans Condensed")};

} // namespace

QString installedLayoutFace() {
    // Chosen once from the installed faces: handed the whole list, Qt would look for
    // stand-ins of every missing face through all the fonts of the system, which
    // costs the start more the more fonts there are.
    static const QString chosen = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString& face : LayoutFaces) {
            if (installed.contains(face, Qt::CaseInsensitive)) {
                return face;
            }
        }
        return QString();
    }();
    return chosen;
}

QFont layoutFont(QFont font) {
    if (const QString face = installedLayoutFace(); !face.isEmpty()) {
        font.setFamily(face);
    }
    font.setPointSizeF(8.25);
    return font;
}

} // namespace mirvane::shell
