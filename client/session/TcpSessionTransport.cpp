#include "TcpSessionTransport.h"

#include <QTcpSocket>

namespace tamber {

TcpSessionTransport::TcpSessionTransport(QObject* parent) : QObject(parent) {}

TcpSessionTransport::~TcpSessionTransport()
{
    close();
}

void TcpSessionTransport::connectToHost(const QString& host, uint16_t port)
{
    close();
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &TcpSessionTransport::onReadyRead);
    connect(m_socket, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { onErrorOccurred(int(error)); });
    connect(m_socket, &QTcpSocket::disconnected, this, &TcpSessionTransport::onDisconnected);
    // Notes are tiny and must leave at once: without this a note played while the previous
    // one is still unacknowledged waits a round trip (Nagle), which smears every chord.
    // The option needs the connected socket; nothing can be sent before this runs.
    connect(m_socket, &QTcpSocket::connected, m_socket,
            [socket = m_socket] { socket->setSocketOption(QAbstractSocket::LowDelayOption, 1); });
    m_socket->connectToHost(host, port);
}

bool TcpSessionTransport::isConnected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

void TcpSessionTransport::send(const QByteArray& bytes)
{
    if (isConnected())
        m_socket->write(bytes);
}

void TcpSessionTransport::close()
{
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    if (!socket)
        return;
    // Quiet from here on: whatever the old socket still reports belongs to no session.
    socket->disconnect(this);
    // disconnectFromHost() lets written bytes (a last note-off) go out before the close.
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

void TcpSessionTransport::onReadyRead()
{
    if (m_socket && m_events.received)
        m_events.received(m_socket->readAll());
}

void TcpSessionTransport::onErrorOccurred(int error)
{
    // The server's orderly close comes as this error followed by disconnected(): that is
    // a close, reported by onDisconnected.
    if (error == QAbstractSocket::RemoteHostClosedError || !m_socket)
        return;
    close();
    if (m_events.failed)
        m_events.failed();
}

void TcpSessionTransport::onDisconnected()
{
    if (!m_socket)
        return;
    // Bytes that arrived together with the close are still handed on.
    if (m_socket->bytesAvailable() > 0)
        onReadyRead();
    if (!m_socket) // the handler of those bytes ended the session itself
        return;
    close();
    if (m_events.peerClosed)
        m_events.peerClosed();
}

} // namespace tamber
