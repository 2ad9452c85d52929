// A connection handed from one relay thread to another over loopback: what it owed the peer
// leaves first and whole, what its owner had read but not handled comes first on the other
// side, and the socket itself is neither closed nor read twice on the way.

#include "server/net/Connection.h"
#include "server/net/Worker.h"
#include "server/net/WorkerSet.h"
#include "tests/server/RecordingSink.h"
#include "tests/server/TestClient.h"

#include <QTcpServer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tamber::server {
namespace {

using testing::waitUntil;

TEST(HandOver, OutputOwedLeavesFirstAndInputUnhandledComesFirstOnTheOtherThread)
{
    SteadyClock clock;
    net::Worker first(clock, QStringLiteral("first"));
    net::Worker second(clock, QStringLiteral("second"));
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, listener.serverPort());
    ASSERT_TRUE(peer.waitForConnected(5000));
    ASSERT_TRUE(listener.waitForNewConnection(5000));
    QTcpSocket* accepted = listener.nextPendingConnection();
    const int fd = ::dup(int(accepted->socketDescriptor()));
    delete accepted;
    ::fcntl(fd, F_SETFL, O_NONBLOCK);

    RecordingSink before;
    RecordingSink after;
    net::Connection* connection = nullptr;
    first.run([&] {
        connection = net::Connection::open(first.loop(), fd, QHostAddress(QHostAddress::LocalHost));
        connection->setSink(&before);
    });
    ASSERT_NE(connection, nullptr);
    peer.write("early");
    ASSERT_TRUE(waitUntil([&] {
        QByteArray got;
        first.run([&] { got = before.got; });
        return got == "early";
    }));

    // More than the socket takes while the peer reads nothing: part of it is still owed when
    // the connection goes, and the bytes written in the same turn have not left at all.
    QByteArray bulk(8 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < bulk.size(); ++i)
        bulk[i] = char('a' + i % 26);
    first.run([&] { connection->write(bulk); });
    std::optional<net::Connection::Parcel> parcel;
    first.run([&] {
        connection->write("|last words on the first thread");
        parcel = connection->handOff("unhandled|");
    });
    ASSERT_TRUE(parcel);
    EXPECT_GT(parcel->output.size(), 0);

    second.run([&] {
        connection = net::Connection::takeIn(second.loop(), *parcel);
        connection->setSink(&after);
        connection->write("|first words on the second thread");
        connection->receive(parcel->input);
    });
    ASSERT_NE(connection, nullptr);
    peer.write("later");

    const QByteArray expected =
        bulk + "|last words on the first thread|first words on the second thread";
    QByteArray read;
    EXPECT_TRUE(waitUntil(
        [&] {
            read += peer.readAll();
            return read.size() >= expected.size();
        },
        20000));
    EXPECT_TRUE(read == expected) << "got " << read.size() << " bytes";
    EXPECT_TRUE(waitUntil([&] {
        QByteArray got;
        second.run([&] { got = after.got; });
        return got == "unhandled|later";
    }));
    // Nothing was read or reported on the first thread once the connection had gone.
    first.run([&] { EXPECT_EQ(before.got, "early"); });
    first.run([&] { EXPECT_EQ(before.ends, 0); });

    peer.disconnectFromHost();
    EXPECT_TRUE(waitUntil([&] {
        int ends = 0;
        second.run([&] { ends = after.ends; });
        return ends == 1;
    }));
    second.run([&] { connection->abort(); });
}

TEST(WorkerSet, RoomsGoToTheThreadHoldingFewest)
{
    SteadyClock clock;
    net::WorkerSet workers(clock, 3);
    ASSERT_EQ(workers.size(), 3);
    EXPECT_EQ((std::vector<int>{workers.place(), workers.place(), workers.place()}),
              (std::vector<int>{0, 1, 2}));
    workers.release(1);
    EXPECT_EQ(workers.place(), 1);
    EXPECT_EQ(workers.place(), 0);
    // Each is a thread of its own, with its own loop.
    bool own = false;
    workers.at(2).run(
        [&] { own = workers.at(2).isCurrentThread() && !workers.at(0).isCurrentThread(); });
    EXPECT_TRUE(own);
}

} // namespace
} // namespace tamber::server
