#pragma once

// The rooms of one relay, and the one place that maps their names to them: a room is made when
// its first player is seated and dropped once its last has gone. New players are seated
// through here, and "/join" and "/rooms" from any room come here.
//
// It runs on the relay thread, as do its rooms; the lists it gives (rooms and players) are
// plain values, so they can be handed to other threads as they are.

#include "server/RelayHub.h"

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

class RoomDirectory : public QObject, private RoomCommands
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

    // Why a new player got no seat: `line` told to it (then "Farewell"), or nothing at all
    // for the ninth player of the default room who did not name it.
    struct Refusal
    {
        QByteArray line;
    };
    // Seats a new player in `request.room` with what it sent before; a refused connection
    // stays the caller's.
    std::optional<Refusal> seat(Arrival arrival, const SeatRequest& request);

    // The room of that name, if it has players.
    RelayHub* find(QByteArrayView name) const;
    // Every room, in name order (folded); public() those "/rooms" and the lobby show.
    QList<RoomListing> rooms() const;
    QList<RoomListing> publicRooms() const;
    int playerCount() const;
    // The lobby's list: [{"name":"jazz","players":3,"seats":8}].
    QByteArray roomsJson() const;

signals:
    // The room's slot list changed (the room may be dropped right after, once empty).
    void listChanged(const RelayHub& room);
    void allClosed();

private:
    struct Made
    {
        RelayHub* room = nullptr;
        std::optional<Refusal> refusal;
    };

    void roomCommand(RelayHub& room, int slot, const QByteArray& text) override;
    void move(RelayHub& from, int slot, const QByteArray& name);
    // The room of that name, made if need be, or why there is none.
    Made roomFor(const QByteArray& name);
    // A room that has nobody left, and no connection taking its last output, goes.
    void dropIfEmpty(RelayHub& room);
    void onClosed();

    RelayLimits m_limits;
    const Clock& m_clock;
    net::Timers* m_timers;
    net::Loop* m_loop;
    int m_maxRooms;
    bool m_open = false;
    std::map<QByteArray, std::unique_ptr<RelayHub>> m_rooms; // by roomKey()
    std::vector<std::unique_ptr<RelayHub>> m_dropped;        // without a loop to delete them
};

} // namespace tamber::server
