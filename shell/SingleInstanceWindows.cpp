#include "shell/SingleInstanceChannel.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace mirvane::shell {

namespace {

// A named pipe through Qt's local socket; the pipe goes away with its last handle,
// so a copy that crashed leaves nothing behind.
class PipeChannel final : public InstanceChannel {
public:
    PipeChannel(const QString& name, std::function<void(const QByteArray&)> onMessage)
        : name_(name), onMessage_(std::move(onMessage)) {
        // Only the same user may knock.
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        QObject::connect(&server_, &QLocalServer::newConnection, &server_,
                         [this] { acceptConnections(); });
    }

    bool knock(const QByteArray& message) override {
        QLocalSocket socket;
        socket.connectToServer(name_);
        if (!socket.waitForConnected(ConnectTimeoutMs)) {
            return false;
        }
        socket.write(message);
        socket.waitForBytesWritten(ConnectTimeoutMs);
        socket.disconnectFromServer();
        if (socket.state() != QLocalSocket::UnconnectedState) {
            socket.waitForDisconnected(ConnectTimeoutMs);
        }
        return true;
    }

    bool listen() override { return server_.listen(name_); }

    void removeStale() override { QLocalServer::removeServer(name_); }

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
        if (!isWholeMessage(received) && received.size() < InstanceMessageLimit) {
            socket->setProperty("received", received);
            return;
        }
        socket->disconnectFromServer();
        if (isWholeMessage(received)) {
            onMessage_(received);
        }
    }

    QString name_;
    std::function<void(const QByteArray&)> onMessage_;
    QLocalServer server_;
};

} // namespace

std::unique_ptr<InstanceChannel>
makeInstanceChannel(const QString& address, std::function<void(const QByteArray&)> onMessage) {
    return std::make_unique<PipeChannel>(address, std::move(onMessage));
}

QString instanceUserName() {
    return QDir::home().dirName();
}

// A pipe's name is the name itself.
QString instanceAddress(const QString& serverName) {
    return serverName;
}

} // namespace mirvane::shell
