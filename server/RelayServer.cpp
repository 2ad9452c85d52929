#include "RelayServer.h"

#include "common/protocol/Text.h"
#include "server/RelayLog.h"
#include "server/TcpConnection.h"
#include "server/web/WebServer.h"
#include "server/web/WebSocketConnection.h"

#include <QTcpSocket>
#include <QWebSocket>

namespace tamber::server {

namespace {

// A burst of connects is queued by the kernel instead of waiting for SYN retransmits.
constexpr int kListenBacklog = 1024;
// Qt accepts in a loop for as long as connections keep coming; taking them in batches from
// the event loop lets the connected clients (their notes, their departures) be served between
// the batches of a connect storm.
constexpr int kAcceptBatch = 16;

} // namespace

RelayServer::RelayServer(RelayLimits limits, QObject* parent)
    : QObject(parent), m_hub(limits, m_clock)
{
    m_listener.setListenBacklogSize(kListenBacklog);
    m_listener.setMaxPendingConnections(kAcceptBatch);
    connect(&m_listener, &QTcpServer::newConnection, this, &RelayServer::onNewConnection,
            Qt::QueuedConnection);
    connect(&m_hub, &RelayHub::listChanged, this, [this] { emit listChanged(slotLines()); });
    connect(&m_hub, &RelayHub::allClosed, this, &RelayServer::allClosed);
}

RelayServer::~RelayServer() = default;

void RelayServer::setWeb(const WebService& web)
{
    m_webService = web;
}

quint16 RelayServer::webPort() const
{
    return m_web && m_web->isListening() ? m_web->port() : 0;
}

bool RelayServer::start(quint16 port, const QHostAddress& address)
{
    if (isRunning())
        return true;
    if (!m_listener.listen(address, port)) {
        m_errorString = m_listener.errorString();
        m_failedPort = port;
        return false;
    }
    if (!startWeb()) {
        m_listener.close();
        return false;
    }
    m_errorString.clear();
    m_failedPort = 0;
    m_hub.open();
    return true;
}

void RelayServer::stop()
{
    m_hub.closeAll();
    m_listener.close();
    if (m_web)
        m_web->close();
}

bool RelayServer::startWeb()
{
    if (!m_webService)
        return true;
    if (!m_web) {
        m_web = std::make_unique<WebServer>(
            WebFiles(m_webService->folders), m_webService->allowedOrigins,
            [this](std::unique_ptr<QWebSocket> socket) {
                // A ninth player gets no seat, and nobody else notices.
                if (m_hub.hasFreeSlot())
                    m_hub.adopt(new WebSocketConnection(std::move(socket), m_clock));
                else
                    m_web->refuse(std::move(socket), QWebSocketProtocol::CloseCodeNormal);
            });
    }
    if (m_web->listenOn(m_webService->address, m_webService->port))
        return true;
    m_errorString = m_web->errorString();
    m_failedPort = m_webService->port;
    return false;
}

QStringList RelayServer::slotLines() const
{
    QStringList lines;
    for (const QByteArray& line : m_hub.listLines(HighBytes::Windows1252))
        lines << protocol::decodeText(line);
    return lines;
}

QList<QByteArray> RelayServer::terminalLines() const
{
    return m_hub.listLines(HighBytes::Latin1);
}

void RelayServer::onNewConnection()
{
    while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
        if (!m_hub.hasFreeSlot()) {
            qCInfo(lcRelay) << "Turned away" << socket->peerAddress().toString()
                            << "- every place is taken";
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_hub.adopt(new TcpConnection(socket, m_clock));
    }
}

} // namespace tamber::server
