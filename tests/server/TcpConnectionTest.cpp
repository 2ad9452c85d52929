// The TCP connection under the relay, on loopback: keepalive on every accepted socket, reading
// paused and resumed, and the last bytes of a peer delivered before its end.

#include "server/TcpConnection.h"
#include "tests/server/TestClient.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

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

TEST(TcpConnection, ProbesIdlePeersPausesOnRequestAndEndsAfterTheLastBytes)
{
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, listener.serverPort());
    ASSERT_TRUE(peer.waitForConnected(5000));
    ASSERT_TRUE(listener.waitForNewConnection(5000));
    QTcpSocket* accepted = listener.nextPendingConnection();
    const int fd = int(accepted->socketDescriptor());
    SteadyClock clock;
    TcpConnection connection(accepted, clock);

    // A peer that vanished is found after a minute of silence and probes ten seconds apart.
    EXPECT_EQ(option(fd, SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPIDLE), 60);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPINTVL), 10);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPCNT), 6);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_NODELAY), 1);
    EXPECT_EQ(connection.peerAddress(), QHostAddress(QHostAddress::LocalHost));

    QByteArray got;
    QObject::connect(&connection, &Connection::received,
                     [&](const QByteArray& bytes) { got += bytes; });
    QSignalSpy closed(&connection, &Connection::closed);
    connection.pauseReading();
    peer.write("paused");
    peer.flush();
    waitUntil([] { return false; }, 100);
    EXPECT_TRUE(got.isEmpty());
    connection.resumeReading();
    EXPECT_TRUE(waitUntil([&] { return got == "paused"; }));

    connection.write("to peer");
    EXPECT_EQ(connection.unsentBytes(), 7); // until the event loop turns
    EXPECT_TRUE(waitUntil([&] { return peer.bytesAvailable() == 7; }));
    EXPECT_EQ(connection.unsentBytes(), 0);

    // Paused again, the peer's last words still come before the end.
    connection.pauseReading();
    peer.write("bye");
    peer.disconnectFromHost();
    EXPECT_TRUE(waitUntil([&] { return !closed.isEmpty(); }));
    EXPECT_EQ(got, "pausedbye");
}

} // namespace
} // namespace tamber::server
