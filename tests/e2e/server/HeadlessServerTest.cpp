// The real `CorventServer --headless` on port 9050, talked to over TCP and stopped with
// SIGTERM. Runs inside a private network namespace (see tests/server/CMakeLists.txt), so the
// fixed port never meets the host's or another test's.

#include "tests/e2e/server/ServerProcess.h"
#include "tests/server/TestClient.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::TestClient;
using testing::waitUntil;

// Connects, waits for the greeting and goes: two rebuilt lists each time. It names its room
// as a new piano does, so it is seated at once instead of after an old piano's wait.
bool comeAndGo(int times)
{
    for (int i = 0; i < times; ++i) {
        TestClient client(protocol::kPort);
        client.send({"ChatMsg", "/join main"});
        if (client.take(4).size() < 4)
            return false;
        client.socket.abort();
    }
    return true;
}

// A new client is greeted and its instrument relayed back to it.
bool serves()
{
    TestClient client(protocol::kPort);
    const Fields greeting = client.next();
    if (greeting.size() < 3 || greeting[0] != "UserID")
        return false;
    client.send({"SetPatch", "7"});
    return waitUntil([&] {
        return client.received.contains(Fields{"SetPatch", greeting[2], "7"});
    });
}

// Everything the pipe holds now, without waiting.
QByteArray drain(int fd)
{
    QByteArray bytes;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, got);
    return bytes;
}

// `CorventServer --headless` with standard output on the write end of a pipe of the test's.
class PipedServer
{
public:
    explicit PipedServer(int stdoutFd)
    {
        process.setProcessEnvironment(noDisplay());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setChildProcessModifier([stdoutFd] { ::dup2(stdoutFd, STDOUT_FILENO); });
        process.start(serverBinary(), {QStringLiteral("--headless")});
        EXPECT_TRUE(process.waitForStarted(5000));
        EXPECT_TRUE(waitUntil([] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, protocol::kPort);
            return probe.waitForConnected(100);
        }));
        // The probe's own visit must be over before a test counts lists.
        waitUntil([] { return false; }, 100);
    }
    ~PipedServer()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    // SIGTERM; true when the server then ended by itself with status 0.
    bool stop()
    {
        ::kill(pid_t(process.processId()), SIGTERM);
        return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QProcess process;
};

class HeadlessServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(serverBinary().isEmpty()) << "CORVENT_SERVER not set";
        server.setProcessEnvironment(noDisplay());
        server.start(serverBinary(), {QStringLiteral("--headless"), QStringLiteral("--web"),
                                      QStringLiteral("8080")});
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
    EXPECT_EQ(first.take(4), (QList<Fields>{{"UserID", "User1", "1"},
                                            {"ChatMsg", "Welcome to Corvent!"},
                                            {"RoomInfo", "main", "0", "0"},
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
                              "RoomInfo\0main\0"
                              "0\0"
                              "0\0\x01"
                              "UserName\0"
                              "1\0User1\0\x01"
                              "UserName\0"
                              "2\0User2\0\x01",
                              16 + 29 + 19 + 18 + 18);
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

TEST_F(HeadlessServer, ASecondRelayOnAnotherPortKeepsItsOwnRoomsAndPrintsWhose)
{
    QProcess second;
    second.setProcessEnvironment(noDisplay());
    second.start(serverBinary(),
                 {QStringLiteral("--headless"), QStringLiteral("--port"), QStringLiteral("9051"),
                  QStringLiteral("--max-rooms"), QStringLiteral("1"), QStringLiteral("--verbose")});
    ASSERT_TRUE(second.waitForStarted(5000));
    QByteArray printed;
    ASSERT_TRUE(waitUntil([&] {
        printed += second.readAllStandardOutput();
        return printed.count('\n') >= 9;
    }));
    TestClient jazz(9051);
    jazz.send({"ChatMsg", "/join Jazz"});
    EXPECT_EQ(jazz.take(4).value(1), (Fields{"ChatMsg", "Welcome to Corvent! This is room Jazz."}));
    EXPECT_TRUE(waitUntil([&] {
        printed += second.readAllStandardOutput();
        return printed.contains("\n\nRoom Jazz:\n1. User1: 127.0.0.1\n2. No User: 0.0.0.0\n");
    })) << printed.constData();
    // One room is all it may hold; the first relay has none of this.
    TestClient other(9051);
    other.send({"ChatMsg", "/join blues"});
    EXPECT_EQ(other.take(2),
              (QList<Fields>{{"ChatMsg", "The server has no room for another room."},
                             {"Farewell", "The server has no room for another room."}}));
    EXPECT_FALSE(output().contains("Room Jazz:"));

    ::kill(pid_t(second.processId()), SIGTERM);
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    const QByteArray log = second.readAllStandardError();
    EXPECT_TRUE(log.contains("Room \"Jazz\" made")) << log.constData();
    EXPECT_TRUE(log.contains("Room \"Jazz\" emptied")) << log.constData();
}

TEST_F(HeadlessServer, LoadsNoDisplayLibrariesAndShowsNamesEscaped)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(server.processId()));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    EXPECT_TRUE(mapped.contains("libQt6Network"));
    for (const char* library : {"libQt6Widgets", "libQt6Gui", "libX11", "libxcb", "libGL", "libEGL",
                                "libOpenGL", "libQt6HttpServer", "libQt6WebSockets"})
        EXPECT_FALSE(mapped.contains(library)) << library;

    // A name cannot move the operator's cursor nor forge a slot line: one with controls is
    // refused, and one that writes an escape out is shown as written.
    TestClient client(protocol::kPort);
    client.take(4);
    client.send({"ChatMsg", "/name \x1b[2J\r\n2.X\x9b"});
    EXPECT_EQ(client.next(), (Fields{"ChatMsg", "A name may not hold control characters."}));
    client.send({"ChatMsg", "/name \\x0a2.X"});
    EXPECT_EQ(client.next(), (Fields{"UserName", "1", "\\x0a2.X"}));
    EXPECT_TRUE(
        waitUntil([&] { return output().contains("\n1. \\\\x0a2.X: 127.0.0.1\n2. No User"); }));
}

TEST_F(HeadlessServer, ListensWithRoomForAConnectStorm)
{
    // Both ports alike: for a listening socket, Send-Q is the backlog.
    for (const char* port : {"9050", "8080"}) {
        QProcess ss;
        ss.start(QStringLiteral("ss"),
                 {QStringLiteral("-ltnH"), QStringLiteral("sport = :%1").arg(QLatin1String(port))});
        ASSERT_TRUE(ss.waitForFinished(5000));
        const QList<QByteArray> fields = ss.readAllStandardOutput().simplified().split(' ');
        ASSERT_GE(fields.size(), 3) << port;
        EXPECT_GE(fields[2].toInt(), 1024) << port;
    }

    // A burst of connects is served, each in turn, and the relay stays responsive.
    ASSERT_TRUE(comeAndGo(200));
    EXPECT_TRUE(serves());
    // The same on the web port: 500 page requests one after another, each answered.
    for (int i = 0; i < 500; ++i) {
        QTcpSocket page;
        page.connectToHost(QHostAddress::LocalHost, 8080);
        ASSERT_TRUE(page.waitForConnected(5000)) << i;
        page.write("HEAD / HTTP/1.1\r\nHost: 127.0.0.1:8080\r\n\r\n");
        ASSERT_TRUE(waitUntil([&] { return page.state() == QAbstractSocket::UnconnectedState; }))
            << i;
        ASSERT_TRUE(page.readAll().startsWith("HTTP/1.1 ")) << i;
    }
    EXPECT_TRUE(serves());
}

TEST(HeadlessOutput, APipeNobodyReadsNeitherStallsNorStopsTheRelay)
{
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
    PipedServer server(fds[1]);
    // Each visit prints two lists of about 160 bytes: the 64 KiB pipe is full long before.
    ASSERT_TRUE(comeAndGo(500));
    EXPECT_TRUE(serves());

    // Once the reader drains the pipe, the list in hand is finished, one line says how many
    // lists were missed, and the newest follows.
    QByteArray printed = drain(fds[0]);
    EXPECT_TRUE(printed.startsWith("1. No User: 0.0.0.0\n"));
    ASSERT_TRUE(comeAndGo(1));
    const QByteArray notice = " user lists dropped while standard output was not read\n";
    const QByteArray idle = "1. No User: 0.0.0.0\n2. No User: 0.0.0.0\n3. No User: 0.0.0.0\n"
                            "4. No User: 0.0.0.0\n5. No User: 0.0.0.0\n6. No User: 0.0.0.0\n"
                            "7. No User: 0.0.0.0\n8. No User: 0.0.0.0\n\n";
    EXPECT_TRUE(waitUntil([&] {
        printed += drain(fds[0]);
        return printed.contains(notice) && printed.endsWith(idle);
    }));
    const qsizetype at = printed.indexOf(notice);
    const qsizetype lineStart = printed.lastIndexOf('\n', at) + 1;
    EXPECT_GT(printed.mid(lineStart, at - lineStart).toInt(), 300);
    EXPECT_EQ(printed.count(notice), 1);
    // Whole lists only, before and after the notice.
    const QByteArray lists = printed.left(lineStart) + printed.mid(at + notice.size());
    EXPECT_EQ(lists.count("\n\n") * 9, lists.count('\n'));
    EXPECT_TRUE(lists.startsWith("1. "));

    // Stalled again, SIGTERM still ends it at once, with status 0.
    ASSERT_TRUE(comeAndGo(400));
    EXPECT_TRUE(server.stop());
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST(HeadlessOutput, AReaderThatHasGoneIsIgnored)
{
    // Gone before the start, and gone while it runs (`| head`, a log shipper that restarts).
    for (const bool goneAtStart : {true, false}) {
        int fds[2];
        ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
        if (goneAtStart)
            ::close(fds[0]);
        PipedServer server(fds[1]);
        ::close(fds[1]);
        if (!goneAtStart) {
            pollfd p{fds[0], POLLIN, 0};
            ASSERT_EQ(::poll(&p, 1, 5000), 1);
            ::close(fds[0]);
        }
        ASSERT_TRUE(comeAndGo(20)) << goneAtStart;
        EXPECT_TRUE(serves()) << goneAtStart;
        EXPECT_TRUE(server.stop()) << goneAtStart; // not killed by SIGPIPE on the way
    }
}

TEST(HeadlessHelp, QtOptionsReachTheWindowProgram)
{
    // Without --headless CorventServer becomes the window program, which takes Qt's options
    // and the relay's own.
    QProcess window;
    window.setProcessEnvironment(noDisplay());
    window.start(serverBinary(), {QStringLiteral("-platform"), QStringLiteral("offscreen"),
                                  QStringLiteral("--chat-rate"), QStringLiteral("3")});
    ASSERT_TRUE(window.waitForStarted(5000));
    const QString exe = QStringLiteral("/proc/%1/exe").arg(window.processId());
    EXPECT_TRUE(waitUntil([&] {
        return QFileInfo(exe).symLinkTarget().endsWith(QLatin1String("/corvent-server-window"));
    }));
    EXPECT_FALSE(window.waitForFinished(500)) // running, refusing neither option
        << window.readAllStandardError().constData();
    window.kill();
    window.waitForFinished(5000);
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
    for (const char* option : {"--note-rate", "--note-burst", "--chat-rate", "--chat-burst",
                               "--name-rate", "--name-burst"})
        EXPECT_TRUE(text.contains(option)) << option;

    QProcess bad;
    bad.setProcessEnvironment(noDisplay());
    bad.start(serverBinary(), {QStringLiteral("--headless"), QStringLiteral("--chat-rate=often")});
    ASSERT_TRUE(bad.waitForFinished(5000));
    EXPECT_EQ(bad.exitCode(), 1);
    EXPECT_TRUE(bad.readAllStandardError().contains("--chat-rate"));
}

} // namespace
} // namespace tamber::server

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
