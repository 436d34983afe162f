#include "shell/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

#ifdef Q_OS_WIN
#include <QLocalServer>
#include <QLocalSocket>
#else
#include <QFile>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>
#endif

namespace mirvane::shell {

namespace {

// A later start sends one "open <path, percent-encoded UTF-8>" line per file, then
// the raise request, which ends its message.
const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
const QByteArray OpenRequest = QByteArrayLiteral("open ");
// Longer messages are nobody's file list.
constexpr qsizetype MessageLimit = 1 << 20;

QString userName() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return QDir::home().dirName();
#endif
}

QByteArray messageFor(const QStringList& files) {
    QByteArray message;
    for (const QString& file : files)
        message += OpenRequest + QUrl::toPercentEncoding(file) + '\n';
    return message + RaiseRequest;
}

// Whether `received` holds a whole message: it ends with the raise request.
bool isWhole(const QByteArray& received) {
    return received == RaiseRequest || received.endsWith('\n' + RaiseRequest);
}

} // namespace

#ifdef Q_OS_WIN

// A named pipe through Qt's local socket; the pipe goes away with its last handle,
// so a copy that crashed leaves nothing behind.
class SingleInstance::Channel {
public:
    Channel(const QString& name, std::function<void(const QByteArray&)> onMessage)
        : name_(name), onMessage_(std::move(onMessage)) {
        // Only the same user may knock.
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        QObject::connect(&server_, &QLocalServer::newConnection, [this] { acceptConnections(); });
    }

    bool knock(const QByteArray& message) {
        QLocalSocket socket;
        socket.connectToServer(name_);
        if (!socket.waitForConnected(ConnectTimeoutMs))
            return false;
        socket.write(message);
        socket.waitForBytesWritten(ConnectTimeoutMs);
        socket.disconnectFromServer();
        if (socket.state() != QLocalSocket::UnconnectedState)
            socket.waitForDisconnected(ConnectTimeoutMs);
        return true;
    }

    bool listen() { return server_.listen(name_); }

    void removeStale() { QLocalServer::removeServer(name_); }

private:
    static constexpr int ConnectTimeoutMs = 1000;

    void acceptConnections() {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket,
                             [this, socket] { read(socket); });
            read(socket);
        }
    }

    void read(QLocalSocket* socket) {
        QByteArray received = socket->property("received").toByteArray() + socket->readAll();
        if (!isWhole(received) && received.size() < MessageLimit) {
            socket->setProperty("received", received);
            return;
        }
        socket->disconnectFromServer();
        if (isWhole(received))
            onMessage_(received);
    }

    QString name_;
    std::function<void(const QByteArray&)> onMessage_;
    QLocalServer server_;
};

#else

namespace {

// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

int streamSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

// Whoever is at the other end must be this user: a socket file in a shared
// temporary folder could have been put there by anybody.
bool peerIsThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

bool sendAll(int fd, const QByteArray& message) {
    for (qsizetype sent = 0; sent < message.size();) {
        const ssize_t now = ::send(fd, message.constData() + sent,
                                   std::size_t(message.size() - sent), MSG_NOSIGNAL);
        if (now < 0 && errno == EINTR)
            continue;
        if (now <= 0)
            return false;
        sent += now;
    }
    return true;
}

// One later start's message, read without ever blocking the window.
class Visit {
public:
    Visit(int fd, const std::function<void(const QByteArray&)>& onMessage)
        : fd_(fd), onMessage_(onMessage) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { read(); });
    }

    // False once the visit is over (answered, ended or failed).
    bool open() const { return fd_.valid(); }

private:
    void read() {
        char buffer[4096];
        const ssize_t got = ::recv(fd_.get(), buffer, sizeof buffer, 0);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (got > 0) {
            received_.append(buffer, got);
            if (!isWhole(received_) && received_.size() < MessageLimit)
                return;
        }
        notifier_.setEnabled(false);
        fd_.reset();
        // The answer may open windows and with them an event loop, in which this
        // visit, being over, can be cleared away: nothing of it is used after.
        if (!isWhole(received_))
            return;
        const std::function<void(const QByteArray&)> answer = onMessage_;
        const QByteArray message = received_;
        answer(message);
    }

    Descriptor fd_;
    std::function<void(const QByteArray&)> onMessage_;
    QByteArray received_;
    QSocketNotifier notifier_{fd_.get(), QSocketNotifier::Read};
};

} // namespace

// A Unix domain socket in the temporary folder, readable and writable by this user
// only. A copy that crashed leaves the file behind with nobody listening.
class SingleInstance::Channel {
public:
    Channel(const QString& path, std::function<void(const QByteArray&)> onMessage)
        : path_(QFile::encodeName(path)), onMessage_(std::move(onMessage)) {}

    ~Channel() {
        if (!listener_.valid())
            return;
        // Only the file this copy made: a later copy may have replaced a stale one.
        struct stat now {};
        if (::lstat(path_.constData(), &now) == 0 && now.st_ino == inode_ && now.st_dev == device_)
            ::unlink(path_.constData());
    }

    bool knock(const QByteArray& message) {
        sockaddr_un address{};
        if (!fill(address))
            return false;
        Descriptor fd(streamSocket());
        return fd.valid() &&
               ::connect(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
               peerIsThisUser(fd.get()) && sendAll(fd.get(), message);
    }

    bool listen() {
        sockaddr_un address{};
        if (!fill(address))
            return false;
        Descriptor fd(streamSocket());
        if (!fd.valid() ||
            ::bind(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return false;
        struct stat made {};
        if (::chmod(path_.constData(), S_IRUSR | S_IWUSR) != 0 ||
            ::lstat(path_.constData(), &made) != 0 || ::listen(fd.get(), 8) != 0 ||
            ::fcntl(fd.get(), F_SETFL, O_NONBLOCK) != 0) {
            ::unlink(path_.constData());
            return false;
        }
        inode_ = made.st_ino;
        device_ = made.st_dev;
        listener_.reset(fd.release());
        notifier_ = std::make_unique<QSocketNotifier>(listener_.get(), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { accept(); });
        return true;
    }

    // Removes the socket file of a copy that is gone, never another user's file or
    // anything that is not a socket.
    void removeStale() {
        struct stat left {};
        if (::lstat(path_.constData(), &left) == 0 && S_ISSOCK(left.st_mode) &&
            left.st_uid == ::getuid())
            ::unlink(path_.constData());
    }

private:
    bool fill(sockaddr_un& address) const {
        address.sun_family = AF_UNIX;
        if (std::size_t(path_.size()) >= sizeof address.sun_path)
            return false;
        std::copy(path_.begin(), path_.end(), address.sun_path);
        return true;
    }

    void accept() {
        std::erase_if(visits_, [](const std::unique_ptr<Visit>& visit) { return !visit->open(); });
        for (;;) {
            const int fd =
                ::accept4(listener_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0)
                break;
            if (!peerIsThisUser(fd)) {
                ::close(fd);
                continue;
            }
            visits_.push_back(std::make_unique<Visit>(fd, onMessage_));
        }
    }

    QByteArray path_;
    std::function<void(const QByteArray&)> onMessage_;
    Descriptor listener_;
    ino_t inode_ = 0;
    dev_t device_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<std::unique_ptr<Visit>> visits_;
};

#endif

SingleInstance::SingleInstance(const QString& title, const QString& display)
    : channel_(std::make_unique<Channel>(addressFor(title, display),
                                         [this](const QByteArray& message) { answer(message); })) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::currentDisplay() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
        return wayland.isEmpty() ? QStringLiteral("wayland-0") : wayland;
    }
    QString x = qEnvironmentVariable("DISPLAY");
    if (x.isEmpty())
        return QGuiApplication::platformName();
    if (x.startsWith(QLatin1String("unix:")))
        x.remove(0, 4);
    const qsizetype colon = x.lastIndexOf(u':');
    const qsizetype screen = x.indexOf(u'.', colon + 1);
    if (colon >= 0 && screen > colon)
        x.truncate(screen);
    return x;
}

QString SingleInstance::serverNameFor(const QString& title, const QString& display) {
    // Every other character, a letter outside the basic plane included, becomes one
    // underscore.
    QString name;
    const QString parts = title + QLatin1Char('-') + userName() + QLatin1Char('-') + display;
    for (const char32_t c : parts.toUcs4()) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        name += kept ? QChar(char16_t(c)) : QLatin1Char('_');
    }
    return name;
}

QString SingleInstance::addressFor(const QString& title, const QString& display) {
#ifdef Q_OS_WIN
    return serverNameFor(title, display);
#else
    return QDir::tempPath() + QLatin1Char('/') + serverNameFor(title, display);
#endif
}

bool SingleInstance::claim(const QStringList& files) {
    const QByteArray message = messageFor(files);
    if (channel_->knock(message))
        return false;
    if (channel_->listen())
        return true;
    // Another copy may have started between the two steps.
    if (channel_->knock(message))
        return false;
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
        if (line + '\n' != RaiseRequest)
            return;
        if (raise_)
            raise_();
        if (open_) {
            for (const QString& file : files)
                open_(file);
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
