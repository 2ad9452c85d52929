#pragma once

// The relay threads that rooms live on, each a Worker with a loop of its own. A room is placed
// on the thread holding the fewest rooms, so that rooms spread over the cores, and stays there
// until it is dropped. Used from one thread only (the one that makes and drops rooms).

#include "server/net/Worker.h"

#include <memory>
#include <vector>

namespace tamber::server::net {

class WorkerSet
{
public:
    // At least one thread; `count` 0 or less gives one per core.
    WorkerSet(const Clock& clock, int count);
    WorkerSet(const WorkerSet&) = delete;
    WorkerSet& operator=(const WorkerSet&) = delete;

    static int defaultCount();

    int size() const { return int(m_workers.size()); }
    Worker& at(int index) { return *m_workers[std::size_t(index)]; }
    // The thread for a new room, counted as holding it until release().
    int place();
    void release(int index);
    int roomsOn(int index) const { return m_rooms[std::size_t(index)]; }

private:
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::vector<int> m_rooms;
};

} // namespace tamber::server::net
