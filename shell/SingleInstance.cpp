#include "shell/SingleInstance.h"

#include "shell/SingleInstanceChannel.h"

#include <QApplication>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

namespace mirvane::shell {

namespace {

// A later start sends one "open <path, percent-encoded UTF-8>" line per file, then
// the raise request, which ends its message.
const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
const QByteArray OpenRequest = QByteArrayLiteral("open ");

QByteArray messageFor(const QStringList& files) {
    QByteArray message;
    for (const QString& file : files) {
        message += OpenRequest + QUrl::toPercentEncoding(file) + '\n';
    }
    return message + RaiseRequest;
}

} // namespace

bool isWholeMessage(const QByteArray& received) {
    return received == RaiseRequest || received.endsWith('\n' + RaiseRequest);
}

SingleInstance::SingleInstance(const QString& title, const QString& display)
    : channel_(makeInstanceChannel(addressFor(title, display),
                                   [this](const QByteArray& message) { answer(message); })) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::currentDisplay() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
        return wayland.isEmpty() ? QStringLiteral("wayland-0") : wayland;
    }
    QString x = qEnvironmentVariable("DISPLAY");
    if (x.isEmpty()) {
        return QGuiApplication::platformName();
    }
    if (x.startsWith(QLatin1String("unix:"))) {
        x.remove(0, 4);
    }
    const qsizetype colon = x.lastIndexOf(u':');
    const qsizetype screen = x.indexOf(u'.', colon + 1);
    if (colon >= 0 && screen > colon) {
        x.truncate(screen);
    }
    return x;
}

QString SingleInstance::serverNameFor(const QString& title, const QString& display) {
    // Every other character, a letter outside the basic plane included, becomes one
    // underscore.
    QString name;
    const QString parts =
        title + QLatin1Char('-') + instanceUserName() + QLatin1Char('-') + display;
    for (const char32_t c : parts.toUcs4()) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        name += kept ? QChar(char16_t(c)) : QLatin1Char('_');
    }
    return name;
}

QString SingleInstance::addressFor(const QString& title, const QString& display) {
    return instanceAddress(serverNameFor(title, display));
}

bool SingleInstance::claim(const QStringList& files) {
    const QByteArray message = messageFor(files);
    if (channel_->knock(message)) {
        return false;
    }
    if (channel_->listen()) {
        return true;
    }
    // Another copy may have started between the two steps.
    if (channel_->knock(message)) {
        return false;
    }
    // What is left is the socket of a copy that crashed.
    channel_->removeStale();
    channel_->listen();
    // Should listening still fail, this copy runs unguarded rather than not at all.
    return true;
}

void SingleInstance::setRaiseHandler(std::function<void()> handler) {
    raise_ = std::move(handler);
}

void SingleInstance::setOpenHandler(std::function<void(const QString&)> handler) {
    open_ = std::move(handler);
}

void SingleInstance::answer(const QByteArray& message) {
    QStringList files;
    for (const QByteArray& line : message.split('\n')) {
        if (line.startsWith(OpenRequest)) {
            files << QUrl::fromPercentEncoding(line.mid(OpenRequest.size()));
            continue;
        }
        if (line + '\n' != RaiseRequest) {
            return;
        }
        if (raise_) {
            raise_();
        }
        if (open_) {
            for (const QString& file : files) {
                open_(file);
            }
        }
        return;
    }
}

void bringToFront(QWidget* window) {
    window->showNormal();
    window->raise();
    window->activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace mirvane::shell
