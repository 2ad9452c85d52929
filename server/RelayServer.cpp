#include "RelayServer.h"

#include "common/protocol/Text.h"

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

RelayServer::RelayServer(RelayLimits limits, int maxRooms, QObject* parent)
    : QObject(parent), m_limits(limits), m_maxRooms(maxRooms)
{
    qRegisterMetaType<QList<QByteArray>>();
}

RelayServer::~RelayServer()
{
    if (m_service)
        m_worker.run([this] { delete m_service; });
}

void RelayServer::setWeb(const WebService& web)
{
    m_web = web;
}

bool RelayServer::start(quint16 port, const QHostAddress& address)
{
    if (isRunning())
        return true;
    QList<QByteArray> terminal;
    m_worker.run([&] {
        if (!m_service) {
            m_service = new RelayService(m_worker.loop(), m_limits, m_web, m_maxRooms);
            // Back to this thread, in order, each list as it was when it changed.
            connect(&m_service->rooms(), &RoomDirectory::listChanged, m_service,
                    [this](const RelayHub& hub) {
                        QMetaObject::invokeMethod(
                            this,
                            [this, room = hub.room().name,
                             window = hub.listLines(HighBytes::Windows1252),
                             terminal = hub.listLines(HighBytes::Latin1),
                             rooms = m_service->rooms().rooms()] {
                                emit listChanged(room, windowLines(window), terminal);
                                emit roomsChanged(rooms);
                            },
                            Qt::QueuedConnection);
                    });
            connect(m_service, &RelayService::allClosed, this, &RelayServer::allClosed,
                    Qt::QueuedConnection);
        }
        m_listening = m_service->start(port, address);
        terminal = roomLines(kDefaultRoom, HighBytes::Latin1);
    });
    // The default room's list as the service starts comes before any change a client makes.
    if (m_listening.ok) {
        emit listChanged(kDefaultRoom, slotLines(), terminal);
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
    m_listening.ok = false;
    m_listening.port = m_listening.webPort = 0;
    catchUp();
}

void RelayServer::catchUp() const
{
    QCoreApplication::sendPostedEvents(const_cast<RelayServer*>(this));
}

bool RelayServer::isClosing() const
{
    return m_service && onRelay([this] { return m_service->rooms().isClosing(); });
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
    const RelayHub* hub = m_service ? m_service->rooms().find(room) : nullptr;
    return hub ? hub->listLines(shownAs) : emptyLines();
}

QStringList RelayServer::slotLines(const QByteArray& room) const
{
    return windowLines(withRoom(room, emptyLines(), [](const RelayHub& hub) {
        return hub.listLines(HighBytes::Windows1252);
    }));
}

QList<QByteArray> RelayServer::terminalLines(const QByteArray& room) const
{
    return withRoom(room, emptyLines(),
                    [](const RelayHub& hub) { return hub.listLines(HighBytes::Latin1); });
}

QByteArray RelayServer::userName(int n, const QByteArray& room) const
{
    return withRoom(room, QByteArray(), [n](const RelayHub& hub) { return hub.user(n).Name; });
}

bool RelayServer::isPaced(int n, const QByteArray& room) const
{
    return withRoom(room, false, [n](const RelayHub& hub) { return hub.isPaced(n); });
}

qint64 RelayServer::unsentBytes(int n, const QByteArray& room) const
{
    return withRoom(room, qint64(0), [n](const RelayHub& hub) { return hub.unsentBytes(n); });
}

QList<RoomListing> RelayServer::rooms() const
{
    if (!m_service)
        return {};
    return onRelay([this] { return m_service->rooms().rooms(); });
}

bool RelayServer::kick(const QByteArray& room, int n)
{
    if (!m_service)
        return false;
    return onRelay([&] {
        RelayHub* hub = m_service->rooms().find(room);
        return hub && hub->operatorKick(n);
    });
}

} // namespace tamber::server
