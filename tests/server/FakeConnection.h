#pragma once

// A connection without a transport, and a clock moved by hand: the test plays the peer, says
// how much output is still unsent and when bytes were last taken, and sees what the relay
// wrote, paused and closed.

#include "common/protocol/Codec.h"
#include "server/ClientLink.h"
#include "server/Clock.h"

#include <QList>
#include <QObject>

namespace tamber::server {

class FakeClock : public Clock
{
public:
    Time now() const override { return at; }
    void advance(Duration d) { at += d; }
    Time at{std::chrono::hours(1)};
};

class FakeConnection : public QObject, public ClientLink
{
    Q_OBJECT

public:
    explicit FakeConnection(QHostAddress address = QHostAddress(QStringLiteral("10.0.0.7")))
        : m_address(address)
    {
        // The peer's side, emitted by the test, reaches the owner as a real connection's would.
        connect(this, &FakeConnection::received, this, [this](const QByteArray& bytes) {
            if (Sink* s = sink())
                s->linkReceived(*this, bytes);
        });
        connect(this, &FakeConnection::closed, this, [this] { ended(false); });
        connect(this, &FakeConnection::failed, this, [this] { ended(true); });
    }

    void write(QByteArrayView bytes) override
    {
        for (const QByteArray& m : m_assembler.feed(bytes.toByteArray()))
            got.append(protocol::splitFields(m));
        if (!reading)
            unsent += bytes.size();
    }
    qint64 unsentBytes() const override { return unsent; }
    Time lastTaken() const override { return takenAt; }
    void pauseReading() override { paused = true; }
    void resumeReading() override { paused = false; }
    void closeGracefully() override { closing = true; }
    void abort() override { aborted = true; }
    QHostAddress peerAddress() const override { return m_address; }

    // The peer's side.
    void send(const QList<QByteArray>& fields) { emit received(protocol::buildMessage(fields)); }
    // The messages written since the last call.
    QList<QList<QByteArray>> take() { return std::exchange(got, {}); }

signals:
    void received(const QByteArray& bytes);
    void closed();
    void failed();

public:
    QList<QList<QByteArray>> got;
    bool reading = true; // while false, written bytes stay unsent
    qint64 unsent = 0;
    Time takenAt{};
    bool paused = false;
    bool closing = false;
    bool aborted = false;

private:
    void ended(bool error)
    {
        if (Sink* s = sink())
            s->linkEnded(*this, error);
    }

    QHostAddress m_address;
    protocol::MessageAssembler m_assembler{0};
};

} // namespace tamber::server
