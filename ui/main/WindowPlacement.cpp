#include "ui/main/WindowPlacement.h"

#include "shell/Layout.h"
#include "shell/Messages.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace mirvane::ui {

namespace {

QPoint centredPosition(const QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QRect area = screen->geometry();
    return {area.x() + (area.width() - window.width()) / 2,
            area.y() + (area.height() - window.height()) / 2};
}

bool liesOnAScreen(const QWidget& window, const QPoint& position) {
    const QRect placed(position, window.size());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().intersects(placed)) {
            return true;
        }
    }
    return false;
}

} // namespace

settings::EdgeScale edgeScale() {
    return {shell::TwipsPerPixel, QWIDGETSIZE_MAX};
}

bool restorePlacement(QWidget& window, const settings::MainWindowSettings& kept, QSize designed) {
    const auto readEdge = [&kept](settings::Edge which, int& pixels) {
        return shell::runStep(
            [&] { return useStored(kept.edge(which), [&pixels](int value) { pixels = value; }); });
    };
    QSize size = designed;
    const bool sized = readEdge(settings::Edge::Width, size.rwidth()) &&
                       readEdge(settings::Edge::Height, size.rheight());
    window.resize(size.expandedTo(designed));
    if (!sized) {
        return false;
    }
    QPoint position = centredPosition(window);
    const bool goOn = readEdge(settings::Edge::Top, position.ry()) &&
                      readEdge(settings::Edge::Left, position.rx());
    // A position left behind on a screen that is gone would hide the window.
    window.move(liesOnAScreen(window, position) ? position : centredPosition(window));
    return goOn;
}

void keepPlacement(const QWidget& window, settings::MainWindowSettings& kept) {
    const Qt::WindowStates notNormal =
        Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!(window.windowState() & notNormal)) {
        kept.writeEdges(window.pos().x(), window.pos().y(), window.width(), window.height());
    }
}

} // namespace mirvane::ui
