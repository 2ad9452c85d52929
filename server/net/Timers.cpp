#include "Timers.h"

namespace tamber::server::net {

TimerClient::~TimerClient()
{
    if (m_timers)
        m_timers->disarm(*this);
}

Timers::~Timers()
{
    for (const Entry& entry : m_queue)
        std::get<2>(entry)->m_timers = nullptr;
}

void Timers::arm(TimerClient& client, Time at)
{
    if (client.m_timers == this && client.m_due == at)
        return;
    disarm(client);
    client.m_timers = this;
    client.m_due = at;
    client.m_sequence = ++m_sequence;
    m_queue.emplace(at, client.m_sequence, &client);
}

void Timers::set(TimerClient& client, std::optional<Time> at)
{
    if (at)
        arm(client, *at);
    else
        disarm(client);
}

void Timers::disarm(TimerClient& client)
{
    if (client.m_timers != this)
        return;
    m_queue.erase({client.m_due, client.m_sequence, &client});
    client.m_timers = nullptr;
}

void Timers::runDue(Time now)
{
    const std::uint64_t last = m_sequence;
    auto it = m_queue.begin();
    while (it != m_queue.end() && std::get<0>(*it) <= now) {
        const auto [due, sequence, client] = *it;
        if (sequence > last) {
            ++it;
            continue;
        }
        m_queue.erase(it);
        client->m_timers = nullptr;
        client->onTimer(now);
        // The callback may have armed or disarmed anything.
        it = m_queue.begin();
    }
}

std::optional<Time> Timers::next() const
{
    if (m_queue.empty())
        return std::nullopt;
    return std::get<0>(*m_queue.begin());
}

} // namespace tamber::server::net
