#include "shell/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QUrl>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace mirvane::shell {

namespace {

// A start with files sends one "open <path, percent-encoded UTF-8>" line per file,
// then the raise request.
const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
const QByteArray OpenRequest = QByteArrayLiteral("open ");
const char* const FilesProperty = "mirvaneFiles";
constexpr int ConnectTimeoutMs = 1000;

QString userName() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return QDir::home().dirName();
#endif
}

} // namespace

SingleInstance::SingleInstance(const QString& title) : name_(serverNameFor(title)) {
    // Only the same user may knock.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server_, &QLocalServer::newConnection, [this] { acceptConnections(); });
}

SingleInstance::~SingleInstance() {
    server_.close();
}

QString SingleInstance::serverNameFor(const QString& title) {
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    QString name = title + QLatin1Char('-') + userName();
    return name.replace(unsafe, QStringLiteral("_"));
}

bool SingleInstance::claim(const QStringList& files) {
    if (askRunningCopyToRaise(files))
        return false;
    if (listen())
        return true;
    // Another copy may have started between the two steps.
    if (askRunningCopyToRaise(files))
        return false;
    // What is left is the socket of a copy that crashed.
    QLocalServer::removeServer(name_);
    listen();
    // Should listening still fail, this copy runs unguarded rather than not at all.
    return true;
}

void SingleInstance::setRaiseHandler(std::function<void()> handler) {
    raise_ = std::move(handler);
}

void SingleInstance::setOpenHandler(std::function<void(const QString&)> handler) {
    open_ = std::move(handler);
}

bool SingleInstance::askRunningCopyToRaise(const QStringList& files) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    for (const QString& file : files)
        socket.write(OpenRequest + QUrl::toPercentEncoding(file) + '\n');
    socket.write(RaiseRequest);
    socket.waitForBytesWritten(ConnectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(ConnectTimeoutMs);
    return true;
}

bool SingleInstance::listen() {
    return server_.listen(name_);
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, socket] { answer(socket); });
        answer(socket);
    }
}

void SingleInstance::answer(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine();
        if (line.startsWith(OpenRequest) && line.endsWith('\n')) {
            QStringList files = socket->property(FilesProperty).toStringList();
            files << QUrl::fromPercentEncoding(line.mid(OpenRequest.size()).chopped(1));
            socket->setProperty(FilesProperty, files);
            continue;
        }
        if (line == RaiseRequest) {
            if (raise_)
                raise_();
            if (open_) {
                for (const QString& file : socket->property(FilesProperty).toStringList())
                    open_(file);
            }
        }
        socket->disconnectFromServer();
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
