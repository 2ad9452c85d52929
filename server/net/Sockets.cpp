#include "Sockets.h"

#include "server/RelayLog.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>

namespace tamber::server::net {

namespace {

constexpr int kKeepAliveIdle = 60;
constexpr int kKeepAliveInterval = 10;
constexpr int kKeepAliveProbes = 6;
constexpr long kOwnDescriptors = 32;
constexpr unsigned kUserTimeoutMs = (kKeepAliveIdle + kKeepAliveInterval * kKeepAliveProbes) * 1000;

void set(int fd, int level, int name, const void* value, socklen_t size)
{
    if (::setsockopt(fd, level, name, value, size) != 0)
        qCDebug(lcRelay) << "Socket option" << level << name << "refused:" << std::strerror(errno);
}

} // namespace

void tuneClientSocket(int fd)
{
    const int on = 1;
    set(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    set(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    set(fd, IPPROTO_TCP, TCP_KEEPIDLE, &kKeepAliveIdle, sizeof kKeepAliveIdle);
    set(fd, IPPROTO_TCP, TCP_KEEPINTVL, &kKeepAliveInterval, sizeof kKeepAliveInterval);
    set(fd, IPPROTO_TCP, TCP_KEEPCNT, &kKeepAliveProbes, sizeof kKeepAliveProbes);
    set(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &kUserTimeoutMs, sizeof kUserTimeoutMs);
}

QHostAddress addressOf(const sockaddr* address)
{
    return plainAddress(QHostAddress(address));
}

QHostAddress plainAddress(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4) : address;
}

long raiseOpenFileLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return -1;
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0)
            limit = raised;
        else // a service whose sandbox forbids it has its limit from the unit
            qCDebug(lcRelay) << "Cannot raise the open-file limit:" << std::strerror(errno);
    }
    const long allowed = limit.rlim_cur == RLIM_INFINITY ? -1 : long(limit.rlim_cur);
    // A few descriptors are the relay's own (listeners, epoll sets, wake-ups, the log).
    if (allowed < 0)
        qCDebug(lcRelay) << "The open-file limit allows any number of connections";
    else
        qCDebug(lcRelay).nospace() << "The open-file limit (" << allowed << ") allows about "
                                   << std::max(0L, allowed - kOwnDescriptors) << " connections";
    return allowed;
}

} // namespace tamber::server::net
