#include "RelayServer.h"

#include "common/protocol/Text.h"
#include "server/RelayLog.h"
#include "server/TcpConnection.h"

#include <QTcpSocket>

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

bool RelayServer::start(quint16 port, const QHostAddress& address)
{
    if (isRunning())
        return true;
    if (!m_listener.listen(address, port)) {
        m_errorString = m_listener.errorString();
        return false;
    }
    m_errorString.clear();
    m_hub.open();
    return true;
}

void RelayServer::stop()
{
    m_hub.closeAll();
    m_listener.close();
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
