// The relay's connection on loopback, in a loop on the test's thread: keepalive on every
// accepted socket, reading paused and resumed, output written once the turn ends, and the last
// bytes of a peer delivered before its end, which waits while reading is paused.

#include "server/net/Connection.h"
#include "server/net/Sockets.h"
#include "tests/server/RecordingSink.h"
#include "tests/server/TestClient.h"

#include <QTcpServer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tamber::server {
namespace {

using testing::waitUntil;

int option(int fd, int level, int name)
{
    int value = -1;
    socklen_t size = sizeof value;
    getsockopt(fd, level, name, &value, &size);
    return value;
}

// A connected pair: a QTcpSocket peer and the accepted side, as the relay takes it.
struct Accepted
{
    Accepted()
    {
        EXPECT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
        peer.connectToHost(QHostAddress::LocalHost, listener.serverPort());
        EXPECT_TRUE(peer.waitForConnected(5000));
        EXPECT_TRUE(listener.waitForNewConnection(5000));
        QTcpSocket* socket = listener.nextPendingConnection();
        fd = ::dup(int(socket->socketDescriptor()));
        delete socket;
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
    }
    QTcpServer listener;
    QTcpSocket peer;
    int fd = -1;
};

TEST(Connection, ProbesIdlePeersPausesOnRequestAndEndsAfterTheLastBytes)
{
    SteadyClock clock;
    net::Loop loop(clock);
    Accepted pair;
    net::tuneClientSocket(pair.fd);
    net::Connection* connection =
        net::Connection::open(loop, pair.fd, QHostAddress(QHostAddress::LocalHost));
    ASSERT_NE(connection, nullptr);
    RecordingSink sink;
    connection->setSink(&sink);

    // A peer that vanished is found after a minute of silence and probes ten seconds apart.
    const int fd = connection->descriptor();
    EXPECT_EQ(option(fd, SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPIDLE), 60);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPINTVL), 10);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPCNT), 6);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_NODELAY), 1);
    EXPECT_EQ(connection->peerAddress(), QHostAddress(QHostAddress::LocalHost));

    connection->pauseReading();
    pair.peer.write("paused");
    pair.peer.flush();
    waitUntil([] { return false; }, 100);
    EXPECT_TRUE(sink.got.isEmpty());
    connection->resumeReading();
    EXPECT_TRUE(waitUntil([&] { return sink.got == "paused"; }));

    connection->write("to peer");
    EXPECT_EQ(connection->unsentBytes(), 7); // until the loop's turn ends
    EXPECT_TRUE(waitUntil([&] { return pair.peer.bytesAvailable() == 7; }));
    EXPECT_EQ(connection->unsentBytes(), 0);

    // Paused again, the peer's last words and its end wait, then come in order.
    connection->pauseReading();
    pair.peer.write("bye");
    pair.peer.disconnectFromHost();
    waitUntil([] { return false; }, 100);
    EXPECT_EQ(sink.got, "paused");
    EXPECT_EQ(sink.ends, 0);
    connection->resumeReading();
    EXPECT_TRUE(waitUntil([&] { return sink.ends == 1; }));
    EXPECT_FALSE(sink.failed);
    EXPECT_EQ(sink.got, "pausedbye");
    connection->abort();
}

} // namespace
} // namespace tamber::server
