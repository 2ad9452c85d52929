#pragma once

// One client's byte stream, whatever carries it. The relay sees only this: it writes whole
// messages, learns how far the peer is behind, stops reading a client it paces, and hears of
// bytes that arrive and of the end of the stream.

#include "server/Clock.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

namespace tamber::server {

class Connection : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Queues bytes; they leave once the event loop turns, together with whatever else was
    // queued by then.
    virtual void write(const QByteArray& bytes) = 0;
    // Bytes queued that the peer has not taken yet.
    virtual qint64 unsentBytes() const = 0;
    // When the peer last took bytes, or nothing was owed to it.
    virtual Time lastTaken() const = 0;

    // After pauseReading() no `received` comes until resumeReading(), except the last bytes
    // just before the stream ends; meanwhile the peer is held back by its transport.
    virtual void pauseReading() = 0;
    virtual void resumeReading() = 0;

    // Lets the peer take what is queued, then ends the stream; `closed` or `failed` follows.
    virtual void closeGracefully() = 0;
    // Drops what is queued and ends the stream now; no event follows.
    virtual void abort() = 0;

    virtual QHostAddress peerAddress() const = 0;

signals:
    void received(const QByteArray& bytes);
    // The stream ended in order (by the peer, or after closeGracefully()).
    void closed();
    // The stream ended with an error.
    void failed();
};

} // namespace tamber::server
