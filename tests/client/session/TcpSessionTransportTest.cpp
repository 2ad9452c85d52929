// The session's TCP transport against a local server that floods it or never greets.
#include "client/session/TcpSessionTransport.h"

#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tamber;

namespace {

constexpr int kTransportPatienceMs = 10000;

struct Server
{
    Server()
    {
        listening = listener.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&listener, &QTcpServer::newConnection,
                         [this] { peer = listener.nextPendingConnection(); });
    }
    bool accepted() const
    {
        return QTest::qWaitFor([this] { return peer != nullptr; }, kTransportPatienceMs);
    }
    QTcpServer listener;
    QTcpSocket* peer = nullptr;
    bool listening = false;
};

} // namespace

TEST(TcpSessionTransport, AFloodArrivesWholeInBoundedChunksOneTurnOfTheEventLoopEach)
{
    Server server;
    ASSERT_TRUE(server.listening);
    TcpSessionTransport transport;
    // Counts turns of the event loop: a zero timer fires once in each.
    int turn = 0;
    QTimer turns;
    turns.setInterval(0);
    QObject::connect(&turns, &QTimer::timeout, [&] { ++turn; });
    turns.start();

    QByteArray flood;
    for (int i = 0; flood.size() < 1024 * 1024; ++i)
        flood += QByteArray::number(i) + ' ';
    QByteArray received;
    std::vector<qsizetype> sizes;
    std::vector<int> turnOfChunk;
    // A plain event loop: qWaitFor would sleep between turns.
    QEventLoop loop;
    SessionTransport::Events events;
    events.received = [&](const QByteArray& bytes) {
        received += bytes;
        sizes.push_back(bytes.size());
        turnOfChunk.push_back(turn);
        if (received.size() >= flood.size())
            loop.quit();
    };
    transport.setEvents(events);
    transport.connectToHost(QStringLiteral("127.0.0.1"), server.listener.serverPort());
    ASSERT_TRUE(server.accepted());

    server.peer->write(flood);
    QTimer::singleShot(kTransportPatienceMs, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(received.size(), flood.size());
    EXPECT_TRUE(received == flood) << "every byte, in order";
    EXPECT_LE(*std::max_element(sizes.begin(), sizes.end()), TcpSessionTransport::kReadChunk);
    for (std::size_t i = 1; i < turnOfChunk.size(); ++i)
        ASSERT_GT(turnOfChunk[i], turnOfChunk[i - 1]) << "two chunks in one turn, at " << i;
    auto* socket = transport.findChild<QTcpSocket*>();
    ASSERT_NE(socket, nullptr);
    EXPECT_EQ(socket->readBufferSize(), TcpSessionTransport::kReadBuffer);
}

TEST(TcpSessionTransport, BytesSentJustBeforeTheCloseAreHandedOnFirst)
{
    Server server;
    ASSERT_TRUE(server.listening);
    TcpSessionTransport transport;
    QByteArray received;
    QByteArray receivedAtClose;
    bool closed = false;
    SessionTransport::Events events;
    events.received = [&](const QByteArray& bytes) { received += bytes; };
    events.peerClosed = [&] {
        closed = true;
        receivedAtClose = received;
    };
    transport.setEvents(events);
    transport.connectToHost(QStringLiteral("127.0.0.1"), server.listener.serverPort());
    ASSERT_TRUE(server.accepted());
    const QByteArray last(5 * TcpSessionTransport::kReadChunk + 7, 'z');
    server.peer->write(last);
    server.peer->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed; }, kTransportPatienceMs));
    EXPECT_EQ(receivedAtClose.size(), last.size());
    EXPECT_FALSE(transport.isConnected());
}

TEST(TcpSessionTransport, TheDeadlineClosesTheConnectionAndIsReportedOnce)
{
    Server server;
    ASSERT_TRUE(server.listening);
    TcpSessionTransport transport;
    int passed = 0;
    int otherEvents = 0;
    transport.setEvents({.connected = {},
                         .received = [&](const QByteArray&) { ++otherEvents; },
                         .peerClosed = [&] { ++otherEvents; },
                         .failed = [&] { ++otherEvents; },
                         .deadlinePassed = [&] { ++passed; }});
    transport.connectToHost(QStringLiteral("127.0.0.1"), server.listener.serverPort());
    transport.armDeadline(std::chrono::milliseconds(50));
    ASSERT_TRUE(server.accepted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return passed > 0; }, kTransportPatienceMs));
    EXPECT_FALSE(transport.isConnected());
    // The server notices the close; nothing more is reported at this end.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return server.peer->state() == QAbstractSocket::UnconnectedState; },
                        kTransportPatienceMs));
    server.peer->write("late");
    QTest::qWait(100);
    EXPECT_EQ(passed, 1);
    EXPECT_EQ(otherEvents, 0);

    // Disarmed, it stays silent.
    transport.connectToHost(QStringLiteral("127.0.0.1"), server.listener.serverPort());
    transport.armDeadline(std::chrono::milliseconds(20));
    transport.disarmDeadline();
    QTest::qWait(100);
    EXPECT_EQ(passed, 1);
}
