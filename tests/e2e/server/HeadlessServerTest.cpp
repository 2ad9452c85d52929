// The real `CorventServer --headless` on port 9050, talked to over TCP and stopped with
// SIGTERM. Runs inside a private network namespace (see tests/server/CMakeLists.txt), so the
// fixed port never meets the host's or another test's.

#include "tests/server/TestClient.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::TestClient;
using testing::waitUntil;

QString serverBinary()
{
    return QString::fromLocal8Bit(qgetenv("CORVENT_SERVER"));
}

// A process environment with no display of any kind.
QProcessEnvironment noDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    return env;
}

class HeadlessServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(serverBinary().isEmpty()) << "CORVENT_SERVER not set";
        server.setProcessEnvironment(noDisplay());
        server.start(serverBinary(), {QStringLiteral("--headless")});
        ASSERT_TRUE(server.waitForStarted(5000));
        ASSERT_TRUE(waitUntil([&] { return output().count('\n') >= 9; }));
    }
    void TearDown() override
    {
        if (server.state() != QProcess::NotRunning) {
            server.kill();
            server.waitForFinished(5000);
        }
    }
    QByteArray output()
    {
        out += server.readAllStandardOutput();
        return out;
    }

    QProcess server;
    QByteArray out;
};

TEST_F(HeadlessServer, ServesTwoRawClientsByteForByteAndStopsOnSigterm)
{
    QByteArray expectedList;
    for (int n = 1; n <= 8; ++n)
        expectedList += QByteArray::number(n) + ". No User: 0.0.0.0\n";
    EXPECT_EQ(output(), expectedList + "\n");

    TestClient first(protocol::kPort);
    EXPECT_EQ(first.take(3), (QList<Fields>{{"UserID", "User1", "1"},
                                            {"ChatMsg", "Welcome to Corvent!"},
                                            {"UserName", "1", "User1"}}));
    first.send({"SetPatch", "0"});
    EXPECT_EQ(first.next(), (Fields{"SetPatch", "1", "0"}));

    QTcpSocket second;
    second.connectToHost(QHostAddress::LocalHost, protocol::kPort);
    QByteArray secondBytes;
    const auto receivedAtLeast = [&](qsizetype n) {
        return waitUntil([&] {
            secondBytes += second.readAll();
            return secondBytes.size() >= n;
        });
    };
    const QByteArray greeting("UserID\0User2\0"
                              "2\0\x01"
                              "ChatMsg\0Welcome to Corvent!\0\x01"
                              "UserName\0"
                              "1\0User1\0\x01"
                              "UserName\0"
                              "2\0User2\0\x01",
                              16 + 29 + 18 + 18);
    ASSERT_TRUE(receivedAtLeast(greeting.size()));
    EXPECT_EQ(secondBytes, greeting);
    secondBytes.clear();
    EXPECT_EQ(first.take(2),
              (QList<Fields>{{"UserName", "1", "User1"}, {"UserName", "2", "User2"}}));

    // Between clients no order is promised, so each waits for its own echo.
    second.write(QByteArray("SetPatch\0"
                            "5\0\x01",
                            12));
    const QByteArray patch2("SetPatch\0"
                            "2\0"
                            "5\0\x01",
                            14);
    ASSERT_TRUE(receivedAtLeast(patch2.size()));
    EXPECT_EQ(secondBytes, patch2);
    EXPECT_EQ(first.next(), (Fields{"SetPatch", "2", "5"}));
    secondBytes.clear();

    first.send({"SetPatch", "0"});
    first.send({"NoteOn", "60", "127"});
    const QByteArray relayed("SetPatch\0"
                             "1\0"
                             "0\0\x01"
                             "NoteOn\0"
                             "60\0"
                             "127\0"
                             "1\0\x01",
                             14 + 17);
    ASSERT_TRUE(receivedAtLeast(relayed.size()));
    EXPECT_EQ(secondBytes, relayed);
    EXPECT_TRUE(waitUntil([&] { return output().contains("2. User2: 127.0.0.1\n"); }));

    // Stop tells nobody anything: both connections just close.
    first.received.clear();
    secondBytes.clear();
    ::kill(pid_t(server.processId()), SIGTERM);
    ASSERT_TRUE(server.waitForFinished(5000));
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.exitCode(), 0);
    EXPECT_TRUE(first.waitClosed());
    EXPECT_TRUE(waitUntil([&] { return second.state() == QAbstractSocket::UnconnectedState; }));
    secondBytes += second.readAll();
    EXPECT_TRUE(first.received.isEmpty());
    EXPECT_TRUE(secondBytes.isEmpty());
}

TEST_F(HeadlessServer, ASecondServerOnTheSamePortFailsClearly)
{
    QProcess second;
    second.setProcessEnvironment(noDisplay());
    second.start(serverBinary(), {QStringLiteral("--headless")});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAllStandardError().contains("cannot listen on port 9050"));
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());

    // SIGINT stops the first one as well as SIGTERM does.
    ::kill(pid_t(server.processId()), SIGINT);
    ASSERT_TRUE(server.waitForFinished(5000));
    EXPECT_EQ(server.exitCode(), 0);
}

TEST(HeadlessHelp, ExplainsBothModes)
{
    QProcess help;
    help.setProcessEnvironment(noDisplay());
    help.start(serverBinary(), {QStringLiteral("--help")});
    ASSERT_TRUE(help.waitForFinished(5000));
    EXPECT_EQ(help.exitCode(), 0);
    const QByteArray text = help.readAllStandardOutput();
    EXPECT_TRUE(text.contains("--headless"));
    EXPECT_TRUE(text.contains("Window mode"));
}

} // namespace
} // namespace tamber::server

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
