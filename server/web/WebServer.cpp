#include "WebServer.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>

namespace tamber::server {

namespace {

constexpr auto kSocketPath = "/ws";
// A request's head must arrive whole, soon and small, before anything is done with it.
constexpr qint64 kMaxHead = 8 * 1024;
constexpr int kHeadTimeoutMs = 10000;

// A header's value in a request head (without its blank line), in lower case; empty if absent.
QByteArray headerValue(const QByteArray& head, const QByteArray& name)
{
    const QList<QByteArray> lines = head.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0 && lines[i].left(colon).trimmed().toLower() == name)
            return lines[i].mid(colon + 1).trimmed().toLower();
    }
    return {};
}

// The page sends no request with a body, and Qt's HTTP server would hold any body whole.
bool hasBody(const QByteArray& head)
{
    const QByteArray length = headerValue(head, "content-length");
    return !headerValue(head, "transfer-encoding").isEmpty() ||
           (!length.isEmpty() && length != "0");
}

void drop(QTcpSocket* socket)
{
    socket->abort();
    socket->deleteLater();
}

QByteArray methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    default:
        return "OTHER";
    }
}

QByteArray statusText(int status)
{
    switch (status) {
    case 304:
        return {};
    case 405:
        return "Method not allowed\n";
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

} // namespace

// The web port's listener. Qt HttpServer 6.4 answers a WebSocket upgrade as a plain request,
// so every connection's request head is looked at here first (without taking it from the
// socket): an upgrade goes to the WebSocket server, a request without a body to the HTTP
// server, which answers it and closes. One request per connection keeps every request under
// this check: a head of at most 8 KiB, whole within ten seconds.
class WebListener : public QTcpServer
{
public:
    WebListener(std::function<void(QTcpSocket*)> upgrade, QObject* parent)
        : QTcpServer(parent), m_upgrade(std::move(upgrade))
    {
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        auto* timeout = new QTimer(socket);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, socket, [socket] { drop(socket); });
        timeout->start(kHeadTimeoutMs);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, timeout] {
            const QByteArray head = socket->peek(kMaxHead);
            const qsizetype end = head.indexOf("\r\n\r\n");
            if (end < 0) {
                if (head.size() >= kMaxHead)
                    drop(socket);
                return;
            }
            delete timeout;
            socket->disconnect(this);
            if (hasBody(head.left(end))) {
                drop(socket);
            } else if (headerValue(head.left(end), "upgrade") == "websocket") {
                m_upgrade(socket);
            } else {
                addPendingConnection(socket); // the HTTP server takes it from here
                emit socket->readyRead();
            }
        });
        connect(socket, &QTcpSocket::disconnected, this, [socket] { socket->deleteLater(); });
    }

private:
    std::function<void(QTcpSocket*)> m_upgrade;
};

bool originAllowed(const QString& origin, const QString& host, const QStringList& allowed)
{
    if (origin.isEmpty())
        return true;
    if (allowed.isEmpty())
        return !host.isEmpty() && authorityOf(origin) == host.toLower();
    for (const QString& entry : allowed) {
        if (entry == QLatin1String("*") || entry.compare(origin, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

WebServer::WebServer(WebFiles files, QStringList allowedOrigins, SocketSink sink, QObject* parent)
    : QAbstractHttpServer(parent), m_files(std::move(files)),
      m_allowedOrigins(std::move(allowedOrigins)), m_sink(std::move(sink)),
      m_webSockets(QStringLiteral("CorventServer"), QWebSocketServer::NonSecureMode)
{
    connect(&m_webSockets, &QWebSocketServer::newConnection, this, &WebServer::onWebSocket);
}

WebServer::~WebServer() = default;

bool WebServer::isListening() const
{
    return m_listener && m_listener->isListening();
}

quint16 WebServer::port() const
{
    return m_listener ? m_listener->serverPort() : 0;
}

void WebServer::refuse(std::unique_ptr<QWebSocket> socket, QWebSocketProtocol::CloseCode code)
{
    // Closed in order, so that the page learns it was answered and then turned away.
    QWebSocket* refused = socket.release();
    refused->setParent(this);
    connect(refused, &QWebSocket::disconnected, refused, &QObject::deleteLater);
    refused->close(code);
}

void WebServer::upgrade(QTcpSocket* socket)
{
    // The WebSocket that grows out of it owns it from now on.
    socket->setParent(nullptr);
    m_webSockets.handleConnection(socket);
}

bool WebServer::listenOn(const QHostAddress& address, quint16 port)
{
    if (isListening())
        return true;
    // One listener for the server's life: a Stop only closes it, so sockets accepted before
    // stay valid wherever they went.
    const bool fresh = !m_listener;
    if (fresh)
        m_listener = new WebListener([this](QTcpSocket* socket) { upgrade(socket); }, this);
    if (!m_listener->listen(address, port)) {
        m_errorString = m_listener->errorString();
        return false;
    }
    m_errorString.clear();
    if (fresh)
        bind(m_listener);
    return true;
}

void WebServer::close()
{
    if (m_listener)
        m_listener->close();
}

bool WebServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // A request sent behind the one answered already is not answered.
    if (socket->state() != QAbstractSocket::ConnectedState)
        return true;
    const WebReply reply = m_files.resolve(methodName(request.method()),
                                           request.url().path(QUrl::FullyEncoded).toUtf8(),
                                           request.value("If-None-Match"));
    QByteArray body;
    QByteArray length;
    if (reply.status == 200) {
        QFile file(reply.file);
        if (!file.open(QIODevice::ReadOnly)) {
            missingHandler(request, socket);
            return true;
        }
        length = QByteArray::number(file.size());
        if (reply.sendsBody())
            body = file.readAll();
    } else {
        body = statusText(reply.status);
        length = QByteArray::number(body.size());
    }
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.writeStatusLine(QHttpServerResponder::StatusCode(reply.status));
    for (const auto& [name, value] : reply.headers)
        responder.writeHeader(name, value);
    if (reply.status != 200 && reply.status != 304)
        responder.writeHeader("Content-Type", "text/plain; charset=utf-8");
    if (reply.status != 304)
        responder.writeHeader("Content-Length", length);
    responder.writeHeader("Connection", "close");
    responder.writeBody(body);
    socket->disconnectFromHost();
    return true;
}

void WebServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.write(QHttpServerResponder::StatusCode::InternalServerError);
    socket->disconnectFromHost();
}

void WebServer::onWebSocket()
{
    while (m_webSockets.hasPendingConnections()) {
        std::unique_ptr<QWebSocket> socket(m_webSockets.nextPendingConnection());
        if (!socket)
            continue;
        // The handshake is done on any path; only /ws, from an allowed page, is a player.
        QString host = QString::fromLatin1(socket->request().rawHeader("Host"));
        if (host.isEmpty())
            host = socket->requestUrl().authority();
        if (socket->requestUrl().path() == QLatin1String(kSocketPath) &&
            originAllowed(socket->origin(), host, m_allowedOrigins)) {
            m_sink(std::move(socket));
            continue;
        }
        refuse(std::move(socket), QWebSocketProtocol::CloseCodePolicyViolated);
    }
}

} // namespace tamber::server
