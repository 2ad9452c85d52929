#pragma once

// A listening TCP socket on a relay thread. A burst of connects is queued by the kernel (a
// backlog of 1,024) instead of waiting for SYN retransmits, and taken in batches, so that the
// connected clients are served between the batches of a connect storm. When the process is
// out of descriptors, it stops accepting for a moment instead of spinning: the connections it
// holds play on, and those queued wait in the backlog.

#include "server/net/Loop.h"

#include <QHostAddress>
#include <QString>
#include <functional>

namespace tamber::server::net {

class Listener : private Watcher, private TimerClient
{
public:
    static constexpr int kBacklog = 1024;
    static constexpr int kAcceptBatch = 16;
    static constexpr Duration kStarvedPause = std::chrono::milliseconds(200);

    // Gets each accepted socket, non-blocking, and the peer's address; it owns the socket.
    using Accepted = std::function<void(int fd, const QHostAddress& peer)>;

    Listener(Loop& loop, Accepted accepted);
    ~Listener() override;
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // False (and not listening) when the port cannot be listened on; errorString() says why.
    bool listen(const QHostAddress& address, quint16 port);
    void close();
    bool isListening() const { return m_fd >= 0; }
    quint16 port() const { return m_port; }
    QString errorString() const { return m_error; }

private:
    void onReady(std::uint32_t events) override;
    void onTimer(Time now) override;
    bool failWith(int error);

    Loop& m_loop;
    Accepted m_accepted;
    int m_fd = -1;
    quint16 m_port = 0;
    QString m_error;
    bool m_starved = false; // out of descriptors, and said so
};

} // namespace tamber::server::net
