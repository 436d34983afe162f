#pragma once

// The meeting point of the program's copies, one kind per system (SingleInstancePosix,
// SingleInstanceWindows): the first copy listens, later ones knock.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace mirvane::shell {

// Longer messages are nobody's file list.
inline constexpr qsizetype InstanceMessageLimit = 1 << 20;

// Whether `received` holds a whole message: it ends with the raise request.
bool isWholeMessage(const QByteArray& received);

class InstanceChannel {
public:
    virtual ~InstanceChannel() = default;

    // Hands `message` to a copy listening there; false when nobody answers.
    virtual bool knock(const QByteArray& message) = 0;
    // Starts answering later copies; false when the address is taken.
    virtual bool listen() = 0;
    // Clears what a copy that crashed left at the address.
    virtual void removeStale() = 0;
};

// `onMessage` receives each whole message a later copy sends.
std::unique_ptr<InstanceChannel>
makeInstanceChannel(const QString& address, std::function<void(const QByteArray&)> onMessage);

// The user part of the meeting point's name.
QString instanceUserName();

// Where the copies meet, for the name serverNameFor gives.
QString instanceAddress(const QString& serverName);

} // namespace mirvane::shell
