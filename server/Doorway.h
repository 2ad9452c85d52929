#pragma once

// Connections accepted on the TCP port but not seated yet. A new piano names its room in its
// very first message ("/join NAME"), which arrives with the end of the handshake; an old one
// sends nothing until it is greeted. So a connection is seated when its first complete message
// arrives, or kSeatDelay after it was accepted, whichever comes first: in the room it asked
// for, or else in the default room, where that first message is then handled as usual.
// A connection refused a room it asked for is told why, bid "Farewell" and closed; the default
// room's ninth player is closed without a byte, as it always was.

#include "server/ClientLink.h"
#include "server/RoomDirectory.h"
#include "server/net/Timers.h"

#include <list>
#include <unordered_map>

namespace tamber::server {

class Doorway : private ClientLink::Sink, private net::TimerClient
{
public:
    static constexpr Duration kSeatDelay = std::chrono::milliseconds(100);

    // Deadlines go into `timers`; without any, whoever drives the doorway calls wake() (tests).
    Doorway(RoomDirectory& rooms, const Clock& clock, net::Timers* timers, Duration closeGrace);
    // Ends every connection it still holds, at once.
    ~Doorway() override;
    Doorway(const Doorway&) = delete;
    Doorway& operator=(const Doorway&) = delete;

    // Takes a new connection; it is seated or closed by this doorway from now on.
    void admit(ClientLink* connection);
    // Seats those whose time is up, ends the refused that never finished.
    void wake();
    // Stop: ends every connection not seated yet, at once and without a word.
    void closeAll();
    std::size_t waitingCount() const { return m_waiting.size(); }

private:
    struct Entry
    {
        ClientLink* connection;
        Time deadline;
        QByteArray unread; // what it sent so far
        bool leaving = false;
    };
    using Entries = std::list<Entry>;

    void linkReceived(ClientLink& link, QByteArrayView bytes) override;
    void linkEnded(ClientLink& link, bool error) override;
    void onTimer(Time now) override;

    // Seats the waiting connection as `request` says, or turns it away.
    void seat(Entries::iterator entry, const SeatRequest& request, QByteArray unread);
    void forget(Entries& list, Entries::iterator entry);
    void settle();

    RoomDirectory& m_rooms;
    const Clock& m_clock;
    net::Timers* m_timers;
    Duration m_closeGrace;
    // Both in the order of their deadlines, which are all the same distance from when each
    // came in.
    Entries m_waiting;
    Entries m_leaving; // told why, taking their last output
    std::unordered_map<const ClientLink*, Entries::iterator> m_index;
};

} // namespace tamber::server
