#pragma once

// Standard output of the headless relay, which must never stop or kill it: nothing waits for
// a reader. While the reader is slow, whole lists are dropped (the newest is kept) and one line
// says how many once it reads again; a reader that has gone is ignored from then on.

#include <QByteArray>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace tamber::server {

// Where the text goes: a file descriptor, or a fake in tests.
class OutputChannel
{
public:
    static constexpr qint64 kWouldBlock = -1;
    static constexpr qint64 kGone = -2;

    virtual ~OutputChannel() = default;
    // Writes what it can at once: the number of bytes taken, kWouldBlock, or kGone when
    // nobody will ever read again.
    virtual qint64 write(const char* data, qint64 size) = 0;
    // Calls back once, when a write that would have blocked may take bytes again.
    virtual void whenWritable(std::function<void()> callback) = 0;
};

// A file descriptor written without blocking and without SIGPIPE: a pipe or terminal through
// a non-blocking description of its own (the inherited one is shared with the shell), a socket
// with MSG_DONTWAIT, a regular file as it is.
class FdChannel : public OutputChannel
{
public:
    explicit FdChannel(int fd);
    ~FdChannel() override;
    qint64 write(const char* data, qint64 size) override;
    void whenWritable(std::function<void()> callback) override;

private:
    enum class Mode
    {
        Plain,  // the inherited descriptor, which never blocks for long (a regular file)
        Own,    // a non-blocking descriptor of our own
        Socket, // the inherited socket, sent to with MSG_DONTWAIT
        Polled, // the inherited descriptor, written only as far as poll() says it takes at once
        Gone
    };

    int m_fd;
    Mode m_mode = Mode::Gone;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_callback;
};

// Prints whole lists through a channel, holding at most the one being written and the newest.
class ListWriter
{
public:
    explicit ListWriter(OutputChannel& channel) : m_channel(channel) {}

    void print(const QByteArray& list);
    qint64 dropped() const { return m_dropped; }
    bool readerGone() const { return m_gone; }

private:
    void pump();

    OutputChannel& m_channel;
    QByteArray m_current; // being written; never cut short, so lines stay whole
    qsizetype m_written = 0;
    QByteArray m_next; // the newest list not yet started
    qint64 m_dropped = 0;
    bool m_waiting = false;
    bool m_gone = false;
};

} // namespace tamber::server
