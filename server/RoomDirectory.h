#pragma once

// The rooms of one relay, and the one place that maps their names to them: a room is made when
// its first player is seated and dropped once its last has gone. New players are seated
// through here, and "/join" and "/rooms" from any room come here.
//
// It runs on the relay thread, as do its rooms; the lists it gives (rooms and players) are
// plain values, so they can be handed to other threads as they are.

#include "server/RelayHub.h"
#include "server/Seating.h"

#include <QObject>
#include <map>
#include <memory>
#include <vector>

namespace tamber::server {

namespace net {
class Loop;
}

inline constexpr int kDefaultMaxRooms = 1000;

struct RoomListing
{
    QByteArray name; // as first written
    int players = 0;
};

// Where the rooms of one thread ask about rooms elsewhere, when there are other threads: the
// asking player is held until the answer comes back (RoomHost).
class RoomRouter
{
public:
    // "/join NAME" for a room not on this thread.
    virtual void join(RelayHub& from, int slot, const QByteArray& name) = 0;
    // "/rooms".
    virtual void listRooms(RelayHub& from, int slot) = 0;

protected:
    ~RoomRouter() = default;
};

class RoomDirectory : public QObject, public Seating, private RoomCommands
{
    Q_OBJECT

public:
    // Rooms let go are deleted at the end of `loop`'s turn; without a loop (tests), when the
    // directory is.
    RoomDirectory(const RelayLimits& limits, const Clock& clock, net::Timers* timers,
                  net::Loop* loop, int maxRooms = kDefaultMaxRooms);
    ~RoomDirectory() override;

    void open();
    // Stop: closes every seat in every room without telling anyone; allClosed() follows
    // once the last connection still taking its output has gone.
    void closeAll();
    bool isOpen() const { return m_open; }
    bool isClosing() const;

    using Refusal = SeatRefusal;
    std::optional<Refusal> seat(Arrival arrival, const SeatRequest& request) override;
    // Rooms not found here are asked of `router` (nullptr: every room is here).
    void setRouter(RoomRouter* router) { m_router = router; }

    struct Made
    {
        RelayHub* room = nullptr;
        std::optional<Refusal> refusal;
    };
    // The room of that name, made if need be, or why there is none.
    Made roomFor(const QByteArray& name);
    // Slot's player moves to room `name`, unless refused (told why, it stays); a room that is
    // not here is asked of the router, unless it was placed here.
    void move(RelayHub& from, int slot, const QByteArray& name, bool placedHere = false);
    // The room goes if nobody is in it, nor on the way to it.
    void dropIfEmpty(RelayHub& room);

    // The room of that name, if it has players.
    RelayHub* find(QByteArrayView name) const;
    // Every room, in name order (folded); public() those "/rooms" and the lobby show.
    QList<RoomListing> rooms() const;
    QList<RoomListing> publicRooms() const;
    int playerCount() const;
    // The lobby's list: [{"name":"jazz","players":3,"seats":8}].
    QByteArray roomsJson() const { return roomsJson(publicRooms()); }
    static QByteArray roomsJson(const QList<RoomListing>& rooms);
    // What "/rooms" tells.
    static QList<QByteArray> roomsLines(const QList<RoomListing>& rooms);

signals:
    // The room's slot list changed (the room may be dropped right after, once empty).
    void listChanged(const RelayHub& room);
    void listingChanged(const RelayHub& room);
    // The room was let go (its name as first written).
    void dropped(const QByteArray& name);
    void allClosed();

private:
    void roomCommand(RelayHub& room, int slot, const QByteArray& text) override;
    void onClosed();

    RelayLimits m_limits;
    const Clock& m_clock;
    net::Timers* m_timers;
    net::Loop* m_loop;
    int m_maxRooms;
    bool m_open = false;
    RoomRouter* m_router = nullptr;
    std::map<QByteArray, std::unique_ptr<RelayHub>> m_rooms; // by roomKey()
    std::vector<std::unique_ptr<RelayHub>> m_dropped;        // without a loop to delete them
};

} // namespace tamber::server
