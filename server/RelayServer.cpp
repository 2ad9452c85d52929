#include "RelayServer.h"

#include "common/protocol/Text.h"
#include "server/RelayLog.h"

#include <QCoreApplication>

namespace tamber::server {

namespace {

// The lines of a room nobody is in.
QList<QByteArray> emptyLines()
{
    QList<QByteArray> lines;
    for (int n = 1; n <= kSlotCount; ++n)
        lines << QByteArray::number(n) + ". No User: 0.0.0.0";
    return lines;
}

} // namespace

RelayServer::RelayServer(RelayLimits limits, int maxRooms, int threads, QObject* parent)
    : QObject(parent), m_workers(m_clock, threads), m_limits(limits), m_maxRooms(maxRooms)
{
    qRegisterMetaType<QList<QByteArray>>();
}

RelayServer::~RelayServer()
{
    // The rooms first: a call still on its way to a thread whose rooms or index are gone does
    // nothing there.
    for (int i = 0; i < int(m_hosts.size()); ++i)
        m_workers.at(i).run([this, i] { delete m_hosts[std::size_t(i)]; });
    if (m_service)
        m_worker.run([this] { delete m_service; });
}

void RelayServer::setWeb(const WebService& web)
{
    m_web = web;
}

void RelayServer::makeService()
{
    for (int i = 0; i < m_workers.size(); ++i) {
        net::Worker& worker = m_workers.at(i);
        worker.run([&] {
            auto* host = new RoomHost(i, worker.loop(), m_workers, m_worker.loop(), m_limits);
            connect(&host->rooms(), &RoomDirectory::allClosed, this, &RelayServer::onHostClosed,
                    Qt::QueuedConnection);
            // Back to this thread, in order, each list as it was when it changed.
            host->setListListener([this](const QByteArray& room, int players,
                                         const QList<QByteArray>& window,
                                         const QList<QByteArray>& terminal) {
                QMetaObject::invokeMethod(
                    this,
                    [this, room, players, window, terminal] {
                        onListChanged(room, players, window, terminal);
                    },
                    Qt::QueuedConnection);
            });
            m_hosts.push_back(host);
        });
    }
    m_worker.run([&] {
        m_service = new RelayService(m_worker.loop(), m_limits, m_web, m_workers, m_maxRooms);
    });
}

void RelayServer::onListChanged(const QByteArray& room, int players,
                                const QList<QByteArray>& window, const QList<QByteArray>& terminal)
{
    const QByteArray key = roomKey(room);
    if (players == 0)
        m_lists.erase(key);
    else
        m_lists[key] = {{room, players}, window, terminal};
    // A slot that asks for a list meanwhile gets it as told so far, not the changes behind.
    m_signalling = true;
    emit listChanged(room, windowLines(window), terminal);
    emit roomsChanged(rooms());
    m_signalling = false;
}

bool RelayServer::start(quint16 port, const QHostAddress& address)
{
    if (isRunning())
        return true;
    if (!m_service)
        makeService();
    // Rooms still seeing their last connections out after a Stop take players again.
    for (int i = 0; i < m_workers.size(); ++i)
        m_workers.at(i).run([this, i] { m_hosts[std::size_t(i)]->rooms().open(); });
    m_worker.run([&] { m_listening = m_service->start(port, address); });
    // The default room's list as the service starts comes before any change a client makes.
    if (m_listening.ok) {
        qCDebug(lcRelay).nospace() << "Rooms on " << m_workers.size() << " threads; up to "
                                   << m_limits.connections.total << " connections at once";
        emit listChanged(kDefaultRoom, slotLines(), terminalLines());
        emit roomsChanged(rooms());
    }
    catchUp();
    return m_listening.ok;
}

void RelayServer::stop()
{
    if (!m_service)
        return;
    m_worker.run([this] { m_service->stop(); });
    for (int i = 0; i < m_workers.size(); ++i) {
        bool closing = false;
        m_workers.at(i).run([&] {
            RoomDirectory& rooms = m_hosts[std::size_t(i)]->rooms();
            rooms.closeAll();
            closing = rooms.isClosing();
        });
        m_closingHosts += closing ? 1 : 0;
    }
    m_listening.ok = false;
    m_listening.port = m_listening.webPort = 0;
    catchUp();
}

void RelayServer::onHostClosed()
{
    if (m_closingHosts > 0 && --m_closingHosts == 0)
        emit allClosed();
}

void RelayServer::catchUp() const
{
    if (m_signalling)
        return;
    QCoreApplication::sendPostedEvents(const_cast<RelayServer*>(this));
}

QStringList RelayServer::windowLines(const QList<QByteArray>& lines)
{
    QStringList decoded;
    for (const QByteArray& line : lines)
        decoded << protocol::decodeText(line);
    return decoded;
}

QList<QByteArray> RelayServer::roomLines(const QByteArray& room, HighBytes shownAs) const
{
    catchUp();
    const auto found = m_lists.find(roomKey(room));
    if (found == m_lists.end())
        return emptyLines();
    return shownAs == HighBytes::Windows1252 ? found->second.windowLines
                                             : found->second.terminalLines;
}

QStringList RelayServer::slotLines(const QByteArray& room) const
{
    return windowLines(roomLines(room, HighBytes::Windows1252));
}

QList<QByteArray> RelayServer::terminalLines(const QByteArray& room) const
{
    return roomLines(room, HighBytes::Latin1);
}

int RelayServer::threadOf(const QByteArray& room) const
{
    if (!m_service)
        return -1;
    return onRelay([&] { return m_service->rooms().workerOf(room); });
}

int RelayServer::connectionsFrom(const QHostAddress& address) const
{
    if (!m_service)
        return 0;
    return onRelay([&] { return m_service->tally().from(address); });
}

QByteArray RelayServer::userName(int n, const QByteArray& room) const
{
    return withRoom(room, QByteArray(), [n](RelayHub& hub) { return hub.user(n).Name; });
}

bool RelayServer::isPaced(int n, const QByteArray& room) const
{
    return withRoom(room, false, [n](RelayHub& hub) { return hub.isPaced(n); });
}

qint64 RelayServer::unsentBytes(int n, const QByteArray& room) const
{
    return withRoom(room, qint64(0), [n](RelayHub& hub) { return hub.unsentBytes(n); });
}

QList<RoomListing> RelayServer::rooms() const
{
    catchUp();
    QList<RoomListing> listing;
    for (const auto& [key, listed] : m_lists)
        listing.append(listed.listing);
    return listing;
}

bool RelayServer::kick(const QByteArray& room, int n)
{
    return withRoom(room, false, [n](RelayHub& hub) { return hub.operatorKick(n); });
}

} // namespace tamber::server
