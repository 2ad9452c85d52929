#pragma once

// One client's byte stream as the relay sees it, whatever carries it: it writes whole
// messages, learns how far the peer is behind, stops reading a client it paces, and hears of
// bytes that arrive and of the end of the stream. net::Connection is the real one; tests use
// a fake.

#include "server/Clock.h"

#include <QByteArrayView>
#include <QHostAddress>

namespace tamber::server {

class ClientLink
{
public:
    // Where a link reports, on its owner's thread, never from inside a call of the owner's.
    class Sink
    {
    public:
        virtual void linkReceived(ClientLink& link, QByteArrayView bytes) = 0;
        // The stream ended: in order (by the peer, or after closeGracefully()) or not.
        virtual void linkEnded(ClientLink& link, bool error) = 0;

    protected:
        ~Sink() = default;
    };

    virtual ~ClientLink() = default;

    void setSink(Sink* sink) { m_sink = sink; }

    // Queues bytes; they leave at the end of the loop's turn, with whatever else was queued.
    virtual void write(QByteArrayView bytes) = 0;
    // Bytes queued that the peer has not taken yet.
    virtual qint64 unsentBytes() const = 0;
    // When the peer last took bytes, or nothing was owed to it.
    virtual Time lastTaken() const = 0;

    // After pauseReading() nothing is received until resumeReading(), nor is an orderly end
    // (it comes after the bytes before it); meanwhile the peer is held back by TCP.
    virtual void pauseReading() = 0;
    virtual void resumeReading() = 0;

    // Lets the peer take what is queued, then ends the stream; one linkEnded() follows, after
    // which the link is gone.
    virtual void closeGracefully() = 0;
    // Drops what is queued and lets the link go: no event follows and the owner may not touch
    // it again. The owner calls it too once a link it did not close has ended.
    virtual void abort() = 0;

    virtual QHostAddress peerAddress() const = 0;

protected:
    Sink* sink() const { return m_sink; }

private:
    Sink* m_sink = nullptr;
};

} // namespace tamber::server
