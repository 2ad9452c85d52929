#pragma once

// What every room shares: the default room's name, how a name is matched, the chat commands
// that pick or list rooms, and the lines that refuse a room. Plain functions, so the choice of
// a room is tested without a socket.

#include "common/protocol/Codec.h"
#include "common/protocol/Messages.h"

#include <QByteArray>
#include <optional>

namespace tamber::server {

// The room of a player who asks for none.
inline constexpr char kDefaultRoom[] = "main";
inline constexpr int kSeatsPerRoom = 8;

// The key a room is found by: names match without regard to case.
QByteArray roomKey(QByteArrayView name);
bool isDefaultRoom(QByteArrayView name);

// The rest of a chat text that is the slash command `word` (in any case), as "/word" alone
// (an empty rest) or "/word rest"; nullopt for any other text.
std::optional<QByteArray> commandRest(const QByteArray& text, QByteArrayView word);

// What a connection asks for by its first complete message (without its SOH), or by sending
// nothing at all: a "/join NAME" chat text asks for room NAME (a name perhaps not valid);
// anything else is a player for the default room whose message is handled there as usual.
struct SeatRequest
{
    QByteArray room = kDefaultRoom;
    bool asked = false; // named by the player: a refusal is then told, not silent
};
SeatRequest seatRequest(const std::optional<QByteArray>& firstMessage);

QByteArray welcomeLine(const QByteArray& room);
QByteArray roomFullLine(const QByteArray& room);
inline constexpr char kBadRoomName[] = "A room name is 1 to 24 letters, digits, - or _.";
inline constexpr char kNoRoomForRoom[] = "The server has no room for another room.";
inline constexpr char kNoRoomsOpen[] = "No rooms are open.";

// One line of "/rooms": "jazz: 3 of 8 seats taken".
QByteArray roomsLine(const QByteArray& room, int players);

} // namespace tamber::server
