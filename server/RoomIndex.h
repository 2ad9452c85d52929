#pragma once

// Where every room lives when rooms are spread over worker threads: on the accepting thread,
// a room's name maps to its worker and to what the room last reported (players, listing, its
// slot list). New players are placed from here: a room not yet open is put on the worker
// holding the fewest rooms, and the connection is handed to that worker with what it sent,
// where the room seats it or turns it away. "/join" and "/rooms" from a room on any worker are
// answered here, and the lists ("/rooms", /rooms.json) come from the rooms' reports, so no room
// is ever waited for.
//
// A room's entry stays while its worker holds the room or a request for it is on its way
// there; the worker's reports settle them in order.

#include "server/RoomDirectory.h"
#include "server/net/Connection.h"
#include "server/net/WorkerSet.h"

#include <QObject>
#include <map>

namespace tamber::server {

struct Asker;

// How a room is now, from its worker.
struct RoomReport
{
    QByteArray name;
    int players = 0;
    bool isPrivate = false;
    bool exists = false;
    int settled = 0;               // the index's requests answered with this report
    QList<QByteArray> windowLines; // the slot list, when it changed
    QList<QByteArray> terminalLines;
};

class RoomIndex : public QObject, public Seating
{
    Q_OBJECT

public:
    // Made and deleted on the accepting thread.
    RoomIndex(net::WorkerSet& workers, int maxRooms = kDefaultMaxRooms);
    ~RoomIndex() override;

    // The index of the thread this runs on, if any.
    static RoomIndex* current();

    void open() { m_open = true; }
    void close() { m_open = false; }

    // A new TCP player (a net::Connection) with the protocol bytes it sent after its request.
    std::optional<SeatRefusal> seat(Arrival arrival, const SeatRequest& request) override;
    // A new player on `connection`: `unread` protocol bytes, `raw` bytes still in its framing.
    std::optional<SeatRefusal> seat(net::Connection& connection, const SeatRequest& request,
                                    const QByteArray& unread, const QByteArray& raw);

    // From the workers.
    void report(const RoomReport& report);
    void join(const Asker& asker, const QByteArray& address, const QByteArray& name);
    void listRooms(const Asker& asker);

    // The worker room `name` is on, or -1.
    int workerOf(QByteArrayView name) const;
    QList<RoomListing> rooms() const;
    QList<RoomListing> publicRooms() const;
    QByteArray roomsJson() const;

private:
    struct Entry
    {
        QByteArray name; // as first written
        int worker = 0;
        int players = 0;
        bool isPrivate = false;
        bool hosted = false; // the worker holds the room
        int inFlight = 0;    // requests on their way to the worker
    };

    // The room's entry, placed on a worker if new, or why there is none.
    Entry* placeFor(const QByteArray& name, SeatRefusal* why);
    void forgetIfIdle(const QByteArray& key);

    net::WorkerSet& m_workers;
    int m_maxRooms;
    bool m_open = false;
    std::map<QByteArray, Entry> m_entries; // by roomKey()
};

} // namespace tamber::server
