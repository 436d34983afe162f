#include "shell/SingleInstanceChannel.h"

#include <QDir>
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

namespace mirvane::shell {

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
        if (fd_ >= 0) {
            ::close(fd_);
        }
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
        if (now < 0 && errno == EINTR) {
            continue;
        }
        if (now <= 0) {
            return false;
        }
        sent += now;
    }
    return true;
}

// One later start's message, read without ever blocking the window.
class Visit {
public:
    Visit(int fd, const std::function<void(const QByteArray&)>& onMessage)
        : fd_(fd), onMessage_(onMessage) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, &notifier_, [this] { read(); });
    }

    // False once the visit is over (answered, ended or failed).
    bool open() const { return fd_.valid(); }

private:
    void read() {
        char buffer[4096];
        const ssize_t got = ::recv(fd_.get(), buffer, sizeof buffer, 0);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
            return;
        }
        if (got > 0) {
            received_.append(buffer, got);
            if (!isWholeMessage(received_) && received_.size() < InstanceMessageLimit) {
                return;
            }
        }
        notifier_.setEnabled(false);
        fd_.reset();
        // The answer may open windows and with them an event loop, in which this
        // visit, being over, can be cleared away: nothing of it is used after.
        if (!isWholeMessage(received_)) {
            return;
        }
        const std::function<void(const QByteArray&)> answer = onMessage_;
        const QByteArray message = received_;
        answer(message);
    }

    Descriptor fd_;
    std::function<void(const QByteArray&)> onMessage_;
    QByteArray received_;
    QSocketNotifier notifier_{fd_.get(), QSocketNotifier::Read};
};

// A Unix domain socket in the temporary folder, readable and writable by this user
// only. A copy that crashed leaves the file behind with nobody listening.
class SocketChannel final : public InstanceChannel {
public:
    SocketChannel(const QString& path, std::function<void(const QByteArray&)> onMessage)
        : path_(QFile::encodeName(path)), onMessage_(std::move(onMessage)) {}

    ~SocketChannel() override {
        if (!listener_.valid()) {
            return;
        }
        // Only the file this copy made: a later copy may have replaced a stale one.
        struct stat now {};
        if (::lstat(path_.constData(), &now) == 0 && now.st_ino == inode_ &&
            now.st_dev == device_) {
            ::unlink(path_.constData());
        }
    }

    bool knock(const QByteArray& message) override {
        sockaddr_un address{};
        if (!fill(address)) {
            return false;
        }
        Descriptor fd(streamSocket());
        return fd.valid() &&
               ::connect(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
               peerIsThisUser(fd.get()) && sendAll(fd.get(), message);
    }

    bool listen() override {
        sockaddr_un address{};
        if (!fill(address)) {
            return false;
        }
        Descriptor fd(streamSocket());
        if (!fd.valid() ||
            ::bind(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            return false;
        }
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
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                         [this] { accept(); });
        return true;
    }

    // Removes the socket file of a copy that is gone, never another user's file or
    // anything that is not a socket.
    void removeStale() override {
        struct stat left {};
        if (::lstat(path_.constData(), &left) == 0 && S_ISSOCK(left.st_mode) &&
            left.st_uid == ::getuid()) {
            ::unlink(path_.constData());
        }
    }

private:
    bool fill(sockaddr_un& address) const {
        address.sun_family = AF_UNIX;
        if (std::size_t(path_.size()) >= sizeof address.sun_path) {
            return false;
        }
        std::copy(path_.begin(), path_.end(), address.sun_path);
        return true;
    }

    void accept() {
        std::erase_if(visits_, [](const std::unique_ptr<Visit>& visit) { return !visit->open(); });
        for (;;) {
            const int fd =
                ::accept4(listener_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) {
                break;
            }
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

} // namespace

std::unique_ptr<InstanceChannel>
makeInstanceChannel(const QString& address, std::function<void(const QByteArray&)> onMessage) {
    return std::make_unique<SocketChannel>(address, std::move(onMessage));
}

QString instanceUserName() {
    return QString::number(::getuid());
}

// The socket file of that name in the temporary folder.
QString instanceAddress(const QString& serverName) {
    return QDir::tempPath() + QLatin1Char('/') + serverName;
}

} // namespace mirvane::shell
