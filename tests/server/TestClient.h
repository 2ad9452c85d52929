#pragma once

// A raw protocol client on a real QTcpSocket, for driving the relay over loopback.

#include "common/protocol/Codec.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <functional>

namespace tamber::testing {

using Fields = QList<QByteArray>;

// Runs events until the condition holds; false if it never did. The deadline only keeps a
// broken build from hanging the suite.
inline bool waitUntil(const std::function<bool()>& condition, int maxMs = 5000)
{
    QDeadlineTimer deadline(maxMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

class TestClient
{
public:
    explicit TestClient(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            for (const QByteArray& m : assembler.feed(socket.readAll()))
                received.append(protocol::splitFields(m));
        });
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(5000);
    }

    void send(const Fields& fields) { sendRaw(protocol::buildMessage(fields)); }
    void sendRaw(const QByteArray& bytes)
    {
        socket.write(bytes);
        socket.flush();
    }

    // Waits until at least `count` messages have come in since the last take, and takes them.
    QList<Fields> take(int count)
    {
        waitUntil([&] { return received.size() >= count; });
        QList<Fields> taken = received;
        received.clear();
        return taken;
    }
    // Waits for the next message; an empty list if none came.
    Fields next()
    {
        if (!waitUntil([&] { return !received.isEmpty(); }))
            return {};
        return received.takeFirst();
    }
    // The greeting: UserID, the welcome line and RoomInfo, then one UserName per slot present.
    void skipGreeting(int present) { take(3 + present); }
    bool waitClosed()
    {
        return waitUntil([&] { return socket.state() == QAbstractSocket::UnconnectedState; });
    }

    QTcpSocket socket;
    protocol::MessageAssembler assembler{0};
    QList<Fields> received;
};

} // namespace tamber::testing
