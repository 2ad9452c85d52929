#include "WorkerSet.h"

#include <QThread>
#include <algorithm>

namespace tamber::server::net {

WorkerSet::WorkerSet(const Clock& clock, int count)
{
    const int threads = count > 0 ? count : defaultCount();
    for (int i = 0; i < threads; ++i)
        m_workers.push_back(std::make_unique<Worker>(clock, QStringLiteral("rooms-%1").arg(i + 1)));
    m_rooms.assign(std::size_t(threads), 0);
}

int WorkerSet::defaultCount()
{
    return std::max(1, QThread::idealThreadCount());
}

int WorkerSet::place()
{
    const auto least = std::min_element(m_rooms.begin(), m_rooms.end());
    ++*least;
    return int(least - m_rooms.begin());
}

void WorkerSet::release(int index)
{
    int& rooms = m_rooms[std::size_t(index)];
    rooms = std::max(0, rooms - 1);
}

} // namespace tamber::server::net
