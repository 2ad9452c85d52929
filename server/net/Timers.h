#pragma once

// One thread's deadlines, however many connections it holds: each client has at most one, kept
// in a single ordered set, and the thread's loop sleeps until the earliest. Plain, so tests
// drive it with a clock of their own.

#include "server/Clock.h"

#include <cstdint>
#include <optional>
#include <set>
#include <tuple>

namespace tamber::server::net {

class Timers;

class TimerClient
{
public:
    virtual ~TimerClient();
    // The deadline has come; the client may arm itself again.
    virtual void onTimer(Time now) = 0;
    bool isArmed() const { return m_timers != nullptr; }

private:
    friend class Timers;
    Timers* m_timers = nullptr;
    Time m_due{};
    std::uint64_t m_sequence = 0;
};

class Timers
{
public:
    Timers() = default;
    Timers(const Timers&) = delete;
    Timers& operator=(const Timers&) = delete;
    ~Timers();

    // Sets the client's one deadline, replacing the one it had.
    void arm(TimerClient& client, Time at);
    void disarm(TimerClient& client);
    // Arms the client for `at`, or disarms it when there is nothing to wait for.
    void set(TimerClient& client, std::optional<Time> at);
    // Runs every client due by `now`, earliest first. A client armed again for a time already
    // past runs on the next call, so that none can keep this one going.
    void runDue(Time now);
    // The earliest deadline, if any.
    std::optional<Time> next() const;
    std::size_t size() const { return m_queue.size(); }

private:
    using Entry = std::tuple<Time, std::uint64_t, TimerClient*>;
    std::set<Entry> m_queue;
    std::uint64_t m_sequence = 0;
};

} // namespace tamber::server::net
