#include "TcpSessionTransport.h"

#include "SessionLog.h"

#include <QTcpSocket>

namespace tamber {

TcpSessionTransport::TcpSessionTransport(QObject* parent) : QObject(parent)
{
    m_nextChunk.setSingleShot(true);
    m_nextChunk.setInterval(0);
    connect(&m_nextChunk, &QTimer::timeout, this, &TcpSessionTransport::readChunk);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &TcpSessionTransport::onDeadline);
}

TcpSessionTransport::~TcpSessionTransport()
{
    close();
}

void TcpSessionTransport::connectToHost(const QString& host, uint16_t port)
{
    close();
    m_socket = new QTcpSocket(this);
    m_socket->setReadBufferSize(kReadBuffer);
    connect(m_socket, &QTcpSocket::readyRead, this, &TcpSessionTransport::onReadyRead);
    connect(m_socket, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { onErrorOccurred(int(error)); });
    connect(m_socket, &QTcpSocket::disconnected, this, &TcpSessionTransport::onDisconnected);
    // Notes are tiny and must leave at once: without this a note played while the previous
    // one is still unacknowledged waits a round trip (Nagle), which smears every chord.
    // The option needs the connected socket; nothing can be sent before this runs.
    connect(m_socket, &QTcpSocket::connected, m_socket,
            [socket = m_socket] { socket->setSocketOption(QAbstractSocket::LowDelayOption, 1); });
    connect(m_socket, &QTcpSocket::connected, this, [this, host, port] {
        qCDebug(lcSession) << "Connected to" << host << "port" << port;
        if (m_events.connected)
            m_events.connected();
    });
    qCDebug(lcSession) << "Connecting to" << host << "port" << port;
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
    m_nextChunk.stop();
    m_deadline.stop();
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

void TcpSessionTransport::armDeadline(std::chrono::milliseconds after)
{
    m_deadline.start(after);
}

void TcpSessionTransport::disarmDeadline()
{
    m_deadline.stop();
}

void TcpSessionTransport::onReadyRead()
{
    // Every chunk is read by the timer, so no turn of the event loop handles two.
    if (!m_nextChunk.isActive())
        m_nextChunk.start();
}

void TcpSessionTransport::readChunk()
{
    if (!m_socket)
        return;
    const QByteArray bytes = m_socket->read(kReadChunk);
    if (!bytes.isEmpty() && m_events.received)
        m_events.received(bytes);
    if (m_socket && m_socket->bytesAvailable() > 0)
        m_nextChunk.start();
}

bool TcpSessionTransport::deliverBuffered()
{
    // In chunks as ever; the buffer holds at most kReadBuffer bytes. A handler may end the
    // session meanwhile.
    m_nextChunk.stop();
    while (m_socket && m_socket->bytesAvailable() > 0)
        readChunk();
    return m_socket != nullptr;
}

void TcpSessionTransport::onErrorOccurred(int error)
{
    // The server's orderly close comes as this error followed by disconnected(): that is
    // a close, reported by onDisconnected.
    if (error == QAbstractSocket::RemoteHostClosedError || !m_socket)
        return;
    // The user's box names no cause; the log does.
    qCWarning(lcSession) << "The connection failed:" << m_socket->errorString();
    // What arrived before the failure is handed on first: it may say why the server ended it.
    if (!deliverBuffered())
        return;
    close();
    if (m_events.failed)
        m_events.failed();
}

void TcpSessionTransport::onDisconnected()
{
    // Bytes that arrived before the close are still handed on.
    if (!deliverBuffered())
        return;
    qCInfo(lcSession) << "The server closed the connection";
    close();
    if (m_events.peerClosed)
        m_events.peerClosed();
}

void TcpSessionTransport::onDeadline()
{
    if (!m_socket)
        return;
    qCWarning(lcSession) << "The server did not answer in time";
    close();
    if (m_events.deadlinePassed)
        m_events.deadlinePassed();
}

} // namespace tamber
