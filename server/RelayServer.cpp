#include "RelayServer.h"

#include "common/protocol/Text.h"

#include <QCoreApplication>

namespace tamber::server {

RelayServer::RelayServer(RelayLimits limits, QObject* parent) : QObject(parent), m_limits(limits)
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
    QStringList lines;
    QList<QByteArray> terminal;
    m_worker.run([&] {
        if (!m_service) {
            m_service = new RelayService(m_worker.loop(), m_limits, m_web);
            // Back to this thread, in order, each list as it was when it changed.
            connect(m_service, &RelayService::listChanged, m_service, [this] {
                const RelayHub& hub = m_service->hub();
                QMetaObject::invokeMethod(
                    this,
                    [this, lines = windowLines(hub), terminal = hub.listLines(HighBytes::Latin1)] {
                        emit listChanged(lines, terminal);
                    },
                    Qt::QueuedConnection);
            });
            connect(m_service, &RelayService::allClosed, this, &RelayServer::allClosed,
                    Qt::QueuedConnection);
        }
        m_listening = m_service->start(port, address);
        lines = windowLines(m_service->hub());
        terminal = m_service->hub().listLines(HighBytes::Latin1);
    });
    // The list as the service starts comes before any change a client makes.
    if (m_listening.ok)
        emit listChanged(lines, terminal);
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
    return m_service && onRelay([this] { return m_service->hub().isClosing(); });
}

QStringList RelayServer::windowLines(const RelayHub& hub)
{
    QStringList lines;
    for (const QByteArray& line : hub.listLines(HighBytes::Windows1252))
        lines << protocol::decodeText(line);
    return lines;
}

QStringList RelayServer::slotLines() const
{
    if (!m_service)
        return windowLines(RelayHub(m_limits, m_clock));
    return onRelay([this] { return windowLines(m_service->hub()); });
}

QList<QByteArray> RelayServer::terminalLines() const
{
    if (!m_service)
        return RelayHub(m_limits, m_clock).listLines(HighBytes::Latin1);
    return onRelay([this] { return m_service->hub().listLines(HighBytes::Latin1); });
}

QByteArray RelayServer::userName(int n) const
{
    if (!m_service)
        return {};
    return onRelay([this, n] { return m_service->hub().user(n).Name; });
}

bool RelayServer::isPaced(int n) const
{
    return m_service && onRelay([this, n] { return m_service->hub().isPaced(n); });
}

qint64 RelayServer::unsentBytes(int n) const
{
    if (!m_service)
        return 0;
    return onRelay([this, n] { return m_service->hub().unsentBytes(n); });
}

} // namespace tamber::server
