#include "WebSocketConnection.h"

#include <QWebSocket>

namespace tamber::server {

WebSocketConnection::WebSocketConnection(std::unique_ptr<QWebSocket> socket, const Clock& clock,
                                         QObject* parent)
    : QObject(parent), m_socket(socket.release()), m_clock(clock), m_lastTaken(clock.now())
{
    connect(this, &WebSocketConnection::received, this, [this](const QByteArray& bytes) {
        if (Sink* s = sink())
            s->linkReceived(*this, bytes);
    });
    const auto ended = [this](bool error) {
        if (Sink* s = sink())
            s->linkEnded(*this, error);
        if (m_releaseOnEnd)
            deleteLater();
    };
    connect(this, &WebSocketConnection::closed, this, [ended] { ended(false); });
    connect(this, &WebSocketConnection::failed, this, [ended] { ended(true); });
    m_socket->setParent(this);
    m_socket->setMaxAllowedIncomingMessageSize(kMaxMessage);
    m_socket->setMaxAllowedIncomingFrameSize(kMaxMessage);
    connect(m_socket, &QWebSocket::binaryMessageReceived, this, &WebSocketConnection::onMessage);
    connect(m_socket, &QWebSocket::bytesWritten, this, [this] { m_lastTaken = m_clock.now(); });
    connect(m_socket, &QWebSocket::disconnected, this, [this] { onEnded(false); });
    connect(m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this,
            [this](QAbstractSocket::SocketError e) {
                onEnded(e != QAbstractSocket::RemoteHostClosedError);
            });
}

WebSocketConnection::~WebSocketConnection() = default;

void WebSocketConnection::write(const QByteArray& bytes)
{
    if (m_ending || m_done)
        return;
    if (m_socket->bytesToWrite() == 0)
        m_lastTaken = m_clock.now();
    m_socket->sendBinaryMessage(bytes);
}

qint64 WebSocketConnection::unsentBytes() const
{
    return m_socket->bytesToWrite();
}

void WebSocketConnection::pauseReading()
{
    m_paused = true;
}

void WebSocketConnection::resumeReading()
{
    if (!m_paused)
        return;
    m_paused = false;
    if (!m_held.isEmpty())
        QMetaObject::invokeMethod(this, &WebSocketConnection::deliverHeld, Qt::QueuedConnection);
}

void WebSocketConnection::closeGracefully()
{
    m_releaseOnEnd = true;
    if (m_socket->state() == QAbstractSocket::UnconnectedState) {
        onEnded(false);
        return;
    }
    m_socket->close(QWebSocketProtocol::CloseCodeNormal);
}

void WebSocketConnection::abort()
{
    m_done = true;
    setSink(nullptr);
    m_socket->disconnect(this);
    m_socket->abort();
    deleteLater();
}

QHostAddress WebSocketConnection::peerAddress() const
{
    return m_socket->peerAddress();
}

void WebSocketConnection::onMessage(const QByteArray& bytes)
{
    if (m_done || m_ending)
        return;
    // What waits from a pause leaves first: nothing overtakes it.
    if (!m_paused && m_held.isEmpty()) {
        emit received(bytes);
        return;
    }
    m_held += bytes;
    if (m_paused && m_held.size() > kMaxHeld) {
        // A flood: what waits is dropped, not relayed at once as a peer's last words are.
        m_held.clear();
        onEnded(true); // before the close, which may report an orderly end at once
        m_socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
    }
}

void WebSocketConnection::deliverHeld()
{
    if (m_paused || m_done || m_ending || m_held.isEmpty())
        return;
    emit received(std::exchange(m_held, QByteArray()));
}

void WebSocketConnection::onEnded(bool error)
{
    if (m_ending || m_done)
        return;
    m_ending = true;
    QMetaObject::invokeMethod(
        this, [this, error] { finish(error); }, Qt::QueuedConnection);
}

void WebSocketConnection::finish(bool error)
{
    if (m_done)
        return;
    // What the peer sent before it went still counts, paced or not.
    if (!m_held.isEmpty())
        emit received(std::exchange(m_held, QByteArray()));
    if (m_done)
        return;
    m_done = true;
    if (error)
        emit failed();
    else
        emit closed();
}

} // namespace tamber::server
