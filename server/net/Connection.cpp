#include "Connection.h"

#include <cerrno>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace tamber::server::net {

namespace {

// Reads per wake-up before the other ready connections get their turn.
constexpr int kReadsPerWake = 4;

} // namespace

Connection* Connection::open(Loop& loop, int fd, const QHostAddress& peer)
{
    Connection* connection = loop.own(std::unique_ptr<Connection>(new Connection(loop, fd, peer)));
    connection->m_interest = EPOLLIN;
    if (!loop.watch(fd, *connection, EPOLLIN)) {
        connection->m_released = true;
        connection->closeNow();
        connection->disposeIfDone();
        return nullptr;
    }
    return connection;
}

Connection::Parcel& Connection::Parcel::operator=(Parcel&& other) noexcept
{
    if (this != &other) {
        if (fd >= 0)
            ::close(fd);
        fd = std::exchange(other.fd, -1);
        peer = other.peer;
        framing = std::move(other.framing);
        output = std::move(other.output);
        input = std::move(other.input);
        lastTaken = other.lastTaken;
        paused = other.paused;
    }
    return *this;
}

Connection::Parcel::~Parcel()
{
    if (fd >= 0)
        ::close(fd);
}

std::optional<Connection::Parcel> Connection::handOff(QByteArray unreadInput)
{
    if (m_state != State::Open || m_reported || m_source || m_released)
        return std::nullopt;
    Parcel parcel;
    if (m_framing && !m_staging.isEmpty())
        m_framing->encode(m_staging, m_out);
    m_staging = QByteArray();
    parcel.fd = std::exchange(m_fd, -1);
    parcel.peer = m_peer;
    parcel.framing = std::move(m_framing);
    parcel.output = QByteArray(m_out.data(), m_out.size());
    parcel.input = std::move(unreadInput);
    parcel.lastTaken = m_lastTaken;
    parcel.paused = m_paused;
    m_loop.unwatch(parcel.fd);
    m_loop.timers().disarm(*this);
    m_out.clear();
    setSink(nullptr);
    // Gone from here: events already fetched for it find it closed.
    m_state = State::Closed;
    m_released = true;
    disposeIfDone();
    return parcel;
}

Connection* Connection::takeIn(Loop& loop, Parcel& parcel)
{
    Connection* connection = open(loop, std::exchange(parcel.fd, -1), parcel.peer);
    if (!connection)
        return nullptr;
    connection->m_framing = std::move(parcel.framing);
    connection->m_lastTaken = parcel.lastTaken;
    if (!parcel.output.isEmpty()) {
        connection->m_out.append(parcel.output);
        loop.flushLater(*connection);
    }
    if (parcel.paused)
        connection->pauseReading();
    return connection;
}

Connection::Connection(Loop& loop, int fd, const QHostAddress& peer)
    : m_loop(loop), m_fd(fd), m_peer(peer), m_lastTaken(loop.now())
{
}

Connection::~Connection()
{
    if (m_fd >= 0) {
        m_loop.unwatch(m_fd);
        ::close(m_fd);
    }
}

void Connection::setSource(std::function<QByteArray()> source)
{
    m_source = std::move(source);
    m_loop.flushLater(*this);
}

void Connection::receive(QByteArrayView bytes)
{
    if (m_state == State::Open && !m_reported && !bytes.isEmpty())
        deliver(bytes);
}

void Connection::write(QByteArrayView bytes)
{
    // A stream that has ended, or is ending, takes nothing more.
    if (m_state != State::Open || m_reported)
        return;
    if (unsentBytes() == 0)
        m_lastTaken = m_loop.now();
    if (m_framing)
        m_staging.append(bytes);
    else
        m_out.append(bytes);
    m_loop.flushLater(*this);
}

void Connection::pauseReading()
{
    m_paused = true;
    updateInterest();
}

void Connection::resumeReading()
{
    m_paused = false;
    updateInterest();
}

void Connection::closeGracefully()
{
    m_releaseOnEnd = true;
    if (m_state == State::Closed || m_reported) {
        // Its end was told already: nothing more will be.
        m_released = true;
        disposeIfDone();
        if (m_state == State::Closed)
            return;
    }
    beginClosing();
}

void Connection::abort()
{
    setSink(nullptr);
    m_released = true;
    m_staging = QByteArray();
    m_source = nullptr;
    if (m_state == State::Closing && m_framing && m_out.size() <= kLingerMax) {
        // The framing's last bytes (a close frame) still leave, for a moment.
        m_loop.timers().arm(*this, m_loop.now() + kLinger);
        m_loop.flushLater(*this);
        return;
    }
    closeNow();
    disposeIfDone();
}

void Connection::closeAndLetGo()
{
    setSink(nullptr);
    beginClosing();
    if (m_state == State::Closed) {
        m_released = true;
        disposeIfDone();
        return;
    }
    m_released = true;
    m_loop.timers().arm(*this, m_loop.now() + kLinger);
}

void Connection::onReady(std::uint32_t events)
{
    if (m_state == State::Closed)
        return;
    // A hang-up or error is reported whatever is watched: what came before it is read now.
    const bool ended = events & (EPOLLERR | EPOLLHUP);
    if (events & (EPOLLIN | EPOLLERR | EPOLLHUP))
        readSome(ended);
    if (m_state != State::Closed && (events & EPOLLOUT))
        writeOut();
    if (m_state != State::Closed && ended && (m_peerDone || (events & EPOLLERR))) {
        // Nothing can pass any more in either direction.
        closeNow();
        report(events & EPOLLERR);
        disposeIfDone();
    }
}

void Connection::readSome(bool evenIfPaused)
{
    for (int i = 0; i < kReadsPerWake; ++i) {
        if (m_state == State::Closed || m_peerDone ||
            (m_state == State::Open && m_paused && !evenIfPaused))
            return;
        const ssize_t got = ::recv(m_fd, m_loop.scratch(), Loop::kScratchSize, 0);
        if (got > 0) {
            // A closing connection only waits for the peer's end; what it sends is dropped.
            if (m_state == State::Open && !m_reported)
                deliver(QByteArrayView(m_loop.scratch(), got));
            if (std::size_t(got) < Loop::kScratchSize)
                return;
            continue;
        }
        if (got == 0) {
            peerEnded();
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            fail();
        return;
    }
}

void Connection::deliver(QByteArrayView bytes)
{
    if (!m_framing) {
        if (Sink* s = sink())
            s->linkReceived(*this, bytes);
        return;
    }
    QByteArray protocol;
    const Framing::Verdict verdict = m_framing->decode(bytes, protocol);
    // Whatever the framing owes the peer now (a pong) leaves at the end of the turn.
    m_loop.flushLater(*this);
    if (!protocol.isEmpty()) {
        if (Sink* s = sink())
            s->linkReceived(*this, protocol);
    }
    if (verdict == Framing::Verdict::Go || m_state != State::Open || m_reported)
        return;
    // What the relay queued is not sent after the framing's end.
    m_staging = QByteArray();
    beginClosing();
    report(verdict == Framing::Verdict::Broken);
}

void Connection::flush()
{
    if (m_state == State::Closed)
        return;
    if (m_framing) {
        if (!m_staging.isEmpty()) {
            m_framing->encode(m_staging, m_out);
            m_staging = QByteArray();
        }
        if (m_state == State::Closing && !m_closingQueued) {
            m_framing->closing(m_out);
            m_closingQueued = true;
        }
    }
    writeOut();
}

void Connection::writeOut()
{
    for (;;) {
        if (m_out.isEmpty()) {
            // What the framing owes the peer (a pong) waits until the output before it is
            // taken, so that it never piles up for a peer that does not read.
            if (m_framing && m_state == State::Open) {
                m_framing->control(m_out);
                if (!m_out.isEmpty())
                    continue;
            }
            if (!m_source)
                break;
            const QByteArray next = m_source();
            if (next.isEmpty()) {
                m_source = nullptr;
                break;
            }
            m_out.append(next);
        }
        const ssize_t sent = ::send(m_fd, m_out.data(), size_t(m_out.size()), MSG_NOSIGNAL);
        if (sent > 0) {
            m_out.consume(sent);
            m_lastTaken = m_loop.now();
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        fail();
        return;
    }
    const bool done = m_out.isEmpty() && !m_source && (!m_framing || m_closingQueued);
    if (m_state == State::Closing && done && !m_shutDown) {
        ::shutdown(m_fd, SHUT_WR);
        m_shutDown = true;
        if (m_peerDone) {
            closeNow();
            report(false);
            disposeIfDone();
            return;
        }
    }
    updateInterest();
}

void Connection::beginClosing()
{
    if (m_state != State::Open)
        return;
    m_state = State::Closing;
    m_loop.flushLater(*this);
    updateInterest();
}

void Connection::peerEnded()
{
    m_peerDone = true;
    if (m_state == State::Closing && m_shutDown) {
        closeNow();
        report(false);
        disposeIfDone();
        return;
    }
    // The peer may still take what is owed to it; the owner decides.
    updateInterest();
    report(false);
}

void Connection::fail()
{
    closeNow();
    report(true);
    disposeIfDone();
}

void Connection::report(bool error)
{
    if (m_reported)
        return;
    m_reported = true;
    if (Sink* s = sink())
        s->linkEnded(*this, error);
    if (m_releaseOnEnd)
        m_released = true;
    disposeIfDone();
}

void Connection::onTimer(Time)
{
    // Let go while closing, and the peer never finished: enough.
    closeNow();
    disposeIfDone();
}

void Connection::closeNow()
{
    if (m_state == State::Closed)
        return;
    m_state = State::Closed;
    m_loop.timers().disarm(*this);
    m_loop.unwatch(m_fd);
    ::close(m_fd);
    m_fd = -1;
    m_out.clear();
    m_staging = QByteArray();
    m_source = nullptr;
}

void Connection::disposeIfDone()
{
    if (m_released && m_state == State::Closed && !m_disposed) {
        m_disposed = true;
        m_loop.dispose(this);
    }
}

void Connection::updateInterest()
{
    if (m_state == State::Closed)
        return;
    std::uint32_t wanted = 0;
    if (!m_peerDone && (m_state == State::Closing || !m_paused))
        wanted |= EPOLLIN;
    if (!m_out.isEmpty())
        wanted |= EPOLLOUT;
    if (wanted == m_interest)
        return;
    m_interest = wanted;
    m_loop.rewatch(m_fd, *this, wanted);
}

} // namespace tamber::server::net
