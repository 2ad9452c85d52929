// The real `CorventServer --headless --web 8080` under what once hurt its web port: a pinger
// that never reads, and a process out of descriptors. What it costs is read from /proc, as an
// operator would; the bounds are generous and only catch the faults.

#include "tests/e2e/server/ServerProcess.h"
#include "tests/server/RawWebSocket.h"
#include "tests/server/TestClient.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::RawWebSocket;
using testing::TestClient;
using testing::waitUntil;

// The relay with its web port, and as many open files as given (0: as inherited).
class Relay
{
public:
    explicit Relay(rlim_t files = 0)
    {
        process.setProcessEnvironment(noDisplay());
        process.setChildProcessModifier([files] {
            if (files > 0) {
                const rlimit limit{files, files};
                ::setrlimit(RLIMIT_NOFILE, &limit);
            }
        });
        // Every connection comes from loopback here: no cap per address.
        process.start(serverBinary(), {QStringLiteral("--headless"), QStringLiteral("--web"),
                                       QStringLiteral("8080"), QStringLiteral("--max-per-address"),
                                       QStringLiteral("0")});
        EXPECT_TRUE(process.waitForStarted(5000));
        EXPECT_TRUE(waitUntil([] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, 8080);
            return probe.waitForConnected(100);
        }));
    }
    ~Relay()
    {
        process.kill();
        process.waitForFinished(5000);
    }
    qint64 residentBytes() { return field("statm", 1) * ::sysconf(_SC_PAGESIZE); }
    double cpuSeconds()
    {
        return double(field("stat", 13) + field("stat", 14)) / double(::sysconf(_SC_CLK_TCK));
    }
    QByteArray errors()
    {
        m_errors += process.readAllStandardError();
        return m_errors;
    }

    QProcess process;

private:
    // A number in /proc/PID/<file>, counted from 0 after the name in parentheses.
    qint64 field(const char* file, int index)
    {
        QFile proc(QStringLiteral("/proc/%1/%2").arg(process.processId()).arg(QLatin1String(file)));
        if (!proc.open(QIODevice::ReadOnly))
            return -1;
        QByteArray text = proc.readAll();
        if (text.contains(')'))
            text = text.mid(text.lastIndexOf(')') + 2);
        return text.split(' ').value(index - (QByteArray(file) == "stat" ? 2 : 0)).toLongLong();
    }
    QByteArray m_errors;
};

TEST(HeadlessWebPort, APingerThatNeverReadsCostsTheRelayNoMemory)
{
    Relay relay;
    TestClient desktop(protocol::kPort);
    desktop.take(4);
    RawWebSocket::Options options;
    options.receiveBuffer = 4096;
    RawWebSocket pinger(8080, options);
    ASSERT_EQ(desktop.take(2).back(), (Fields{"UserName", "2", "User2"}));

    // As the report had it: 800,000 pings (105 MB), never reading a pong.
    QByteArray pings;
    for (int i = 0; i < 1000; ++i)
        pings += RawWebSocket::frame(0x89, QByteArray(125, char('a' + i % 26)));
    const qint64 before = relay.residentBytes();
    qint64 most = before;
    for (int round = 0; round < 800; ++round) {
        ASSERT_TRUE(pinger.send(pings));
        if (round % 50 == 0)
            most = std::max(most, relay.residentBytes());
    }
    ::shutdown(pinger.fd, SHUT_WR);
    // Its departure comes after every ping was read.
    EXPECT_EQ(desktop.next(), (Fields{"UserName", "2", "-"}));
    most = std::max(most, relay.residentBytes());
    std::printf("relay RSS %.1f MB before, at most %.1f MB while pinged, %.1f MB after\n",
                double(before) / 1e6, double(most) / 1e6, double(relay.residentBytes()) / 1e6);
    EXPECT_LT(most - before, 8 << 20);
    EXPECT_LT(relay.residentBytes() - before, 4 << 20);
}

TEST(HeadlessWebPort, OutOfDescriptorsTheRelayWaitsWithoutSpinningAndRecovers)
{
    Relay relay(48); // a few dozen connections
    TestClient first(protocol::kPort);
    TestClient second(protocol::kPort);
    first.take(5);
    second.take(4);

    // Unfinished heads until the relay has no descriptor left to accept with.
    std::vector<std::unique_ptr<RawWebSocket>> heads;
    for (int i = 0; i < 60; ++i) {
        heads.push_back(std::make_unique<RawWebSocket>(8080));
        heads.back()->send("GET / HTTP/1.1\r\n");
    }
    ASSERT_TRUE(waitUntil([&] { return relay.errors().contains("Cannot accept"); }))
        << relay.errors().constData();

    // A second without descriptors: the players play on, and the relay neither spins nor
    // says it again.
    const double before = relay.cpuSeconds();
    waitUntil([] { return false; }, 1000);
    first.send({"NoteOn", "60", "100"});
    EXPECT_EQ(second.next(), (Fields{"NoteOn", "60", "100", "1"}));
    const double used = relay.cpuSeconds() - before;
    std::printf("relay CPU while out of descriptors: %.2f s in a second\n", used);
    EXPECT_LT(used, 0.25);
    EXPECT_EQ(relay.errors().count("Cannot accept"), 1);

    // Descriptors free again: a new player is seated at once.
    heads.clear();
    TestClient third(protocol::kPort);
    EXPECT_EQ(third.next(), (Fields{"UserID", "User3", "3"}));
}

} // namespace
} // namespace tamber::server
