#include "HeadlessOutput.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamber::server {

FdChannel::FdChannel(int fd) : m_fd(fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return;
    if (S_ISREG(st.st_mode)) {
        m_mode = Mode::Plain;
    } else if (S_ISSOCK(st.st_mode)) {
        m_mode = Mode::Socket;
    } else {
        char path[32];
        std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
        const int own = ::open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (own >= 0) {
            m_fd = own;
            m_mode = Mode::Own;
        } else if (errno != ENXIO) { // ENXIO: a pipe whose reader has already gone
            m_mode = Mode::Polled;
        }
    }
    if (m_mode != Mode::Plain && m_mode != Mode::Gone) {
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Write);
        m_notifier->setEnabled(false);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
            m_notifier->setEnabled(false);
            if (auto callback = std::exchange(m_callback, nullptr))
                callback();
        });
    }
}

FdChannel::~FdChannel()
{
    m_notifier.reset();
    if (m_mode == Mode::Own)
        ::close(m_fd);
}

qint64 FdChannel::write(const char* data, qint64 size)
{
    for (;;) {
        ssize_t put = -1;
        switch (m_mode) {
        case Mode::Gone:
            return kGone;
        case Mode::Socket:
            put = ::send(m_fd, data, size_t(size), MSG_DONTWAIT | MSG_NOSIGNAL);
            break;
        case Mode::Polled: {
            // A pipe that polls writable takes up to PIPE_BUF bytes without blocking.
            pollfd p{m_fd, POLLOUT, 0};
            if (::poll(&p, 1, 0) < 0 && errno == EINTR)
                continue;
            if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) {
                m_mode = Mode::Gone;
                return kGone;
            }
            if (!(p.revents & POLLOUT))
                return kWouldBlock;
            put = ::write(m_fd, data, size_t(std::min<qint64>(size, PIPE_BUF)));
            break;
        }
        case Mode::Plain:
        case Mode::Own:
            put = ::write(m_fd, data, size_t(size));
            break;
        }
        if (put >= 0)
            return put;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return kWouldBlock;
        // EPIPE above all (SIGPIPE is ignored): the reader has gone, and nobody comes back.
        m_mode = Mode::Gone;
        return kGone;
    }
}

void FdChannel::whenWritable(std::function<void()> callback)
{
    if (!m_notifier)
        return;
    m_callback = std::move(callback);
    m_notifier->setEnabled(true);
}

void ListWriter::print(const QByteArray& list)
{
    if (m_gone)
        return;
    if (!m_current.isEmpty()) {
        if (!m_next.isEmpty())
            ++m_dropped;
        m_next = list;
        return;
    }
    m_current = list;
    m_written = 0;
    pump();
}

void ListWriter::pump()
{
    while (!m_current.isEmpty() && !m_waiting) {
        const qint64 put =
            m_channel.write(m_current.constData() + m_written, m_current.size() - m_written);
        if (put == OutputChannel::kGone) {
            m_gone = true;
            m_current.clear();
            m_next.clear();
            return;
        }
        if (put == OutputChannel::kWouldBlock) {
            m_waiting = true;
            m_channel.whenWritable([this] {
                m_waiting = false;
                pump();
            });
            return;
        }
        m_written += put;
        if (m_written < m_current.size())
            continue;
        // The reader keeps up again: say what it missed, then show the newest list.
        m_current.clear();
        m_written = 0;
        if (m_next.isEmpty())
            continue;
        if (m_dropped > 0) {
            m_current = QByteArray::number(m_dropped) +
                        " user lists dropped while standard output was not read\n";
            m_dropped = 0;
        }
        m_current += std::exchange(m_next, QByteArray());
    }
}

} // namespace tamber::server
