// The web port holds up like the TCP port, on loopback against the relay: frames that break
// the RFC, a pinger that never reads, unfinished heads by the thousand. (What they cost the
// real program, and a program out of descriptors, is tests/e2e/server/HeadlessLimitsTest.cpp.)

#include "server/RelayServer.h"
#include "server/net/Sockets.h"
#include "server/web/WebPort.h"
#include "tests/server/RawWebSocket.h"
#include "tests/server/TestClient.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::RawWebSocket;
using testing::TestClient;
using testing::waitUntil;

class WebPortFaults : public ::testing::Test
{
protected:
    void start(RelayLimits limits = {})
    {
        server = std::make_unique<RelayServer>(limits);
        server->setWeb({0, QHostAddress::Any, {}, {dir.path(), {}}});
        ASSERT_TRUE(server->start(0, QHostAddress::Any)) << server->errorString().toStdString();
        port = server->webPort();
    }
    // A browser seated on the web port; its greeting is read, or left unread.
    std::unique_ptr<RawWebSocket> seat(int receiveBuffer = 0, bool read = true)
    {
        RawWebSocket::Options options;
        options.receiveBuffer = receiveBuffer;
        auto browser = std::make_unique<RawWebSocket>(port, options);
        if (read)
            browser->readFor(200);
        return browser;
    }

    QTemporaryDir dir;
    std::unique_ptr<RelayServer> server;
    quint16 port = 0;
};

TEST_F(WebPortFaults, AnUnmaskedFrameIsClosedWith1002AndNothingOfItRelayed)
{
    start();
    TestClient desktop(server->port());
    desktop.take(4);
    auto browser = seat();
    ASSERT_TRUE(browser->bytes.startsWith("HTTP/1.1 101 Switching Protocols\r\n"));
    desktop.take(1);
    // The frame of the report: a NoteOn sent without a mask.
    ASSERT_TRUE(browser->send(QByteArray("\x82\x0dNoteOn\x00"
                                         "60\x00"
                                         "100\x00\x01",
                                         15)));
    EXPECT_TRUE(browser->readUntilClosed());
    EXPECT_EQ(browser->closeCode(), 1002);
    EXPECT_EQ(desktop.next(), (Fields{"UserName", "2", "-"}));
    EXPECT_TRUE(desktop.received.isEmpty());

    // The same frame masked is a note like any other.
    auto second = seat();
    desktop.take(2);
    second->send(RawWebSocket::frame(0x82, QByteArray("NoteOn\x00"
                                                      "60\x00"
                                                      "100\x00\x01",
                                                      15)));
    EXPECT_EQ(desktop.next(), (Fields{"NoteOn", "60", "100", "2"}));
}

TEST_F(WebPortFaults, APingerThatNeverReadsHoldsNoMemoryAndIsCutLikeAnyoneWhoStopsReading)
{
    RelayLimits limits;
    limits.outputCap = 256 * 1024;
    limits.stallTimeout = std::chrono::milliseconds(500);
    limits.notes = {1e6, 1e6};
    start(limits);
    TestClient flooder(server->port());
    flooder.take(4);
    auto pinger = seat(4096, false);
    ASSERT_TRUE(waitUntil([&] { return server->userName(2) == "User2"; }));

    // 100,000 pings of 125 bytes (12.9 MB) as fast as the relay reads them.
    QByteArray pings;
    for (int i = 0; i < 1000; ++i)
        pings += RawWebSocket::frame(0x89, QByteArray(125, char('a' + i % 26)));
    qint64 mostOwed = 0;
    for (int round = 0; round < 100; ++round) {
        ASSERT_TRUE(pinger->send(pings));
        mostOwed = std::max(mostOwed, server->unsentBytes(2));
    }
    // Nothing piles up in the relay: at most the one pong for the newest ping.
    EXPECT_LE(mostOwed, 127);
    EXPECT_EQ(server->slotLines().at(1), "2. User2: 127.0.0.1");

    // Relayed output counts against the same cap as a TCP client's, and it is cut by it.
    QByteArray burst;
    for (int i = 0; i < 1000; ++i)
        burst += protocol::buildMessage({"NoteOn", "60", "127"});
    EXPECT_TRUE(waitUntil(
        [&] {
            if (flooder.socket.bytesToWrite() == 0)
                flooder.sendRaw(burst);
            const bool cut = flooder.received.contains(Fields{"UserName", "2", "-"});
            flooder.received.clear();
            return cut;
        },
        30000));
    EXPECT_EQ(server->unsentBytes(2), 0);
    EXPECT_EQ(server->slotLines().at(1), "2. No User: 0.0.0.0");
}

TEST_F(WebPortFaults, UnfinishedHeadsAreLimitedPerAddressAndInAll)
{
    net::raiseOpenFileLimit();
    RelayLimits limits;
    limits.connections.perAddress = 0; // the heads' own limits are what is tested
    start(limits);
    const int room = WebPort::headRoom();
    const QByteArray partial = "GET / HTTP/1.1\r\n";
    std::vector<std::unique_ptr<RawWebSocket>> heads;
    const auto head = [&](const char* from) {
        heads.push_back(std::make_unique<RawWebSocket>(port, from));
        heads.back()->send(partial);
        return heads.back().get();
    };
    // One address: 64 wait; each newcomer from it takes the place of its oldest, which is
    // closed without an answer.
    for (int i = 0; i < WebPort::kMaxHeadsPerAddress; ++i)
        head("127.0.0.1");
    head("127.0.0.1");
    EXPECT_TRUE(heads.front()->readUntilClosed());
    EXPECT_TRUE(heads.front()->bytes.isEmpty());
    EXPECT_TRUE(heads[1]->readFor(50)); // still waiting
    // Players are served meanwhile, from that address and from others.
    for (const char* from : {"127.0.0.1", "127.0.0.2"}) {
        RawWebSocket::Options options;
        options.from = from;
        RawWebSocket player(port, options);
        player.readFor(200);
        EXPECT_TRUE(player.bytes.startsWith("HTTP/1.1 101")) << from << player.bytes.constData();
    }
    // The player from that address took the place of the next oldest.
    EXPECT_TRUE(heads[1]->readUntilClosed());
    EXPECT_TRUE(heads[2]->readFor(50));
    heads.erase(heads.begin(), heads.begin() + 2);

    // In all: past the room, the oldest gives way to each newcomer.
    std::vector<QByteArray> addresses;
    for (int n = 3; int(addresses.size()) * WebPort::kMaxHeadsPerAddress < room; ++n)
        addresses.push_back("127.0.1." + QByteArray::number(n));
    for (const QByteArray& address : addresses) {
        for (int i = 0; i < WebPort::kMaxHeadsPerAddress; ++i)
            head(address.constData());
    }
    EXPECT_TRUE(heads.front()->readUntilClosed());
    EXPECT_TRUE(heads.back()->readFor(50));
}

} // namespace
} // namespace tamber::server
