#include "RelayService.h"

#include "server/RelayLog.h"
#include "server/net/Connection.h"
#include "server/net/Sockets.h"
#include "server/web/WebPort.h"

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

RelayService::~RelayService()
{
    // Exchanges under way first: the hub's players are not theirs.
    m_web.reset();
}

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
            // A ninth player gets no seat, and nobody else notices.
            const auto seat = [this](net::Connection& connection) {
                if (!m_hub.hasFreeSlot())
                    return false;
                m_hub.adopt(&connection);
                return true;
            };
            m_web = std::make_unique<WebPort>(m_loop, WebFiles(m_webService->folders),
                                              m_webService->allowedOrigins, seat);
        }
        if (!m_web->listen(m_webService->address, m_webService->port)) {
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
