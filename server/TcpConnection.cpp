#include "TcpConnection.h"

#include <QTcpSocket>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace tamber::server {

namespace {

// One read takes at most this much, and a paced client has no more than this waiting in the
// server's buffer before its own TCP window closes.
constexpr qint64 kReadBufferSize = 16 * 1024;

// A peer that vanished without a word (power cut, lost route) frees its slot: after a minute
// of silence the kernel probes every ten seconds and gives up after six unanswered probes;
// output that is never acknowledged gives up after the same two minutes.
constexpr int kKeepAliveIdle = 60;
constexpr int kKeepAliveInterval = 10;
constexpr int kKeepAliveProbes = 6;
constexpr unsigned kUserTimeoutMs = (kKeepAliveIdle + kKeepAliveInterval * kKeepAliveProbes) * 1000;

void keepAlive(QTcpSocket* socket)
{
    socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const int fd = int(socket->socketDescriptor());
    if (fd < 0)
        return;
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &kKeepAliveIdle, sizeof kKeepAliveIdle);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &kKeepAliveInterval, sizeof kKeepAliveInterval);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &kKeepAliveProbes, sizeof kKeepAliveProbes);
    setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &kUserTimeoutMs, sizeof kUserTimeoutMs);
}

} // namespace

TcpConnection::TcpConnection(QTcpSocket* socket, const Clock& clock, QObject* parent)
    : Connection(parent), m_socket(socket), m_clock(clock), m_lastTaken(clock.now())
{
    m_socket->setParent(this);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_socket->setReadBufferSize(kReadBufferSize);
    keepAlive(m_socket);
    connect(m_socket, &QTcpSocket::readyRead, this, &TcpConnection::onReadyRead);
    connect(m_socket, &QTcpSocket::bytesWritten, this, [this] { m_lastTaken = m_clock.now(); });
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { onEnded(false); });
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        onEnded(e != QAbstractSocket::RemoteHostClosedError);
    });
}

void TcpConnection::write(const QByteArray& bytes)
{
    // A stream that has just ended takes nothing; its end is on its way to the relay.
    if (m_ending || m_done)
        return;
    if (m_socket->bytesToWrite() == 0)
        m_lastTaken = m_clock.now();
    m_socket->write(bytes);
}

qint64 TcpConnection::unsentBytes() const
{
    return m_socket->bytesToWrite();
}

void TcpConnection::pauseReading()
{
    // Unread bytes stay in the socket's buffer; once it is full Qt stops reading the socket.
    m_paused = true;
}

void TcpConnection::resumeReading()
{
    if (!m_paused)
        return;
    m_paused = false;
    // What arrived meanwhile raised no new signal; fetch it from the event loop.
    if (m_socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &TcpConnection::onReadyRead, Qt::QueuedConnection);
}

void TcpConnection::closeGracefully()
{
    if (m_socket->state() == QAbstractSocket::UnconnectedState) {
        onEnded(false);
        return;
    }
    m_socket->disconnectFromHost();
}

void TcpConnection::abort()
{
    m_done = true;
    m_socket->disconnect(this);
    m_socket->abort();
}

QHostAddress TcpConnection::peerAddress() const
{
    return m_socket->peerAddress();
}

void TcpConnection::onReadyRead()
{
    if (m_paused || m_done)
        return;
    const QByteArray bytes = m_socket->readAll();
    if (!bytes.isEmpty())
        emit received(bytes);
}

void TcpConnection::onEnded(bool error)
{
    if (m_ending || m_done)
        return;
    m_ending = true;
    QMetaObject::invokeMethod(
        this, [this, error] { finish(error); }, Qt::QueuedConnection);
}

void TcpConnection::finish(bool error)
{
    if (m_done)
        return;
    // What the peer sent before it went still counts, paced or not.
    if (m_socket->bytesAvailable() > 0)
        emit received(m_socket->readAll());
    if (m_done) // aborted while that was handled
        return;
    m_done = true;
    if (error)
        emit failed();
    else
        emit closed();
}

} // namespace tamber::server
