#pragma once

// One relay thread's event loop. Qt's dispatcher watches a single descriptor, the thread's
// epoll set; when it wakes, only the descriptors that are ready are served, however many are
// registered. Work that runs on the thread (ready descriptors, the deadlines of Timers, calls
// posted from other threads) runs as a turn; at the end of each turn every connection written
// to is flushed once, and objects let go during it are deleted.

#include "server/Clock.h"
#include "server/net/BlockPool.h"
#include "server/net/Timers.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace tamber::server::net {

// Something registered in the epoll set.
class Watcher
{
public:
    // `events` as epoll reports them (EPOLLIN, EPOLLOUT, EPOLLERR, EPOLLHUP).
    virtual void onReady(std::uint32_t events) = 0;

protected:
    ~Watcher() = default;
};

// Something that writes once per turn.
class Flusher
{
public:
    virtual void flush() = 0;

protected:
    ~Flusher() = default;

private:
    friend class Loop;
    bool m_flushQueued = false;
};

// What the loop owns and deletes once let go.
class Disposable
{
public:
    virtual ~Disposable() = default;
};

class Loop : public QObject
{
    Q_OBJECT

public:
    explicit Loop(const Clock& clock, QObject* parent = nullptr);
    // Deletes every object it still owns.
    ~Loop() override;

    const Clock& clock() const { return m_clock; }
    Time now() const { return m_clock.now(); }
    Timers& timers() { return m_timers; }
    // Output blocks for the connections of this thread.
    BlockPool& blocks() { return m_blocks; }

    // False (with errno set) when the descriptor cannot be watched.
    bool watch(int fd, Watcher& watcher, std::uint32_t events);
    void rewatch(int fd, Watcher& watcher, std::uint32_t events);
    void unwatch(int fd);

    // Where reads land: large, and shared by everything on this thread. Valid until the
    // reader returns to the loop.
    char* scratch() { return m_scratch.get(); }
    static constexpr std::size_t kScratchSize = 64 * 1024;

    // flush() is called at the end of this turn.
    void flushLater(Flusher& flusher);
    // The loop owns it from now on, until dispose().
    template <typename T> T* own(std::unique_ptr<T> object)
    {
        T* raw = object.get();
        m_owned.emplace(raw, std::move(object));
        return raw;
    }
    // Deletes it at the end of the turn, so that the code running now may still use it.
    void dispose(Disposable* object);
    std::size_t ownedCount() const { return m_owned.size(); }

    // Runs `work` on this loop's thread as a turn of its own, later.
    void post(std::function<void()> work);
    // The same, waiting until it has run; from another thread only.
    void run(const std::function<void()>& work);

private:
    // Serves one batch of ready descriptors; returns how many there were.
    int serveReady();
    void onEpoll();
    void onTimers();
    void beginTurn() { ++m_depth; }
    void endTurn();

    const Clock& m_clock;
    int m_epoll = -1;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_timer = nullptr;
    std::optional<Time> m_timerDue;
    Timers m_timers;
    BlockPool m_blocks;
    std::unique_ptr<char[]> m_scratch;
    std::vector<Flusher*> m_flush;
    std::unordered_map<Disposable*, std::unique_ptr<Disposable>> m_owned;
    std::vector<std::unique_ptr<Disposable>> m_graveyard;
    int m_depth = 0;
    bool m_endPosted = false;
};

} // namespace tamber::server::net
