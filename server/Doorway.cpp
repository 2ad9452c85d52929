#include "Doorway.h"

#include "server/Farewell.h"
#include "server/RelayLog.h"

namespace tamber::server {

Doorway::Doorway(RoomDirectory& rooms, const Clock& clock, net::Timers* timers, Duration closeGrace)
    : m_rooms(rooms), m_clock(clock), m_timers(timers), m_closeGrace(closeGrace)
{
}

Doorway::~Doorway()
{
    closeAll();
}

void Doorway::admit(ClientLink* connection)
{
    connection->setSink(this);
    m_index[connection] =
        m_waiting.insert(m_waiting.end(), {connection, m_clock.now() + kSeatDelay, {}});
    settle();
}

void Doorway::closeAll()
{
    for (Entries* list : {&m_waiting, &m_leaving}) {
        while (!list->empty()) {
            ClientLink* connection = list->front().connection;
            forget(*list, list->begin());
            connection->abort();
        }
    }
    settle();
}

void Doorway::linkReceived(ClientLink& link, QByteArrayView bytes)
{
    const auto found = m_index.find(&link);
    if (found == m_index.end() || found->second->leaving)
        return;
    const Entries::iterator entry = found->second;
    entry->unread.append(bytes.data(), bytes.size());
    const qsizetype end = entry->unread.indexOf(protocol::kMessageEnd);
    if (end >= 0) {
        const SeatRequest request = seatRequest(entry->unread.left(end));
        // A "/join" has done its work; any other first message is the room's to handle.
        QByteArray unread = request.asked ? entry->unread.mid(end + 1) : entry->unread;
        seat(entry, request, std::move(unread));
    } else if (entry->unread.size() > kPendingCap) {
        // No message is that long: the default room's relay drops it as junk.
        seat(entry, {}, std::move(entry->unread));
    }
    settle();
}

void Doorway::linkEnded(ClientLink& link, bool)
{
    const auto found = m_index.find(&link);
    if (found == m_index.end())
        return;
    const Entries::iterator entry = found->second;
    if (entry->leaving) {
        forget(m_leaving, entry);
    } else {
        // Gone before it was seated: nobody saw it come.
        forget(m_waiting, entry);
        link.abort();
    }
    settle();
}

void Doorway::onTimer(Time)
{
    wake();
}

void Doorway::wake()
{
    const Time now = m_clock.now();
    while (!m_waiting.empty() && m_waiting.front().deadline <= now)
        seat(m_waiting.begin(), {}, std::move(m_waiting.front().unread));
    while (!m_leaving.empty() && m_leaving.front().deadline <= now) {
        ClientLink* late = m_leaving.front().connection;
        forget(m_leaving, m_leaving.begin());
        late->abort();
    }
    settle();
}

void Doorway::seat(Entries::iterator entry, const SeatRequest& request, QByteArray unread)
{
    ClientLink* connection = entry->connection;
    forget(m_waiting, entry);
    connection->setSink(nullptr);
    Arrival arrival;
    arrival.connection = connection;
    arrival.unread = std::move(unread);
    const auto refusal = m_rooms.seat(std::move(arrival), request);
    if (!refusal)
        return;
    if (refusal->line.isEmpty()) {
        // Closed at once, nothing sent: the eight notice nothing.
        qCInfo(lcRelay) << "Turned away" << connection->peerAddress().toString()
                        << "- every place is taken";
        connection->abort();
        return;
    }
    qCInfo(lcRelay) << "Turned away" << connection->peerAddress().toString() << "-"
                    << refusal->line;
    connection->write(farewell(refusal->line));
    connection->setSink(this);
    m_index[connection] =
        m_leaving.insert(m_leaving.end(), {connection, m_clock.now() + m_closeGrace, {}, true});
    connection->closeGracefully();
}

void Doorway::forget(Entries& list, Entries::iterator entry)
{
    m_index.erase(entry->connection);
    list.erase(entry);
}

void Doorway::settle()
{
    std::optional<Time> next;
    for (const Entries* list : {&m_waiting, &m_leaving}) {
        if (!list->empty() && (!next || list->front().deadline < *next))
            next = list->front().deadline;
    }
    if (m_timers)
        m_timers->set(*this, next);
}

} // namespace tamber::server
