#include "Rooms.h"

namespace tamber::server {

QByteArray roomKey(QByteArrayView name)
{
    // Names are ASCII letters, digits, '-' and '_'; no locale takes part.
    QByteArray key = name.toByteArray();
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return key;
}

bool isDefaultRoom(QByteArrayView name)
{
    return roomKey(name) == kDefaultRoom;
}

std::optional<QByteArray> commandRest(const QByteArray& text, QByteArrayView word)
{
    if (!text.startsWith('/'))
        return std::nullopt;
    const qsizetype space = text.indexOf(' ');
    const QByteArray command = space < 0 ? text.mid(1) : text.mid(1, space - 1);
    if (roomKey(command) != roomKey(word))
        return std::nullopt;
    return space < 0 ? QByteArray() : text.mid(space + 1);
}

SeatRequest seatRequest(const std::optional<QByteArray>& firstMessage)
{
    if (!firstMessage || firstMessage->size() > protocol::kMaxClientMessage)
        return {};
    const auto decoded = protocol::decodeClientMessage(*firstMessage);
    const auto* chat = decoded ? std::get_if<protocol::ChatRequest>(&*decoded) : nullptr;
    if (!chat)
        return {};
    const auto room = commandRest(chat->text, "join");
    if (!room)
        return {};
    return {*room, true};
}

QByteArray welcomeLine(const QByteArray& room)
{
    if (isDefaultRoom(room))
        return "Welcome to Corvent!";
    return "Welcome to Corvent! This is room " + room + '.';
}

QByteArray roomFullLine(const QByteArray& room)
{
    return "Room " + room + " is full.";
}

QByteArray roomsLine(const QByteArray& room, int players)
{
    return room + ": " + QByteArray::number(players) + " of " + QByteArray::number(kSeatsPerRoom) +
           " seats taken";
}

} // namespace tamber::server
