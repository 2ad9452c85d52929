#pragma once

// The rooms of one worker thread. They are found and made here as on a single thread; what
// concerns other threads goes through queued calls carrying plain values: new players come
// from the accepting thread's RoomIndex with their sockets, a "/join" for a room elsewhere or
// a "/rooms" is asked of the index, and a player moving to a room on another thread leaves
// only once that room has reserved its seat. Every change of a room is reported to the index.
//
// A host is found on its thread by current(); a call that arrives once it is gone does nothing
// (a socket it carried is closed).

#include "server/RoomDirectory.h"
#include "server/net/Connection.h"
#include "server/net/WorkerSet.h"

#include <functional>
#include <memory>

namespace tamber::server {

class RoomIndex;

// A player's way to another thread: its socket and unsent output, and what it sent that no
// room has handled yet.
struct Passage
{
    net::Connection::Parcel parcel;
    Arrival arrival; // without its connection
};

// Who asked the index, so that the answer finds that player and nobody else.
struct Asker
{
    int worker = 0;
    QByteArray room;
    int slot = 0;
    quint64 serial = 0;
};

class RoomHost : public QObject, private RoomRouter
{
    Q_OBJECT

public:
    // Made and deleted on worker `index`'s thread, whose loop is `loop`; `relay` is the
    // accepting thread's loop.
    RoomHost(int index, net::Loop& loop, net::WorkerSet& workers, net::Loop& relay,
             const RelayLimits& limits);
    ~RoomHost() override;

    // The host of the thread this runs on, if any.
    static RoomHost* current();
    // Runs `work` with worker `worker`'s host, on its thread, later.
    template <typename F> static void post(net::WorkerSet& workers, int worker, F work)
    {
        workers.at(worker).post([work] {
            if (RoomHost* host = current())
                work(*host);
        });
    }

    RoomDirectory& rooms() { return m_rooms; }
    // Told every rebuilt slot list of a room here, with its players, on this thread.
    using ListListener = std::function<void(const QByteArray& room, int players,
                                            const QList<QByteArray>& windowLines,
                                            const QList<QByteArray>& terminalLines)>;
    void setListListener(ListListener listener) { m_listListener = std::move(listener); }

    // From the index: a new player for room `name`, placed here.
    void seat(const QByteArray& name, bool asked, const std::shared_ptr<Passage>& passage);
    // From the index: the asker moves to room `name`, which is (or is to be) here.
    void moveHere(const Asker& asker, const QByteArray& name);
    // From the index: holds a seat in room `name` (made if need be) for the asker, from
    // `address`, on another thread, or tells it why not.
    void reserve(const Asker& asker, const QByteArray& name, const QByteArray& address);
    // To the asker: lines to tell (perhaps none), and it goes on.
    void told(const Asker& asker, const QList<QByteArray>& lines);
    // To the asker: room `name` on worker `worker` holds its seat (or refused, and why).
    void reserved(const Asker& asker, int worker, const QByteArray& name,
                  const std::optional<QByteArray>& refusal);
    // The player a seat was reserved for arrives, or never will.
    void arrive(const QByteArray& name, const std::shared_ptr<Passage>& passage);
    void cancel(const QByteArray& name);

private:
    void join(RelayHub& from, int slot, const QByteArray& name) override;
    void listRooms(RelayHub& from, int slot) override;
    Asker asker(const RelayHub& from, int slot) const;
    // The asker's room, if the player still sits there.
    RelayHub* askerRoom(const Asker& asker) const;
    // Tells the index how the room is now; `settled`: the index's requests it answers.
    void report(const QByteArray& name, int settled);
    void tidy(const QByteArray& name);
    template <typename F> void toIndex(F work);

    int m_index;
    net::Loop& m_loop;
    net::WorkerSet& m_workers;
    net::Loop& m_relay;
    RoomDirectory m_rooms;
    ListListener m_listListener;
};

} // namespace tamber::server
