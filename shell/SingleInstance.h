#pragma once

// One running copy per user, version and display: a second start asks the first to
// come to the front (and to open the files it was started with) and ends. A copy on
// another display of the same user (a second X server, a forwarded session) is one
// the user cannot see from here, so it is left alone.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

namespace mirvane::shell {

class InstanceChannel;

class SingleInstance {
public:
    // `title` is the main window's title, so that another version runs side by side;
    // `display` the display the windows appear on.
    explicit SingleInstance(const QString& title, const QString& display = currentDisplay());
    ~SingleInstance();

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this is the first copy (it now answers later starts); false when a
    // running copy was found and has been asked to come to the front and to open
    // `files` (absolute paths).
    bool claim(const QStringList& files = {});

    // What the first copy does when a later start asks it to come to the front.
    void setRaiseHandler(std::function<void()> handler);
    // What it does with each file a later start hands over (after raising).
    void setOpenHandler(std::function<void(const QString& file)> handler);

    // The display this program's windows appear on: the X display without its screen
    // number (":0.0", "unix:0" and ":0" are one display), the Wayland display, or
    // the platform's name where there is neither.
    static QString currentDisplay();

    // The name under which the copies meet: the title, the user and the display, in
    // the characters a local socket name may hold.
    static QString serverNameFor(const QString& title, const QString& display = currentDisplay());

    // Where the copies meet: on Unix the socket file of that name in the temporary
    // folder, elsewhere the name itself.
    static QString addressFor(const QString& title, const QString& display = currentDisplay());

private:
    void answer(const QByteArray& message);

    // The platform's meeting point: the first copy listens, later ones knock.
    std::unique_ptr<InstanceChannel> channel_;
    std::function<void()> raise_;
    std::function<void(const QString&)> open_;
};

// Restores the window from minimised or maximised, brings it to the front and
// activates it (and a modal window open over it).
void bringToFront(QWidget* window);

} // namespace mirvane::shell
