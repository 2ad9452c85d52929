#include "Loop.h"

#include "server/RelayLog.h"

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <sys/epoll.h>
#include <unistd.h>

namespace tamber::server::net {

namespace {

// Ready descriptors served per wake-up; more wait for the next one, so timers and posted work
// are never starved.
constexpr int kBatch = 256;
// Batches served before the deadlines that are due, at most.
constexpr int kBatchesBeforeTimers = 16;

} // namespace

Loop::Loop(const Clock& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_scratch(new char[kScratchSize])
{
    m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
    if (m_epoll < 0) {
        qCCritical(lcRelay) << "Cannot create an epoll set:" << std::strerror(errno);
    } else {
        m_notifier = new QSocketNotifier(m_epoll, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &Loop::onEpoll);
    }
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &Loop::onTimers);
}

Loop::~Loop()
{
    // Objects may reach the loop while they go (unwatch, disarm).
    m_graveyard.clear();
    while (!m_owned.empty()) {
        auto node = m_owned.extract(m_owned.begin());
        node.mapped().reset();
    }
    m_graveyard.clear();
    delete m_notifier;
    if (m_epoll >= 0)
        ::close(m_epoll);
}

bool Loop::watch(int fd, Watcher& watcher, std::uint32_t events)
{
    epoll_event event{};
    event.events = events;
    event.data.ptr = &watcher;
    return ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event) == 0;
}

void Loop::rewatch(int fd, Watcher& watcher, std::uint32_t events)
{
    epoll_event event{};
    event.events = events;
    event.data.ptr = &watcher;
    if (::epoll_ctl(m_epoll, EPOLL_CTL_MOD, fd, &event) != 0)
        qCWarning(lcRelay) << "Cannot change what is watched on descriptor" << fd << ":"
                           << std::strerror(errno);
}

void Loop::unwatch(int fd)
{
    ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
}

void Loop::flushLater(Flusher& flusher)
{
    if (flusher.m_flushQueued)
        return;
    flusher.m_flushQueued = true;
    m_flush.push_back(&flusher);
    if (m_depth == 0 && !m_endPosted) {
        // Written to from outside a turn (a direct call in a test): flush from the loop.
        m_endPosted = true;
        post([] {});
    }
}

void Loop::dispose(Disposable* object)
{
    auto node = m_owned.extract(object);
    if (!node.empty())
        m_graveyard.push_back(std::move(node.mapped()));
}

void Loop::post(std::function<void()> work)
{
    QMetaObject::invokeMethod(
        this,
        [this, work = std::move(work)] {
            beginTurn();
            work();
            endTurn();
        },
        Qt::QueuedConnection);
}

void Loop::run(const std::function<void()>& work)
{
    QMetaObject::invokeMethod(
        this,
        [this, &work] {
            beginTurn();
            work();
            endTurn();
        },
        Qt::BlockingQueuedConnection);
}

int Loop::serveReady()
{
    epoll_event events[kBatch];
    const int ready = ::epoll_wait(m_epoll, events, kBatch, 0);
    // Objects let go while this batch is served are deleted only at the end of the turn, so
    // every pointer in it stays valid.
    for (int i = 0; i < ready; ++i)
        static_cast<Watcher*>(events[i].data.ptr)->onReady(events[i].events);
    return ready;
}

void Loop::onEpoll()
{
    beginTurn();
    serveReady();
    endTurn();
}

void Loop::onTimers()
{
    m_timerDue.reset();
    beginTurn();
    // A deadline never overtakes bytes that came before it: on a thread that woke late, what
    // is ready is read first (a connection seated at its deadline has its first message).
    for (int i = 0; i < kBatchesBeforeTimers; ++i) {
        if (serveReady() < kBatch)
            break;
    }
    m_timers.runDue(now());
    endTurn();
}

void Loop::endTurn()
{
    if (--m_depth > 0)
        return;
    m_endPosted = false;
    // A flush may end a connection, whose departure writes to others: until nothing is left.
    while (!m_flush.empty()) {
        std::vector<Flusher*> batch;
        batch.swap(m_flush);
        ++m_depth;
        for (Flusher* flusher : batch) {
            flusher->m_flushQueued = false;
            flusher->flush();
        }
        --m_depth;
    }
    m_graveyard.clear();

    const std::optional<Time> next = m_timers.next();
    if (next == m_timerDue)
        return;
    m_timerDue = next;
    if (!next) {
        m_timer->stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - now());
    m_timer->start(int(std::clamp<qint64>(wait.count(), 0, 24 * 3600 * 1000)));
}

} // namespace tamber::server::net
