// The relay on real sockets: real QTcpSocket clients on 127.0.0.1 and an ephemeral port.

#include "server/RelayServer.h"
#include "tests/server/TestClient.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::TestClient;
using testing::waitUntil;

// A client on a plain socket with a small receive buffer, so that one that reads slowly or
// not at all is soon behind; it reads only when told to.
class RawClient
{
public:
    explicit RawClient(quint16 port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int small = 4096;
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::fcntl(m_fd, F_SETFL, O_NONBLOCK);
    }
    ~RawClient() { ::close(m_fd); }

    // Reads up to `most` bytes; false once the server has closed the connection.
    bool read(qint64 most)
    {
        char buffer[4096];
        while (most > 0) {
            const ssize_t got = ::read(m_fd, buffer, size_t(std::min<qint64>(most, sizeof buffer)));
            if (got == 0)
                return false;
            if (got < 0)
                return errno == EAGAIN;
            most -= got;
        }
        return true;
    }

private:
    int m_fd = -1;
};

// The messages of one sender, as a reader got them.
QList<Fields> fromSender(const QList<Fields>& got, const QByteArray& id)
{
    QList<Fields> picked;
    for (const Fields& f : got) {
        const bool stamped = (f[0] == "NoteOn" && f.size() == 4 && f[3] == id) ||
                             (f[0] == "NoteOff" && f.size() == 3 && f[2] == id) ||
                             (f[0] == "SetPatch" && f.size() == 3 && f[1] == id) ||
                             (f[0] == "ChatMsg" && f[1].startsWith("User" + id + ": "));
        if (stamped)
            picked.append(f);
    }
    return picked;
}

class RelayServerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.start(0, QHostAddress::LocalHost)); }

    TestClient& join()
    {
        clients.push_back(std::make_unique<TestClient>(server.port()));
        return *clients.back();
    }
    // Joins n clients and consumes every greeting they cause, so each starts with nothing.
    void joinAll(int n)
    {
        for (int i = 0; i < n; ++i) {
            join();
            for (int c = 0; c <= i; ++c)
                clients[c]->take(c == i ? 3 + i + 1 : i + 1);
        }
    }

    RelayServer server;
    std::vector<std::unique_ptr<TestClient>> clients;
};

TEST_F(RelayServerTest, GreetsNewClientThenTellsEveryoneWhoIsPresent)
{
    joinAll(2);
    TestClient& third = join();
    EXPECT_EQ(third.take(6), (QList<Fields>{{"UserID", "User3", "3"},
                                            {"ChatMsg", "Welcome to Corvent!"},
                                            {"RoomInfo", "main", "0", "0"},
                                            {"UserName", "1", "User1"},
                                            {"UserName", "2", "User2"},
                                            {"UserName", "3", "User3"}}));
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(clients[c]->take(3), (QList<Fields>{{"UserName", "1", "User1"},
                                                      {"UserName", "2", "User2"},
                                                      {"UserName", "3", "User3"}}));
    }
    EXPECT_EQ(server.slotLines().at(2), "3. User3: 127.0.0.1");
    EXPECT_EQ(server.slotLines().at(3), "4. No User: 0.0.0.0");
}

TEST_F(RelayServerTest, GreetingBytesAreExact)
{
    QTcpSocket raw;
    raw.connectToHost(QHostAddress::LocalHost, server.port());
    QByteArray bytes;
    waitUntil([&] {
        bytes += raw.readAll();
        return bytes.size() >= 81;
    });
    QByteArray expected("UserID\0User1\0"
                        "1\0\x01"
                        "ChatMsg\0Welcome to Corvent!\0\x01"
                        "RoomInfo\0main\0"
                        "0\0"
                        "0\0\x01"
                        "UserName\0"
                        "1\0User1\0\x01",
                        13 + 3 + 29 + 1 + 14 + 2 + 3 + 17);
    EXPECT_EQ(bytes, expected);
}

TEST_F(RelayServerTest, FreedSlotsAreTakenLowestFirstAndDeparturesAnnounced)
{
    joinAll(3);
    clients[1]->socket.disconnectFromHost(); // an orderly close
    for (int c : {0, 2})
        EXPECT_EQ(clients[c]->next(), (Fields{"UserName", "2", "-"}));
    EXPECT_TRUE(waitUntil([&] { return server.slotLines().at(1) == "2. No User: 0.0.0.0"; }));

    TestClient& next = join();
    EXPECT_EQ(next.next(), (Fields{"UserID", "User2", "2"}));

    clients[2]->socket.abort(); // a reset is announced just the same
    for (int c : {0, 3}) {
        const QList<Fields> got = clients[c]->take(c == 0 ? 4 : 5);
        EXPECT_EQ(got.back(), (Fields{"UserName", "3", "-"}));
    }
}

TEST_F(RelayServerTest, NinthClientIsClosedAtOnceAndTheEightNoticeNothing)
{
    joinAll(8);
    const QStringList lines = server.slotLines();
    QTcpSocket ninth;
    QByteArray ninthGot;
    QObject::connect(&ninth, &QTcpSocket::readyRead, [&] { ninthGot += ninth.readAll(); });
    ninth.connectToHost(QHostAddress::LocalHost, server.port());
    EXPECT_TRUE(waitUntil([&] { return ninth.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(ninthGot.isEmpty());
    EXPECT_EQ(server.slotLines(), lines);

    // The next thing each of the eight sees is an ordinary relay.
    clients[7]->send({"NoteOff", "60"});
    for (auto& client : clients)
        EXPECT_EQ(client->next(), (Fields{"NoteOff", "60", "8"}));
}

TEST_F(RelayServerTest, WhatAClientSentJustBeforeLeavingIsStillRelayed)
{
    joinAll(2);
    clients[0]->send({"ChatMsg", "bye"});
    clients[0]->socket.disconnectFromHost();
    EXPECT_EQ(clients[1]->take(2),
              (QList<Fields>{{"ChatMsg", "User1: bye"}, {"UserName", "1", "-"}}));
}

TEST_F(RelayServerTest, StopClosesEveryClientSilentlyAndStartServesAgain)
{
    joinAll(3);
    QSignalSpy lists(&server, &RelayServer::listChanged);
    server.stop();
    EXPECT_FALSE(server.isRunning());
    for (auto& client : clients) {
        EXPECT_TRUE(client->waitClosed());
        EXPECT_TRUE(client->received.isEmpty()) << client->received.first().first().constData();
    }
    EXPECT_EQ(lists.size(), 8);
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(server.slotLines().at(n - 1), QStringLiteral("%1. No User: 0.0.0.0").arg(n));

    clients.clear();
    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost));
    TestClient& again = join();
    EXPECT_EQ(again.next(), (Fields{"UserID", "User1", "1"}));
}

TEST_F(RelayServerTest, PortInUseLeavesTheServerStoppedWithAReason)
{
    RelayServer second;
    EXPECT_FALSE(second.start(server.port(), QHostAddress::LocalHost));
    EXPECT_FALSE(second.isRunning());
    EXPECT_FALSE(second.errorString().isEmpty());
}

TEST_F(RelayServerTest, TextWithoutSohIsBoundedAndItsTailNeverHandled)
{
    joinAll(2);
    // A message split over two reads is handled once its SOH arrives.
    clients[0]->sendRaw(QByteArray("NoteOn\0"
                                   "6",
                                   8));
    waitUntil([] { return false; }, 20);
    // Far past the pending cap without an SOH; its tail carries what looks like a message.
    clients[0]->sendRaw(QByteArray(3 * kPendingCap, 'x'));
    waitUntil([] { return false; }, 20);
    clients[0]->sendRaw(QByteArray("\0"
                                   "1\0\x01",
                                   4) +
                        protocol::buildMessage({"NoteOff", "61"}));
    EXPECT_EQ(clients[1]->next(), (Fields{"NoteOff", "61", "1"}));
    EXPECT_TRUE(clients[1]->received.isEmpty());
}

TEST(RelayServerCaps, AClientThatDoesNotReadIsClosedAndAnnounced)
{
    // Well above what one read can queue for a client that does read.
    RelayLimits limits;
    limits.outputCap = 256 * 1024;
    limits.stallTimeout = std::chrono::milliseconds(500);
    limits.notes = {1e6, 1e5};
    RelayServer server(limits);
    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost));
    QTcpSocket idle; // never reads what it is sent
    idle.setReadBufferSize(1);
    idle.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(idle.waitForConnected(5000));
    TestClient player(server.port());
    player.take(4);

    QByteArray burst;
    for (int i = 0; i < 2000; ++i)
        burst += protocol::buildMessage({"NoteOn", "60", "127"});
    const bool announced = waitUntil(
        [&] {
            if (player.socket.bytesToWrite() == 0)
                player.sendRaw(burst);
            for (const Fields& f : player.received) {
                if (f == Fields{"UserName", "1", "-"})
                    return true;
            }
            player.received.clear();
            return false;
        },
        30000);
    EXPECT_TRUE(announced);
    EXPECT_EQ(player.socket.state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(server.slotLines().at(0), "1. No User: 0.0.0.0");
}

} // namespace
} // namespace tamber::server

namespace tamber::server {
namespace {

TEST_F(RelayServerTest, FloodersArePacedInOrderWhileAnHonestPlayerIsRelayedWhole)
{
    joinAll(4); // 1 floods notes, 2 floods chat, 3 plays, 4 listens
    QByteArray notes;
    for (int i = 0; i < 100'000; ++i)
        notes += protocol::buildMessage({"NoteOn", QByteArray::number(i), "1"});
    QByteArray chat;
    for (int i = 0; i < 2'000; ++i)
        chat += protocol::buildMessage({"ChatMsg", QByteArray::number(i)});
    QElapsedTimer elapsed;
    elapsed.start();
    clients[0]->socket.write(notes); // as fast as TCP takes them
    clients[1]->socket.write(chat);

    QList<Fields> played;
    const auto play = [&](const Fields& fields) {
        clients[2]->send(fields);
        played.append(fields);
    };
    for (int i = 0; i < 50; ++i) // a fast run...
        play({"NoteOn", QByteArray::number(40 + i), "100"});
    for (int tick = 0; tick < 200; ++tick) { // ...then a second of 200 notes and 5 lines
        play({"SetPatch", "0"});
        play({"NoteOff", QByteArray::number(tick % 128)});
        if (tick % 40 == 0)
            play({"ChatMsg", "hi " + QByteArray::number(tick)});
        waitUntil([] { return false; }, 5);
    }
    const QByteArray player = "3";
    EXPECT_TRUE(waitUntil(
        [&] { return fromSender(clients[3]->received, player).size() == played.size(); }));
    const double seconds = double(elapsed.elapsed()) / 1000;

    QList<Fields> expected;
    for (const Fields& f : played) {
        if (f[0] == "NoteOn")
            expected.append({f[0], f[1], f[2], player});
        else if (f[0] == "NoteOff")
            expected.append({f[0], f[1], player});
        else if (f[0] == "SetPatch")
            expected.append({f[0], player, f[1]});
        else
            expected.append({f[0], "User3: " + f[1]});
    }
    EXPECT_EQ(fromSender(clients[3]->received, player), expected);

    // Each flood came through in order, none skipped, no faster than its rate allows...
    const QList<Fields> floodedNotes = fromSender(clients[3]->received, "1");
    for (qsizetype i = 0; i < floodedNotes.size(); ++i)
        ASSERT_EQ(floodedNotes[i], (Fields{"NoteOn", QByteArray::number(i), "1", "1"}));
    EXPECT_GE(floodedNotes.size(), 500);
    EXPECT_LE(floodedNotes.size(), 500 + 1000 * seconds + 100);
    const QList<Fields> floodedChat = fromSender(clients[3]->received, "2");
    for (qsizetype i = 0; i < floodedChat.size(); ++i)
        ASSERT_EQ(floodedChat[i], (Fields{"ChatMsg", "User2: " + QByteArray::number(i)}));
    EXPECT_GE(floodedChat.size(), 20);
    EXPECT_LE(floodedChat.size(), 20 + 10 * seconds + 2);
    // ...and the flooders are still there, still paced.
    EXPECT_EQ(clients[0]->socket.state(), QAbstractSocket::ConnectedState);
    EXPECT_TRUE(server.isPaced(1));
    EXPECT_TRUE(server.isPaced(2));
}

TEST(RelayServerCaps, OnlyTheReceiverThatStoppedReadingIsCutNotTheSlowOne)
{
    RelayLimits limits;
    limits.notes = {200'000, 10'000}; // the kernel's buffers fill quickly
    limits.outputCap = 64 * 1024;
    limits.stallTimeout = std::chrono::seconds(2);
    RelayServer server(limits);
    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost));
    QTcpSocket sender; // reads everything and throws it away
    QObject::connect(&sender, &QTcpSocket::readyRead, [&] { sender.readAll(); });
    sender.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(sender.waitForConnected(5000));
    RawClient slow(server.port());    // takes 2 KB every 10 ms: 200 KB/s
    RawClient stopped(server.port()); // never reads
    ASSERT_TRUE(waitUntil([&] { return server.slotLines()[2] != "3. No User: 0.0.0.0"; }));

    QByteArray burst;
    for (int i = 0; i < 1000; ++i)
        burst += protocol::buildMessage({"NoteOn", "60", "127"});
    QSignalSpy lists(&server, &RelayServer::listChanged);
    bool slowOpen = true;
    qint64 slowBehind = 0;
    QElapsedTimer sinceCut;
    QElapsedTimer sinceRead;
    sinceRead.start();
    const bool done = waitUntil(
        [&] {
            if (sender.bytesToWrite() < burst.size())
                sender.write(burst);
            if (sinceRead.elapsed() >= 10) {
                sinceRead.restart();
                slowOpen = slowOpen && slow.read(2048);
            }
            slowBehind = std::max(slowBehind, server.unsentBytes(2));
            if (!sinceCut.isValid() && server.slotLines()[2] == "3. No User: 0.0.0.0")
                sinceCut.start();
            // The slow reader is watched, far over the cap, for longer than the stall time.
            return sinceCut.isValid() && sinceCut.elapsed() > 2500;
        },
        30'000);
    EXPECT_TRUE(done);
    EXPECT_TRUE(slowOpen);
    EXPECT_GT(slowBehind, limits.outputCap);
    EXPECT_LT(slowBehind, limits.hardOutputCap);
    EXPECT_EQ(server.slotLines()[1], "2. User2: 127.0.0.1");
    EXPECT_EQ(lists.size(), 1); // the cut, and nothing else
}

} // namespace
} // namespace tamber::server
