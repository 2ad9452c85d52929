#include "RelayService.h"

#include "server/Farewell.h"
#include "server/RelayLog.h"
#include "server/net/Connection.h"
#include "server/net/Sockets.h"
#include "server/web/WebPort.h"

namespace tamber::server {

RelayService::RelayService(net::Loop& loop, const RelayLimits& limits,
                           const std::optional<WebService>& web, int maxRooms, QObject* parent)
    : QObject(parent), m_loop(loop), m_limits(limits),
      m_tally(net::ConnectionTally::create(limits.connections)),
      m_rooms(limits, loop.clock(), &loop.timers(), &loop, maxRooms),
      m_doorway(m_rooms, loop.clock(), &loop.timers(), limits.closeGrace),
      m_tcp(loop, [this](int fd, const QHostAddress& peer) { onTcpAccepted(fd, peer); }),
      m_webService(web)
{
    connect(&m_rooms, &RoomDirectory::allClosed, this, &RelayService::allClosed);
}

RelayService::~RelayService()
{
    // Exchanges under way first: the rooms' players are not theirs.
    m_web.reset();
    m_doorway.closeAll();
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
            // The default room's ninth player gets no seat, and nobody else notices; a player
            // refused a room it named is told why before its socket closes.
            const auto seat = [this](net::Connection& connection, const QByteArray& room) {
                Arrival arrival;
                arrival.connection = &connection;
                const auto refusal = m_rooms.seat(std::move(arrival), {room, !isDefaultRoom(room)});
                if (refusal && !refusal->line.isEmpty())
                    connection.write(farewell(refusal->line));
                return !refusal;
            };
            m_web = std::make_unique<WebPort>(
                m_loop, WebFiles(m_webService->folders), m_webService->allowedOrigins, seat,
                [this] { return m_rooms.roomsJson(); },
                WebPort::Admission{m_tally, m_limits.trustedProxies});
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
    m_rooms.open();
    return result;
}

bool RelayService::stop()
{
    m_doorway.closeAll();
    m_rooms.closeAll();
    m_tcp.close();
    if (m_web)
        m_web->close();
    return m_rooms.isClosing();
}

void RelayService::onTcpAccepted(int fd, const QHostAddress& peer)
{
    net::ConnectionTally::Ticket ticket;
    const auto verdict = net::ConnectionTally::admit(m_tally, peer, &ticket);
    if (verdict != net::ConnectionTally::Verdict::Admitted) {
        refuse(fd, peer, verdict);
        return;
    }
    // Which room it wants is known only once it speaks, or its time is up.
    net::tuneClientSocket(fd);
    if (net::Connection* connection = net::Connection::open(m_loop, fd, peer)) {
        connection->setTicket(std::move(ticket));
        m_doorway.admit(connection);
    }
}

void RelayService::refuse(int fd, const QHostAddress& peer, net::ConnectionTally::Verdict verdict)
{
    const QByteArray reason = net::ConnectionTally::refusal(verdict);
    qCInfo(lcRelay) << "Refused" << peer.toString() << "-" << reason;
    net::tuneClientSocket(fd);
    if (net::Connection* connection = net::Connection::open(m_loop, fd, peer)) {
        connection->write(farewell(reason));
        connection->closeAndLetGo();
    }
}

} // namespace tamber::server
