#include "RelayServer.h"

#include "common/protocol/Text.h"

#include <QTcpSocket>

namespace tamber::server {

namespace {

// Data is read as soon as it arrives; the cap bounds one burst, and with it the output that
// one read can queue for each client (far below RelayLimits::outputCap).
constexpr qint64 kReadBufferSize = 16 * 1024;

QString dottedAddress(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

} // namespace

RelayServer::RelayServer(RelayLimits limits, QObject* parent) : QObject(parent), m_limits(limits)
{
    connect(&m_listener, &QTcpServer::newConnection, this, &RelayServer::onNewConnection);
}

RelayServer::~RelayServer()
{
    // Closing the program runs no steps of its own; just let no socket call back in.
    for (Link& link : m_links) {
        if (link.socket)
            link.socket->disconnect(this);
    }
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
    SocketLoaded.fill(true);
    return true;
}

void RelayServer::stop()
{
    for (int n = 1; n <= kSlotCount; ++n) {
        m_core.CloseSlot(n);
        SocketLoaded[n - 1] = false;
    }
    m_listener.close();
}

QStringList RelayServer::slotLines() const
{
    QStringList lines;
    for (int n = 1; n <= kSlotCount; ++n) {
        const Link& link = m_links[n - 1];
        if (SocketLoaded[n - 1] && link.socket) {
            lines << QStringLiteral("%1. %2: %3")
                         .arg(n)
                         .arg(protocol::decodeText(m_core.user(n).Name), link.address);
        } else {
            lines << QStringLiteral("%1. No User: 0.0.0.0").arg(n);
        }
    }
    return lines;
}

bool RelayServer::isConnected(int slot) const
{
    return m_links[slot - 1].socket != nullptr;
}

bool RelayServer::send(int slot, const QByteArray& message)
{
    // Buffered: everything sent while one read is handled leaves in one write per client.
    QTcpSocket* socket = m_links[slot - 1].socket;
    socket->write(message);
    return socket->bytesToWrite() <= m_limits.outputCap;
}

void RelayServer::close(int slot, bool abort)
{
    QTcpSocket* socket = m_links[slot - 1].socket;
    if (!socket)
        return;
    detach(slot);
    if (abort || socket->state() != QAbstractSocket::ConnectedState) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // Let what is already queued reach the client, then go.
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
}

void RelayServer::refreshList()
{
    emit listChanged(slotLines());
}

void RelayServer::onNewConnection()
{
    while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
        const int n = m_core.firstFreeSlot();
        if (n == 0) {
            // A ninth client: closed at once, nothing sent, the others notice nothing.
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket->setReadBufferSize(kReadBufferSize);
        m_links[n - 1] = {socket, dottedAddress(socket->peerAddress())};
        connect(socket, &QTcpSocket::readyRead, this,
                [this, n, socket] { onReadyRead(n, socket); });
        connect(socket, &QTcpSocket::disconnected, this,
                [this, n, socket] { onConnectionEnded(n, socket); });
        connect(socket, &QTcpSocket::errorOccurred, this,
                [this, n, socket] { onConnectionEnded(n, socket); });
        m_core.accepted(n);
    }
}

void RelayServer::onReadyRead(int n, QTcpSocket* socket)
{
    if (m_links[n - 1].socket != socket)
        return;
    m_core.received(n, socket->readAll());
    flushAll();
}

void RelayServer::flushAll()
{
    // Everything one read caused leaves now, in one write per client, not one loop later.
    for (int n = 1; n <= kSlotCount; ++n) {
        QTcpSocket* socket = m_links[n - 1].socket;
        if (socket && socket->bytesToWrite() > 0)
            socket->flush();
    }
}

void RelayServer::onConnectionEnded(int n, QTcpSocket* socket)
{
    if (m_links[n - 1].socket != socket)
        return;
    // What the client sent before it went still counts.
    if (socket->bytesAvailable() > 0) {
        m_core.received(n, socket->readAll());
        if (m_links[n - 1].socket != socket)
            return;
    }
    detach(n);
    socket->abort();
    socket->deleteLater();
    m_core.departed(n);
}

void RelayServer::detach(int n)
{
    Link& link = m_links[n - 1];
    link.socket->disconnect(this);
    link.socket = nullptr;
}

} // namespace tamber::server
