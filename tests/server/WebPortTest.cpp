// The relay's web port on loopback: a browser's WebSocket is seated like a TCP client and
// carries the same bytes; an oversized message, a foreign page or another path gets no seat;
// the page itself comes with its headers.

#include "server/RelayServer.h"
#include "server/web/WebFiles.h"
#include "tests/server/TestClient.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QWebSocketServer>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::TestClient;
using testing::waitUntil;

// A browser's side of the relay's WebSocket, cutting what it gets into messages.
class Browser
{
public:
    Browser(quint16 port, const QString& origin, const QString& path = QStringLiteral("/ws"))
        : socket(origin)
    {
        QObject::connect(&socket, &QWebSocket::binaryMessageReceived, [this](const QByteArray& b) {
            for (const QByteArray& m : assembler.feed(b))
                received.append(protocol::splitFields(m));
        });
        QObject::connect(&socket, &QWebSocket::disconnected, [this] { closed = true; });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(port).arg(path)));
    }
    bool has(const Fields& fields)
    {
        return waitUntil([&] { return received.contains(fields); });
    }

    QWebSocket socket;
    protocol::MessageAssembler assembler{0};
    QList<Fields> received;
    bool closed = false;
};

class WebPortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile index(dir.filePath(QStringLiteral("index.html")));
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("<!DOCTYPE html>");
        index.close();
        server.setWeb({0, QHostAddress::LocalHost, {}, {dir.path(), {}}});
        ASSERT_TRUE(server.start(0, QHostAddress::LocalHost)) << server.errorString().toStdString();
        port = server.webPort();
        origin = QStringLiteral("http://127.0.0.1:%1").arg(port);
        ASSERT_NE(port, 0);
    }

    QTemporaryDir dir;
    RelayServer server;
    quint16 port = 0;
    QString origin;
};

TEST_F(WebPortTest, ABrowserTakesASeatAndSpeaksTheProtocolByteForByte)
{
    TestClient desktop(server.port());
    ASSERT_TRUE(waitUntil([&] { return server.userName(1) == "User1"; }));
    Browser browser(port, origin);
    ASSERT_TRUE(browser.has({"UserID", "User2", "2"}));
    EXPECT_TRUE(browser.has({"ChatMsg", "Welcome to Corvent!"}));
    EXPECT_TRUE(browser.has({"UserName", "1", "User1"}));
    EXPECT_TRUE(browser.has({"UserName", "2", "User2"}));

    // One binary message may carry several messages, and a message may span two.
    const QByteArray bytes = protocol::buildMessage({"SetPatch", "5"}) +
                             protocol::buildMessage({"NoteOn", "60", "127"}) + "ChatMsg";
    browser.socket.sendBinaryMessage(bytes);
    browser.socket.sendTextMessage(QString::fromLatin1(protocol::buildMessage({"NoteOff", "60"})));
    browser.socket.sendBinaryMessage(protocol::buildMessage({"", "/name Webby"}));
    ASSERT_TRUE(browser.has({"UserName", "2", "Webby"}));
    EXPECT_TRUE(browser.has({"NoteOn", "60", "127", "2"}));
    EXPECT_TRUE(waitUntil([&] {
        return desktop.received.contains(Fields{"UserName", "2", "Webby"});
    }));
    const QList<Fields> atDesktop = desktop.received;
    EXPECT_TRUE(atDesktop.contains(Fields({"SetPatch", "2", "5"})));
    EXPECT_TRUE(atDesktop.contains(Fields({"NoteOn", "60", "127", "2"})));
    // The text message carried nothing of the protocol.
    for (const Fields& fields : atDesktop)
        EXPECT_NE(fields.value(0), "NoteOff");

    // Closing the tab frees the seat and tells the others.
    browser.socket.close();
    EXPECT_TRUE(waitUntil([&] { return desktop.received.contains(Fields{"UserName", "2", "-"}); }));
    EXPECT_TRUE(waitUntil([&] { return server.slotLines().value(1) == "2. No User: 0.0.0.0"; }));
}

TEST_F(WebPortTest, AMessageOver4KiBClosesTheConnectionAndFreesTheSeat)
{
    Browser browser(port, origin);
    ASSERT_TRUE(browser.has({"UserID", "User1", "1"}));
    browser.socket.sendBinaryMessage(QByteArray(4096, 'a'));
    waitUntil([] { return false; }, 100);
    EXPECT_FALSE(browser.closed);
    browser.socket.sendBinaryMessage(QByteArray(4097, 'a'));
    EXPECT_TRUE(waitUntil([&] { return browser.closed; }));
    EXPECT_EQ(browser.socket.closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
    EXPECT_TRUE(waitUntil([&] { return server.slotLines().value(0) == "1. No User: 0.0.0.0"; }));
}

TEST_F(WebPortTest, AForeignPageOrAnotherPathGetsNoSeat)
{
    Browser foreign(port, QStringLiteral("http://evil.example"));
    Browser elsewhere(port, origin, QStringLiteral("/other"));
    EXPECT_TRUE(waitUntil([&] { return foreign.closed && elsewhere.closed; }));
    EXPECT_TRUE(foreign.received.isEmpty());
    EXPECT_TRUE(elsewhere.received.isEmpty());
    EXPECT_EQ(foreign.socket.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    // The seat they did not get goes to the next player.
    Browser own(port, origin);
    EXPECT_TRUE(own.has({"UserID", "User1", "1"}));
}

// One request per connection, answered in full and closed.
QByteArray exchange(quint16 port, const QByteArray& request)
{
    QTcpSocket http;
    http.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(http.waitForConnected(5000));
    http.write(request);
    QByteArray response;
    waitUntil([&] {
        response += http.readAll();
        return http.state() == QAbstractSocket::UnconnectedState;
    });
    return response + http.readAll();
}

TEST_F(WebPortTest, ServesThePageWithItsHeadersOneRequestAConnection)
{
    const QByteArray page = exchange(port, "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_TRUE(page.startsWith("HTTP/1.1 200 OK\r\n")) << page.constData();
    EXPECT_TRUE(page.contains("\r\nContent-Type: text/html; charset=utf-8\r\n"));
    EXPECT_TRUE(page.contains("\r\nContent-Length: 15\r\n"));
    EXPECT_TRUE(
        page.contains("\r\nContent-Security-Policy: " + WebFiles::kContentSecurityPolicy + "\r\n"));
    EXPECT_TRUE(page.contains("\r\nCache-Control: no-cache\r\n"));
    EXPECT_TRUE(page.endsWith("\r\n\r\n<!DOCTYPE html>")) << page.constData();

    // A second request on the same connection is not answered: the first one closed it.
    const QByteArray twice = exchange(port, "GET / HTTP/1.1\r\nHost: a\r\n\r\n"
                                            "GET /../index.html HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_EQ(twice.count("HTTP/1.1 "), 1) << twice.constData();

    const QByteArray escape = exchange(port, "GET /../index.html HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_TRUE(escape.startsWith("HTTP/1.1 404")) << escape.constData();
    // A body gets no answer at all; a head over 8 KiB its status, then the close.
    EXPECT_EQ(exchange(port, "POST / HTTP/1.1\r\nHost: a\r\nContent-Length: 5\r\n\r\nhello"), "");
    const QByteArray large = exchange(port, "GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'x'));
    EXPECT_TRUE(large.startsWith("HTTP/1.1 431 Request Header Fields Too Large\r\n"))
        << large.constData();
    const QByteArray longPath = exchange(port, "GET /" + QByteArray(9000, 'p'));
    EXPECT_TRUE(longPath.startsWith("HTTP/1.1 414 URI Too Long\r\n")) << longPath.constData();
    const QByteArray overPath =
        exchange(port, "GET /" + QByteArray(1024, 'p') + " HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(overPath.startsWith("HTTP/1.1 414 URI Too Long\r\n")) << overPath.constData();
}

TEST_F(WebPortTest, StopClosesTheWebPortWithTheSeatsAndStartOpensItAgain)
{
    Browser browser(port, origin);
    ASSERT_TRUE(browser.has({"UserID", "User1", "1"}));
    server.stop();
    EXPECT_TRUE(waitUntil([&] { return browser.closed; }));
    EXPECT_EQ(server.webPort(), 0);
    QTcpSocket refused;
    refused.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_FALSE(refused.waitForConnected(2000));

    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost));
    Browser again(server.webPort(), QStringLiteral("http://127.0.0.1:%1").arg(server.webPort()));
    EXPECT_TRUE(again.has({"UserID", "User1", "1"}));
}

TEST_F(WebPortTest, ABrowsersBurstIsPacedAndRelayedWholeAndInOrder)
{
    TestClient desktop(server.port());
    desktop.take(4);
    Browser browser(port, origin);
    ASSERT_TRUE(browser.has({"UserID", "User2", "2"}));
    // 2,000 notes at once, about 28 KB in ten messages: over the burst of 500, so the relay
    // holds the browser back by TCP and relays the rest at 1,000 a second.
    for (int message = 0; message < 10; ++message) {
        QByteArray notes;
        for (int i = message * 200; i < (message + 1) * 200; ++i)
            notes += protocol::buildMessage({"NoteOn", QByteArray::number(i), "1"});
        browser.socket.sendBinaryMessage(notes);
    }
    QList<Fields> relayed;
    EXPECT_TRUE(waitUntil(
        [&] {
            for (const Fields& f : std::exchange(desktop.received, {})) {
                if (f.value(0) == "NoteOn")
                    relayed.append(f);
            }
            return relayed.size() >= 2000;
        },
        30000));
    ASSERT_EQ(relayed.size(), 2000);
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(relayed[i], (Fields{"NoteOn", QByteArray::number(i), "1", "2"}));
    EXPECT_FALSE(browser.closed);

    // A ping is answered while the browser plays.
    QByteArray pong;
    QObject::connect(&browser.socket, &QWebSocket::pong,
                     [&](quint64, const QByteArray& payload) { pong = payload; });
    browser.socket.ping("still there?");
    EXPECT_TRUE(waitUntil([&] { return pong == "still there?"; }));
}

// Pages from the origins given may play beside the relay's own page, unless "none" is given.
TEST(WebPortOrigins, TheOriginsGivenAddToThePagesOwnAndNoneTakesItAway)
{
    QTemporaryDir dir;
    const QString proxy = QStringLiteral("https://piano.example.org");
    for (const bool none : {false, true}) {
        RelayServer server;
        server.setWeb({0,
                       QHostAddress::LocalHost,
                       none ? QStringList{QStringLiteral("none"), proxy} : QStringList{proxy},
                       {dir.path(), {}}});
        ASSERT_TRUE(server.start(0, QHostAddress::LocalHost));
        const quint16 port = server.webPort();
        Browser own(port, QStringLiteral("http://127.0.0.1:%1").arg(port));
        Browser proxied(port, proxy);
        Browser foreign(port, QStringLiteral("http://evil.example"));
        EXPECT_TRUE(proxied.has({"ChatMsg", "Welcome to Corvent!"})) << none;
        EXPECT_TRUE(waitUntil([&] { return foreign.closed; }));
        EXPECT_EQ(foreign.socket.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
        if (none) {
            EXPECT_TRUE(waitUntil([&] { return own.closed; }));
            EXPECT_EQ(own.socket.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
        } else {
            EXPECT_TRUE(own.has({"ChatMsg", "Welcome to Corvent!"}));
        }
    }
}

} // namespace
} // namespace tamber::server
