#include "WebPort.h"

#include "server/Farewell.h"
#include "server/RelayLog.h"
#include "server/Rooms.h"
#include "server/net/Sockets.h"
#include "server/web/Forwarded.h"
#include "server/web/HttpHead.h"
#include "server/web/WebSocketFraming.h"

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

namespace tamber::server {

namespace {

constexpr qint64 kBodyChunk = 64 * 1024;
constexpr auto kWebSocketGuid = "258EAFA5-E914-47DA-95CA-C5AB0DC85B11";

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 101:
        return "Switching Protocols";
    case 200:
        return "OK";
    case 304:
        return "Not Modified";
    case 308:
        return "Permanent Redirect";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 414:
        return "URI Too Long";
    case 431:
        return "Request Header Fields Too Large";
    case 503:
        return "Service Unavailable";
    default:
        return "Internal Server Error";
    }
}

QByteArray statusText(int status)
{
    switch (status) {
    case 304:
        return {};
    case 308:
        return "Moved: the room's page ends with a slash\n";
    case 400:
        return "Bad request\n";
    case 405:
        return "Method not allowed\n";
    case 414:
        return "URI too long\n";
    case 431:
        return "Request header fields too large\n";
    case 500:
        return "Internal server error\n";
    default:
        return "Not found\n";
    }
}

// host[:port] as a browser writes it after the scheme; lower case, for comparing.
QString authorityOf(const QString& origin)
{
    const qsizetype scheme = origin.indexOf(QLatin1String("://"));
    return (scheme < 0 ? origin : origin.mid(scheme + 3)).toLower();
}

constexpr auto kRoomsPath = "/rooms.json";

// The room a players' socket path names: /r/NAME/ws beside the room's page, or /ws for the
// default room; nullopt for any other path.
std::optional<QByteArray> playerRoom(const QByteArray& path)
{
    if (path == "/ws")
        return QByteArray(kDefaultRoom);
    if (!path.startsWith("/r/") || !path.endsWith("/ws"))
        return std::nullopt;
    const QByteArray room = path.mid(3, path.size() - 6);
    if (!protocol::isRoomName(room))
        return std::nullopt;
    return room;
}

} // namespace

int WebPort::headRoom()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 1024;
    return int(std::clamp<rlim_t>(limit.rlim_cur / 4, 64, 1024));
}

bool originAllowed(const QString& origin, const QString& host, const QStringList& allowed)
{
    if (origin.isEmpty())
        return true;
    for (const QString& entry : allowed) {
        if (entry == QLatin1String("*") || entry.compare(origin, Qt::CaseInsensitive) == 0)
            return true;
    }
    if (allowed.contains(QLatin1String("none")))
        return false;
    return !host.isEmpty() && authorityOf(origin) == host.toLower();
}

// One connection from its head to its answer (or until it is handed on as a player).
class WebPort::Exchange final : public ClientLink::Sink,
                                public net::TimerClient,
                                public net::Disposable
{
public:
    Exchange(WebPort& port, net::Connection& connection)
        : m_port(port), m_connection(&connection), m_address(connection.peerAddress())
    {
    }

    void linkReceived(ClientLink&, QByteArrayView bytes) override
    {
        if (m_answering)
            return;
        switch (m_head.feed(bytes)) {
        case HttpHead::Status::Incomplete:
            return;
        case HttpHead::Status::Complete:
            m_port.headDone(*this);
            m_port.handle(*this, m_head.request());
            return;
        case HttpHead::Status::UriTooLong:
            m_port.headDone(*this);
            m_port.answer(*this, 414);
            return;
        case HttpHead::Status::TooLarge:
            m_port.headDone(*this);
            m_port.answer(*this, 431);
            return;
        case HttpHead::Status::Malformed:
            qCDebug(lcRelay) << "Web port: a malformed request from" << m_address.toString();
            drop();
            return;
        }
    }

    void linkEnded(ClientLink&, bool) override
    {
        // After an answer the connection is gone; before it, the peer left: let it go.
        if (!m_answering)
            m_connection->abort();
        m_connection = nullptr;
        m_port.finish(*this);
    }

    void onTimer(Time now) override
    {
        if (!m_answering) {
            qCDebug(lcRelay) << "Web port: no whole request head from" << m_address.toString()
                             << "within ten seconds";
            drop();
            return;
        }
        const Time stalledSince = m_connection->lastTaken();
        if (now - stalledSince < kAnswerStall) {
            m_port.m_loop.timers().arm(*this, stalledSince + kAnswerStall);
            return;
        }
        qCDebug(lcRelay) << "Web port: cut" << m_address.toString()
                         << "- it took nothing of its answer for ten seconds";
        drop();
    }

    // Ends the connection without a word.
    void drop()
    {
        if (m_connection)
            std::exchange(m_connection, nullptr)->abort();
        m_port.finish(*this);
    }

    // The rest of the exchange is the answer: the connection closes once it is taken.
    void answered()
    {
        m_answering = true;
        m_port.m_loop.timers().arm(*this, m_port.m_loop.now() + kAnswerStall);
        m_connection->closeGracefully();
    }

    WebPort& m_port;
    net::Connection* m_connection; // null once let go or handed on
    QHostAddress m_address;
    // Why it may not stay (too many connections), told once its head is read.
    net::ConnectionTally::Verdict m_verdict = net::ConnectionTally::Verdict::Admitted;
    bool m_fromProxy = false; // a trusted proxy's: counts as the address it forwards
    HttpHead m_head;
    bool m_answering = false;
    bool m_counted = true; // among the unfinished heads
    std::list<Exchange*>::iterator m_inHeads;
};

WebPort::WebPort(net::Loop& loop, WebFiles files, QStringList allowedOrigins, Seat seat,
                 RoomList rooms, Admission admission)
    : m_loop(loop), m_files(std::move(files)), m_allowedOrigins(std::move(allowedOrigins)),
      m_seat(std::move(seat)), m_rooms(std::move(rooms)), m_admission(std::move(admission)),
      m_listener(loop, [this](int fd, const QHostAddress& peer) { onAccepted(fd, peer); }),
      m_maxHeads(headRoom())
{
}

WebPort::~WebPort()
{
    while (!m_exchanges.empty())
        (*m_exchanges.begin())->drop();
}

bool WebPort::listen(const QHostAddress& address, quint16 port)
{
    return m_listener.listen(address, port);
}

void WebPort::close()
{
    m_listener.close();
}

void WebPort::onAccepted(int fd, const QHostAddress& peer)
{
    // A proxy's connection counts in the total now, against an address once it names one.
    const bool fromProxy = m_admission.trustedProxies.contains(peer);
    net::ConnectionTally::Ticket ticket;
    auto verdict = net::ConnectionTally::Verdict::Admitted;
    if (m_admission.tally) {
        verdict = net::ConnectionTally::admit(m_admission.tally, fromProxy ? QHostAddress() : peer,
                                              &ticket);
    }
    // Over a limit, the oldest unfinished head gives way to the newcomer: a slow head waits
    // longest for nothing, and someone who shares its address still gets in. A trusted
    // proxy's heads are its clients'.
    if (!fromProxy && m_headsFrom.value(peer) >= kMaxHeadsPerAddress) {
        const auto oldest = std::find_if(m_heads.begin(), m_heads.end(),
                                         [&](const Exchange* e) { return e->m_address == peer; });
        qCDebug(lcRelay) << "Web port:" << kMaxHeadsPerAddress << "unfinished requests from"
                         << peer.toString() << "- dropped the oldest";
        (*oldest)->drop();
    } else if (int(m_heads.size()) >= m_maxHeads) {
        Exchange* oldest = m_heads.front();
        qCDebug(lcRelay) << "Web port:" << m_maxHeads << "unfinished requests; dropped the oldest,"
                         << "from" << oldest->m_address.toString();
        oldest->drop();
    }
    net::tuneClientSocket(fd);
    net::Connection* connection = net::Connection::open(m_loop, fd, peer);
    if (!connection)
        return;
    connection->setTicket(std::move(ticket));
    Exchange* exchange = m_loop.own(std::make_unique<Exchange>(*this, *connection));
    exchange->m_verdict = verdict;
    exchange->m_fromProxy = fromProxy;
    connection->setSink(exchange);
    m_exchanges.insert(exchange);
    exchange->m_inHeads = m_heads.insert(m_heads.end(), exchange);
    ++m_headsFrom[peer];
    m_loop.timers().arm(*exchange, m_loop.now() + kHeadTimeout);
}

void WebPort::headDone(Exchange& exchange)
{
    if (!exchange.m_counted)
        return;
    exchange.m_counted = false;
    m_heads.erase(exchange.m_inHeads);
    const auto from = m_headsFrom.find(exchange.m_address);
    if (from != m_headsFrom.end() && --from.value() <= 0)
        m_headsFrom.erase(from);
}

void WebPort::finish(Exchange& exchange)
{
    headDone(exchange);
    m_loop.timers().disarm(exchange);
    if (m_exchanges.erase(&exchange))
        m_loop.dispose(&exchange);
}

void WebPort::handle(Exchange& exchange, const HttpRequest& request)
{
    // The page sends no request with a body; none is read.
    const QByteArray length = request.header("content-length");
    if (!request.header("transfer-encoding").isEmpty() || (!length.isEmpty() && length != "0")) {
        exchange.drop();
        return;
    }
    if (exchange.m_fromProxy)
        countForwarded(exchange, request);
    const bool webSocket = request.headerHasToken("upgrade", "websocket");
    if (!webSocket) {
        // A browser fetches the page and its files over several short connections at once:
        // they take no player's place under the per-address limit (a household behind one
        // address would see its pages fail), and the limits on unfinished heads bound them.
        exchange.m_connection->ticket().release();
        if (exchange.m_verdict == net::ConnectionTally::Verdict::AddressFull)
            exchange.m_verdict = net::ConnectionTally::Verdict::Admitted;
    }
    if (exchange.m_verdict != net::ConnectionTally::Verdict::Admitted) {
        refuse(exchange, request);
        return;
    }
    if (webSocket)
        upgrade(exchange, request);
    else if (request.path == kRoomsPath && m_rooms)
        answerRooms(exchange, request);
    else
        answerFile(exchange, request);
}

void WebPort::countForwarded(Exchange& exchange, const HttpRequest& request)
{
    const auto client = forwardedClient(request, m_admission.trustedProxies);
    if (!client) {
        qCDebug(lcRelay) << "Web port: proxy" << exchange.m_address.toString()
                         << "named no client; counted in the total only";
        return;
    }
    net::Connection& connection = *exchange.m_connection;
    if (exchange.m_verdict == net::ConnectionTally::Verdict::Admitted)
        exchange.m_verdict = connection.ticket().moveTo(*client);
    connection.setPeerAddress(*client);
    exchange.m_address = *client;
}

void WebPort::refuse(Exchange& exchange, const HttpRequest& request)
{
    const QByteArray reason = net::ConnectionTally::refusal(exchange.m_verdict);
    qCInfo(lcRelay) << "Web port: refused" << exchange.m_address.toString() << "-" << reason;
    if (!request.headerHasToken("upgrade", "websocket")) {
        WebReply reply = m_files.resolve("GET", {});
        reply.status = 503;
        respond(exchange, reply, reason.size() + 1, reason + '\n');
        return;
    }
    acceptWebSocket(exchange, request);
    if (!exchange.m_connection->framing())
        return;
    exchange.m_connection->write(farewell(reason));
    exchange.answered();
}

void WebPort::acceptWebSocket(Exchange& exchange, const HttpRequest& request)
{
    const QByteArray key = request.header("sec-websocket-key");
    if (request.method != "GET" || request.version != "HTTP/1.1" ||
        !request.headerHasToken("connection", "upgrade") ||
        QByteArray::fromBase64(key).size() != 16) {
        answer(exchange, 400);
        return;
    }
    if (request.header("sec-websocket-version") != "13") {
        answer(exchange, 400, {{"Sec-WebSocket-Version", "13"}});
        return;
    }
    const QByteArray accept =
        QCryptographicHash::hash(key + kWebSocketGuid, QCryptographicHash::Sha1).toBase64();
    net::Connection& connection = *exchange.m_connection;
    connection.write("HTTP/1.1 101 Switching Protocols\r\n"
                     "Upgrade: websocket\r\n"
                     "Connection: Upgrade\r\n"
                     "Sec-WebSocket-Accept: " +
                     accept +
                     "\r\n"
                     "Server: CorventServer\r\n\r\n");
    auto framing = std::make_unique<WebSocketFraming>();
    connection.setFraming(std::move(framing));
}

void WebPort::upgrade(Exchange& exchange, const HttpRequest& request)
{
    acceptWebSocket(exchange, request);
    net::Connection& connection = *exchange.m_connection;
    if (!connection.framing())
        return;
    auto& frames = static_cast<WebSocketFraming&>(*connection.framing());

    // The handshake is done on any path; only a player's, from an allowed page, is seated.
    QString host = QString::fromLatin1(request.header("host"));
    const QString origin = QString::fromLatin1(request.header("origin"));
    const std::optional<QByteArray> room = playerRoom(request.path);
    if (!room || !originAllowed(origin, host, m_allowedOrigins)) {
        qCDebug(lcRelay) << "Web port: no seat for a WebSocket at" << request.path << "from"
                         << (origin.isEmpty() ? QStringLiteral("no page") : origin);
        frames.setCloseCode(WebSocketFraming::kPolicyViolated);
        exchange.answered();
        return;
    }
    // Seated, the connection is the hub's; bytes sent right behind the head are its first.
    const QByteArray early = exchange.m_head.rest();
    connection.setSink(nullptr);
    if (!m_seat(connection, *room)) {
        // No seat: answered, then turned away in order, and nobody else notices.
        connection.setSink(&exchange);
        exchange.answered();
        return;
    }
    exchange.m_connection = nullptr;
    finish(exchange);
    connection.receive(early);
}

void WebPort::answer(Exchange& exchange, int status,
                     const QList<std::pair<QByteArray, QByteArray>>& extra)
{
    // Every answer carries the page's policy headers, which resolve() gives any request.
    WebReply reply = m_files.resolve("GET", {});
    reply.status = status;
    reply.headers += extra;
    const QByteArray body = statusText(status);
    respond(exchange, reply, body.size(), body);
}

void WebPort::answerFile(Exchange& exchange, const HttpRequest& request)
{
    const WebReply reply =
        m_files.resolve(request.method, request.path, request.header("if-none-match"));
    if (reply.status != 200) {
        const QByteArray body = statusText(reply.status);
        respond(exchange, reply, body.size(), body);
        return;
    }
    auto file = std::make_shared<QFile>(reply.file);
    if (!file->open(QIODevice::ReadOnly)) {
        qCWarning(lcRelay) << "Web port: cannot read" << reply.file << "-" << file->errorString();
        answer(exchange, 500);
        return;
    }
    respond(exchange, reply, file->size(), {});
    // The body leaves a piece at a time, as the peer takes it.
    if (reply.sendsBody())
        exchange.m_connection->setSource([file] { return file->read(kBodyChunk); });
}

void WebPort::answerRooms(Exchange& exchange, const HttpRequest& request)
{
    WebReply reply = m_files.resolve(request.method, {});
    if (reply.status == 405) {
        const QByteArray body = statusText(405);
        respond(exchange, reply, body.size(), body);
        return;
    }
    // Players come and go: never from a cache.
    reply.status = 200;
    reply.headers.emplaceBack("Content-Type", "application/json");
    reply.headers.emplaceBack("Cache-Control", "no-store");
    const QByteArray body = m_rooms();
    respond(exchange, reply, body.size(), body);
}

void WebPort::respond(Exchange& exchange, const WebReply& reply, qint64 length,
                      const QByteArray& body)
{
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) + "\r\n";
    for (const auto& [name, value] : reply.headers)
        head += name + ": " + value + "\r\n";
    if (reply.status != 200 && reply.status != 304)
        head += "Content-Type: text/plain; charset=utf-8\r\n";
    if (reply.status != 304)
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    head += "Connection: close\r\n\r\n";
    exchange.m_connection->write(head + (reply.headOnly ? QByteArray() : body));
    exchange.answered();
}

} // namespace tamber::server
