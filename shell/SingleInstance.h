#pragma once

// One running copy per user and version: a second start asks the first to come to
// the front (and to open the files it was started with) and ends.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

namespace mirvane::shell {

class SingleInstance {
public:
    // `title` is the main window's title, so that another version runs side by side.
    explicit SingleInstance(const QString& title);
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

    // The name under which the copies meet: the title and the user, in the
    // characters a local socket name may hold.
    static QString serverNameFor(const QString& title);

    // Where the copies meet: on Unix the socket file of that name in the temporary
    // folder, elsewhere the name itself.
    static QString addressFor(const QString& title);

private:
    // The platform's meeting point: the first copy listens, later ones knock.
    class Channel;

    void answer(const QByteArray& message);

    std::unique_ptr<Channel> channel_;
    std::function<void()> raise_;
    std::function<void(const QString&)> open_;
};

// Restores the window from minimised or maximised, brings it to the front and
// activates it (and a modal window open over it).
void bringToFront(QWidget* window);

} // namespace mirvane::shell
