// The relay's web port on loopback: a browser's WebSocket is seated like a TCP client and
// carries the same bytes; an oversized message, a foreign page or another path gets no seat;
// the page itself comes with its headers.

#include "server/RelayServer.h"
#include "server/web/WebFiles.h"
#include "server/web/WebSocketConnection.h"
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
    // A body, or a head that never ends, gets no answer at all.
    EXPECT_EQ(exchange(port, "POST / HTTP/1.1\r\nHost: a\r\nContent-Length: 5\r\n\r\nhello"), "");
    EXPECT_EQ(exchange(port, "GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'x')), "");
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

TEST(WebSocketConnection, HoldsWhatComesWhilePausedAndCutsAFloodInsteadOfHoldingIt)
{
    QWebSocketServer listener(QStringLiteral("test"), QWebSocketServer::NonSecureMode);
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
    QWebSocket peer;
    peer.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(listener.serverPort())));
    // Both ends: a message sent before the peer has read the server's answer is dropped.
    ASSERT_TRUE(waitUntil([&] {
        return listener.hasPendingConnections() && peer.state() == QAbstractSocket::ConnectedState;
    }));
    SteadyClock clock;
    WebSocketConnection connection(std::unique_ptr<QWebSocket>(listener.nextPendingConnection()),
                                   clock);
    QByteArray got;
    QObject::connect(&connection, &WebSocketConnection::received,
                     [&](const QByteArray& bytes) { got += bytes; });
    QSignalSpy failed(&connection, &WebSocketConnection::failed);

    connection.pauseReading();
    peer.sendBinaryMessage("one");
    peer.sendBinaryMessage("two");
    waitUntil([] { return false; }, 100);
    EXPECT_TRUE(got.isEmpty());
    connection.resumeReading();
    EXPECT_TRUE(waitUntil([&] { return got == "onetwo"; }));

    // A paced browser cannot be held back by TCP; past what a paced TCP client may have
    // waiting, it is cut, and what it flooded is not relayed.
    got.clear();
    connection.pauseReading();
    for (int i = 0; i < 5; ++i)
        peer.sendBinaryMessage(QByteArray(4000, 'x'));
    EXPECT_TRUE(waitUntil([&] { return failed.size() == 1; }));
    EXPECT_TRUE(got.isEmpty());
}

} // namespace
} // namespace tamber::server
