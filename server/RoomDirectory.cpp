#include "RoomDirectory.h"

#include "server/RelayLog.h"
#include "server/net/Loop.h"

namespace tamber::server {

RoomDirectory::RoomDirectory(const RelayLimits& limits, const Clock& clock, net::Timers* timers,
                             net::Loop* loop, int maxRooms)
    : m_limits(limits), m_clock(clock), m_timers(timers), m_loop(loop), m_maxRooms(maxRooms)
{
}

RoomDirectory::~RoomDirectory()
{
    // Each room ends its connections at once; none reports back here any more.
    for (auto& [key, room] : m_rooms)
        room->disconnect(this);
}

void RoomDirectory::open()
{
    m_open = true;
    // Rooms still seeing their last connections out after a Stop take players again.
    for (const auto& [key, room] : m_rooms)
        room->open();
}

void RoomDirectory::closeAll()
{
    m_open = false;
    // Each room goes once its connections have taken their last output.
    std::vector<RelayHub*> rooms;
    for (const auto& [key, room] : m_rooms)
        rooms.push_back(room.get());
    for (RelayHub* room : rooms)
        room->closeAll();
}

bool RoomDirectory::isClosing() const
{
    for (const auto& [key, room] : m_rooms) {
        if (room->isClosing())
            return true;
    }
    return false;
}

std::optional<RoomDirectory::Refusal> RoomDirectory::seat(Arrival arrival,
                                                          const SeatRequest& request)
{
    if (!m_open)
        return Refusal{};
    if (!protocol::isRoomName(request.room))
        return Refusal{kBadRoomName};
    RelayHub* existing = find(request.room);
    if (existing) {
        // Locked, or the owner banned this address.
        const QByteArray address = RelayHub::shownAddress(arrival.connection->peerAddress());
        if (auto refusal = existing->joinRefusal(address))
            return Refusal{*refusal};
    }
    if (existing && !existing->hasFreeSlot()) {
        // The default room's ninth player who asked for nothing is closed without a byte, as
        // it always was.
        if (!request.asked)
            return Refusal{};
        return Refusal{roomFullLine(existing->room().name)};
    }
    const Made made = roomFor(request.room);
    if (!made.room)
        return made.refusal;
    made.room->adopt(std::move(arrival));
    return std::nullopt;
}

RelayHub* RoomDirectory::find(QByteArrayView name) const
{
    const auto found = m_rooms.find(roomKey(name));
    return found == m_rooms.end() ? nullptr : found->second.get();
}

QList<RoomListing> RoomDirectory::rooms() const
{
    QList<RoomListing> listing;
    for (const auto& [key, room] : m_rooms) {
        if (const int players = room->playerCount())
            listing.append({room->room().name, players});
    }
    return listing;
}

QList<RoomListing> RoomDirectory::publicRooms() const
{
    QList<RoomListing> listing;
    for (const auto& [key, room] : m_rooms) {
        const int players = room->playerCount();
        if (players != 0 && !room->rules().isPrivate())
            listing.append({room->room().name, players});
    }
    return listing;
}

int RoomDirectory::playerCount() const
{
    int players = 0;
    for (const auto& [key, room] : m_rooms)
        players += room->playerCount();
    return players;
}

QByteArray RoomDirectory::roomsJson() const
{
    // Room names are letters, digits, '-' and '_': nothing to escape.
    QByteArray json = "[";
    for (const RoomListing& room : publicRooms()) {
        if (json.size() > 1)
            json += ',';
        json += "{\"name\":\"" + room.name + "\",\"players\":" + QByteArray::number(room.players) +
                ",\"seats\":" + QByteArray::number(kSeatsPerRoom) + '}';
    }
    return json + "]";
}

void RoomDirectory::roomCommand(RelayHub& room, int slot, const QByteArray& text)
{
    if (const auto name = commandRest(text, "join")) {
        move(room, slot, *name);
        return;
    }
    if (const auto rest = commandRest(text, "rooms"); rest && rest->trimmed().isEmpty()) {
        QList<QByteArray> lines;
        for (const RoomListing& listed : publicRooms())
            lines.append(roomsLine(listed.name, listed.players));
        room.tell(slot, lines.isEmpty() ? QList<QByteArray>{kNoRoomsOpen} : lines);
    }
}

void RoomDirectory::move(RelayHub& from, int slot, const QByteArray& name)
{
    if (!protocol::isRoomName(name)) {
        from.tell(slot, {kBadRoomName});
        return;
    }
    if (roomKey(name) == roomKey(from.room().name)) {
        from.tell(slot, {"You are in room " + from.room().name + " already."});
        return;
    }
    if (RelayHub* existing = find(name)) {
        // A player refused stays where it is.
        if (auto refusal = existing->joinRefusal(from.addressOf(slot))) {
            from.tell(slot, {*refusal});
            return;
        }
        if (!existing->hasFreeSlot()) {
            from.tell(slot, {roomFullLine(existing->room().name)});
            return;
        }
    }
    const Made made = roomFor(name);
    if (!made.room) {
        from.tell(slot, {made.refusal->line});
        return;
    }
    qCDebug(lcRelay) << "Place" << slot << "of room" << from.room().name << "moves to room"
                     << made.room->room().name;
    made.room->adopt(from.leave(slot));
}

RoomDirectory::Made RoomDirectory::roomFor(const QByteArray& name)
{
    const QByteArray key = roomKey(name);
    if (RelayHub* existing = find(key))
        return {existing, std::nullopt};
    if (int(m_rooms.size()) >= m_maxRooms) {
        qCInfo(lcRelay) << "No room" << name << "made: there are" << m_maxRooms << "rooms";
        return {nullptr, Refusal{kNoRoomForRoom}};
    }
    // The default room is always "main"; any other keeps its name as first written.
    const QByteArray shown = isDefaultRoom(key) ? QByteArray(kDefaultRoom) : name;
    auto made = std::make_unique<RelayHub>(m_limits, m_clock, m_timers, shown);
    RelayHub* room = made.get();
    room->setCommands(this);
    room->open();
    connect(room, &RelayHub::listChanged, this, [this, room] {
        emit listChanged(*room);
        dropIfEmpty(*room);
    });
    connect(room, &RelayHub::allClosed, this, [this, room] {
        dropIfEmpty(*room);
        onClosed();
    });
    m_rooms.emplace(key, std::move(made));
    qCDebug(lcRelay) << "Room" << shown << "made";
    return {room, std::nullopt};
}

void RoomDirectory::dropIfEmpty(RelayHub& room)
{
    if (room.playerCount() != 0 || room.isClosing())
        return;
    const auto found = m_rooms.find(roomKey(room.room().name));
    if (found == m_rooms.end() || found->second.get() != &room)
        return;
    qCDebug(lcRelay) << "Room" << room.room().name << "emptied";
    room.disconnect(this);
    std::unique_ptr<RelayHub> dropped = std::move(found->second);
    m_rooms.erase(found);
    // It may be the room whose call brought us here: deleted once that call is done.
    if (m_loop)
        m_loop->dispose(m_loop->own(std::move(dropped)));
    else
        m_dropped.push_back(std::move(dropped));
}

void RoomDirectory::onClosed()
{
    if (!isClosing())
        emit allClosed();
}

} // namespace tamber::server
