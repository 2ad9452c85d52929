#pragma once

// Where a new player is seated: the rooms themselves (RoomDirectory, on their own thread) or
// the index of rooms spread over several threads (RoomIndex), which sends the player to the
// thread its room lives on.

#include "server/RelayHub.h"
#include "server/Rooms.h"

#include <optional>

namespace tamber::server {

// Why a new player got no seat: `line` told to it (then "Farewell"), or nothing at all for the
// ninth player of the default room who did not name it.
struct SeatRefusal
{
    QByteArray line;
};

class Seating
{
public:
    // Seats a new player in `request.room` with what it sent before; a refused connection
    // stays the caller's.
    virtual std::optional<SeatRefusal> seat(Arrival arrival, const SeatRequest& request) = 0;

protected:
    ~Seating() = default;
};

} // namespace tamber::server
