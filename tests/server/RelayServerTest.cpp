// The relay on real sockets: real QTcpSocket clients on 127.0.0.1 and an ephemeral port.

#include "server/RelayServer.h"
#include "tests/server/TestClient.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::TestClient;
using testing::waitUntil;

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
                clients[c]->take(c == i ? 2 + i + 1 : i + 1);
        }
    }

    RelayServer server;
    std::vector<std::unique_ptr<TestClient>> clients;
};

TEST_F(RelayServerTest, GreetsNewClientThenTellsEveryoneWhoIsPresent)
{
    joinAll(2);
    TestClient& third = join();
    EXPECT_EQ(third.take(5), (QList<Fields>{{"UserID", "User3", "3"},
                                            {"ChatMsg", "Welcome to Corvent!"},
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
        return bytes.size() >= 62;
    });
    QByteArray expected("UserID\0User1\0"
                        "1\0\x01"
                        "ChatMsg\0Welcome to Corvent!\0\x01"
                        "UserName\0"
                        "1\0User1\0\x01",
                        13 + 3 + 29 + 1 + 17);
    EXPECT_EQ(bytes, expected);
}

} // namespace
} // namespace tamber::server
