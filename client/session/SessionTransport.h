#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>

namespace tamber {

// The piano's one connection to the relay server, as the session client sees it.
//
// Events arrive later, on the GUI thread, never from inside close(). After failed,
// peerClosed or deadlinePassed nothing more is reported for that connection.
class SessionTransport
{
public:
    struct Events
    {
        std::function<void()> connected;                 // nothing has been sent yet
        std::function<void(const QByteArray&)> received; // bytes as they arrived, in order
        std::function<void()> peerClosed;                // orderly close by the server
        std::function<void()> failed;                    // any other socket error
        std::function<void()> deadlinePassed;            // see armDeadline
    };

    virtual ~SessionTransport() = default;
    virtual void setEvents(Events events) = 0;
    // Starts connecting and returns at once; a previous connection is dropped quietly.
    virtual void connectToHost(const QString& host, uint16_t port) = 0;
    virtual bool isConnected() const = 0;
    // One complete message in one write; does not run the event loop.
    virtual void send(const QByteArray& bytes) = 0;
    // Closes without reporting anything; bytes already written are still delivered.
    virtual void close() = 0;
    // Reports deadlinePassed once after the given time, unless disarmed or closed first.
    virtual void armDeadline(std::chrono::milliseconds after) = 0;
    virtual void disarmDeadline() = 0;
};

} // namespace tamber
