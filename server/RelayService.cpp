#include "RelayService.h"

#include "server/RelayLog.h"
#include "server/net/Connection.h"
#include "server/net/Sockets.h"
#include "server/web/WebServer.h"
#include "server/web/WebSocketConnection.h"

#include <QWebSocket>
#include <unistd.h>

namespace tamber::server {

RelayService::RelayService(net::Loop& loop, const RelayLimits& limits,
                           const std::optional<WebService>& web, QObject* parent)
    : QObject(parent), m_loop(loop), m_hub(limits, loop.clock(), &loop.timers()),
      m_tcp(loop, [this](int fd, const QHostAddress& peer) { onTcpAccepted(fd, peer); }),
      m_webService(web)
{
    connect(&m_hub, &RelayHub::listChanged, this, &RelayService::listChanged);
    connect(&m_hub, &RelayHub::allClosed, this, &RelayService::allClosed);
}

RelayService::~RelayService() = default;

Listening RelayService::start(quint16 port, const QHostAddress& address)
{
    Listening result;
    if (!m_tcp.listen(address, port)) {
        result.error = m_tcp.errorString();
        result.failedPort = port;
        return result;
    }
    if (m_webService) {
        if (!m_web) {
            m_web = std::make_unique<WebServer>(
                WebFiles(m_webService->folders), m_webService->allowedOrigins,
                [this](std::unique_ptr<QWebSocket> socket) {
                    // A ninth player gets no seat, and nobody else notices.
                    if (m_hub.hasFreeSlot())
                        m_hub.adopt(new WebSocketConnection(std::move(socket), m_loop.clock()));
                    else
                        m_web->refuse(std::move(socket), QWebSocketProtocol::CloseCodeNormal);
                });
        }
        if (!m_web->listenOn(m_webService->address, m_webService->port)) {
            result.error = m_web->errorString();
            result.failedPort = m_webService->port;
            m_tcp.close();
            return result;
        }
        result.webPort = m_web->port();
    }
    result.ok = true;
    result.port = m_tcp.port();
    m_hub.open();
    return result;
}

bool RelayService::stop()
{
    m_hub.closeAll();
    m_tcp.close();
    if (m_web)
        m_web->close();
    return m_hub.isClosing();
}

void RelayService::onTcpAccepted(int fd, const QHostAddress& peer)
{
    if (!m_hub.hasFreeSlot()) {
        // Closed at once, nothing sent: the eight notice nothing.
        qCInfo(lcRelay) << "Turned away" << peer.toString() << "- every place is taken";
        ::close(fd);
        return;
    }
    net::tuneClientSocket(fd);
    if (net::Connection* connection = net::Connection::open(m_loop, fd, peer))
        m_hub.adopt(connection);
}

} // namespace tamber::server
