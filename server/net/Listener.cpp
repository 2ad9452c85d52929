#include "Listener.h"

#include "server/RelayLog.h"
#include "server/net/Sockets.h"

#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tamber::server::net {

Listener::Listener(Loop& loop, Accepted accepted) : m_loop(loop), m_accepted(std::move(accepted)) {}

Listener::~Listener()
{
    close();
}

bool Listener::listen(const QHostAddress& address, quint16 port)
{
    if (isListening())
        return true;
    // Any address: one dual-stack socket for IPv6 and IPv4, as Qt's own listeners do.
    const bool any = address == QHostAddress::Any || address == QHostAddress::AnyIPv6;
    sockaddr_storage storage{};
    socklen_t size = 0;
    int family = AF_INET;
    if (any || address.protocol() == QAbstractSocket::IPv6Protocol) {
        family = AF_INET6;
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(port);
        const Q_IPV6ADDR bytes = any ? Q_IPV6ADDR{} : address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, &bytes, sizeof bytes);
        size = sizeof *in6;
    } else {
        auto* in4 = reinterpret_cast<sockaddr_in*>(&storage);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(port);
        in4->sin_addr.s_addr = htonl(address.toIPv4Address());
        size = sizeof *in4;
    }
    m_fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return failWith(errno);
    const int on = 1;
    const int off = 0;
    ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (family == AF_INET6 && any)
        ::setsockopt(m_fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&storage), size) != 0 ||
        ::listen(m_fd, kBacklog) != 0 || !m_loop.watch(m_fd, *this, EPOLLIN))
        return failWith(errno);
    sockaddr_storage bound{};
    socklen_t boundSize = sizeof bound;
    ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&bound), &boundSize);
    m_port = ntohs(family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                      : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    m_error.clear();
    m_starved = false;
    return true;
}

bool Listener::failWith(int error)
{
    m_error = QString::fromLocal8Bit(std::strerror(error));
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_port = 0;
    return false;
}

void Listener::close()
{
    m_loop.timers().disarm(*this);
    if (m_fd < 0)
        return;
    m_loop.unwatch(m_fd);
    ::close(m_fd);
    m_fd = -1;
    m_port = 0;
}

void Listener::onReady(std::uint32_t)
{
    for (int i = 0; i < kAcceptBatch && m_fd >= 0; ++i) {
        sockaddr_storage peer{};
        socklen_t size = sizeof peer;
        const int fd = ::accept4(m_fd, reinterpret_cast<sockaddr*>(&peer), &size,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            if (m_starved) {
                m_starved = false;
                qCDebug(lcRelay) << "Accepting connections again on port" << m_port;
            }
            m_accepted(fd, addressOf(reinterpret_cast<sockaddr*>(&peer)));
            continue;
        }
        const int error = errno;
        if (error == EAGAIN || error == EWOULDBLOCK)
            return;
        if (error == EINTR || error == ECONNABORTED || error == EPROTO)
            continue;
        // Out of descriptors or memory: whatever is tried now fails the same way.
        if (!m_starved) {
            m_starved = true;
            qCWarning(lcRelay).nospace()
                << "Cannot accept on port " << m_port << ": " << std::strerror(error)
                << "; new connections wait until descriptors are free";
        }
        m_loop.rewatch(m_fd, *this, 0);
        m_loop.timers().arm(*this, m_loop.now() + kStarvedPause);
        return;
    }
}

void Listener::onTimer(Time)
{
    if (m_fd >= 0)
        m_loop.rewatch(m_fd, *this, EPOLLIN);
}

} // namespace tamber::server::net
