#pragma once

// The relay's web port, on a relay thread: the browser piano's files over HTTP, the list of
// rooms at /rooms.json, and the players' WebSocket beside each room's page (/r/NAME/ws), or at
// /ws for the default room. Each connection sends
// one request head, of at most 8 KiB, whole within ten seconds; a page request is answered and
// closed, a WebSocket that passes the path and Origin checks is handed on to be seated, others
// are closed before a byte of the protocol passes. Unfinished heads are limited per address
// and in all, so that they cannot take every descriptor: past a limit, the oldest is dropped.
// Every connection is counted at accept (ConnectionTally); one over the caps is told why (a
// WebSocket gets the reason and "Farewell", a page request a 503) and closed. A trusted proxy's
// connection counts as the address it forwards, once its head says which.

#include "server/net/Connection.h"
#include "server/net/ConnectionTally.h"
#include "server/net/Listener.h"
#include "server/web/WebFiles.h"

#include <QHash>
#include <QHostAddress>
#include <QStringList>
#include <functional>
#include <list>
#include <unordered_set>

namespace tamber::server {

struct HttpRequest;

// Whether a browser page from `origin` may open the relay's WebSocket. The page's own host
// (the Host it asked for, `host`) always may, and so may the origins given; "*" allows every
// origin, and "none" takes the page's own host away (a page served only through a proxy). A
// request without an Origin comes from no web page, and no page can be tricked into it: it
// passes, as a TCP client would.
bool originAllowed(const QString& origin, const QString& host, const QStringList& allowed);

class WebPort
{
public:
    static constexpr Duration kHeadTimeout = std::chrono::seconds(10);
    // An answer the peer stops taking, or a peer that never ends a closed exchange.
    static constexpr Duration kAnswerStall = std::chrono::seconds(10);
    static constexpr int kMaxHeadsPerAddress = 64;

    // Takes a WebSocket player's connection, its framing set, into the room named; false when
    // it gets no seat there (whatever it was told is then sent before the socket closes).
    using Seat = std::function<bool(net::Connection& connection, const QByteArray& room)>;
    // The rooms as the lobby lists them, as JSON.
    using RoomList = std::function<QByteArray()>;

    struct Admission
    {
        std::shared_ptr<net::ConnectionTally> tally; // none: nothing is counted
        QList<QHostAddress> trustedProxies;
    };

    WebPort(net::Loop& loop, WebFiles files, QStringList allowedOrigins, Seat seat,
            RoomList rooms = {}, Admission admission = {});
    // Ends every exchange not handed on yet.
    ~WebPort();
    WebPort(const WebPort&) = delete;
    WebPort& operator=(const WebPort&) = delete;

    // False (and not listening) when the port cannot be listened on; errorString() says why.
    bool listen(const QHostAddress& address, quint16 port);
    // Stops listening; exchanges under way finish.
    void close();
    bool isListening() const { return m_listener.isListening(); }
    quint16 port() const { return m_listener.port(); }
    QString errorString() const { return m_listener.errorString(); }
    // How many unfinished heads may wait at once, from all addresses: a quarter of the
    // descriptors the process may open, from 64 to 1,024.
    static int headRoom();

private:
    class Exchange;

    void onAccepted(int fd, const QHostAddress& peer);
    void handle(Exchange& exchange, const HttpRequest& request);
    // Counts a trusted proxy's connection as the client it forwards, if it names one.
    void countForwarded(Exchange& exchange, const HttpRequest& request);
    // Over the caps: a WebSocket hears why and is closed, a page request gets a 503.
    void refuse(Exchange& exchange, const HttpRequest& request);
    // Completes the WebSocket handshake; its framing is set on the connection.
    void acceptWebSocket(Exchange& exchange, const HttpRequest& request);
    void upgrade(Exchange& exchange, const HttpRequest& request);
    void answer(Exchange& exchange, int status,
                const QList<std::pair<QByteArray, QByteArray>>& extra = {});
    void answerFile(Exchange& exchange, const HttpRequest& request);
    void answerRooms(Exchange& exchange, const HttpRequest& request);
    // Writes the head, and the body when there is one, then closes once it is taken.
    void respond(Exchange& exchange, const WebReply& reply, qint64 length, const QByteArray& body);
    void headDone(Exchange& exchange);
    void finish(Exchange& exchange);

    net::Loop& m_loop;
    WebFiles m_files;
    QStringList m_allowedOrigins;
    Seat m_seat;
    RoomList m_rooms;
    Admission m_admission;
    net::Listener m_listener;
    int m_maxHeads;
    std::unordered_set<Exchange*> m_exchanges;
    std::list<Exchange*> m_heads; // unfinished, oldest first
    QHash<QHostAddress, int> m_headsFrom;
};

} // namespace tamber::server
