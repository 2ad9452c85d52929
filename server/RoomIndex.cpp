#include "RoomIndex.h"

#include "server/RelayLog.h"
#include "server/RoomHost.h"

namespace tamber::server {

namespace {

thread_local RoomIndex* t_index = nullptr;

} // namespace

RoomIndex::RoomIndex(net::WorkerSet& workers, int maxRooms)
    : m_workers(workers), m_maxRooms(maxRooms)
{
    t_index = this;
}

RoomIndex::~RoomIndex()
{
    t_index = nullptr;
}

RoomIndex* RoomIndex::current()
{
    return t_index;
}

std::optional<SeatRefusal> RoomIndex::seat(Arrival arrival, const SeatRequest& request)
{
    auto* connection = dynamic_cast<net::Connection*>(arrival.connection);
    if (!connection) {
        qCWarning(lcRelay) << "A connection of no known kind cannot be seated";
        return SeatRefusal{};
    }
    return seat(*connection, request, arrival.unread, {});
}

std::optional<SeatRefusal> RoomIndex::seat(net::Connection& connection, const SeatRequest& request,
                                           const QByteArray& unread, const QByteArray& raw)
{
    if (!m_open)
        return SeatRefusal{};
    if (!protocol::isRoomName(request.room))
        return SeatRefusal{kBadRoomName};
    SeatRefusal why;
    Entry* entry = placeFor(request.room, &why);
    if (!entry)
        return why;
    std::optional<net::Connection::Parcel> parcel = connection.handOff(raw);
    if (!parcel) {
        forgetIfIdle(roomKey(request.room));
        return SeatRefusal{};
    }
    auto passage = std::make_shared<Passage>();
    passage->parcel = std::move(*parcel);
    passage->arrival.unread = unread;
    ++entry->inFlight;
    RoomHost::post(m_workers, entry->worker,
                   [name = entry->name, asked = request.asked, passage](RoomHost& host) {
                       host.seat(name, asked, passage);
                   });
    return std::nullopt;
}

void RoomIndex::report(const RoomReport& report)
{
    const QByteArray key = roomKey(report.name);
    const auto found = m_entries.find(key);
    if (found == m_entries.end())
        return;
    Entry& entry = found->second;
    entry.inFlight -= report.settled;
    entry.hosted = report.exists;
    entry.players = report.players;
    entry.isPrivate = report.isPrivate;
    forgetIfIdle(key);
}

void RoomIndex::join(const Asker& asker, const QByteArray& address, const QByteArray& name)
{
    SeatRefusal why;
    Entry* entry = m_open ? placeFor(name, &why) : nullptr;
    if (!entry) {
        QList<QByteArray> lines;
        if (!why.line.isEmpty())
            lines << why.line;
        RoomHost::post(m_workers, asker.worker,
                       [asker, lines](RoomHost& host) { host.told(asker, lines); });
        return;
    }
    ++entry->inFlight;
    const QByteArray shown = entry->name;
    if (entry->worker == asker.worker) {
        RoomHost::post(m_workers, entry->worker,
                       [asker, shown](RoomHost& host) { host.moveHere(asker, shown); });
    } else {
        RoomHost::post(m_workers, entry->worker, [asker, shown, address](RoomHost& host) {
            host.reserve(asker, shown, address);
        });
    }
}

void RoomIndex::listRooms(const Asker& asker)
{
    const QList<QByteArray> lines = RoomDirectory::roomsLines(publicRooms());
    RoomHost::post(m_workers, asker.worker,
                   [asker, lines](RoomHost& host) { host.told(asker, lines); });
}

int RoomIndex::workerOf(QByteArrayView name) const
{
    const auto found = m_entries.find(roomKey(name));
    return found == m_entries.end() ? -1 : found->second.worker;
}

QList<RoomListing> RoomIndex::rooms() const
{
    QList<RoomListing> listing;
    for (const auto& [key, entry] : m_entries) {
        if (entry.players != 0)
            listing.append({entry.name, entry.players});
    }
    return listing;
}

QList<RoomListing> RoomIndex::publicRooms() const
{
    QList<RoomListing> listing;
    for (const auto& [key, entry] : m_entries) {
        if (entry.players != 0 && !entry.isPrivate)
            listing.append({entry.name, entry.players});
    }
    return listing;
}

QByteArray RoomIndex::roomsJson() const
{
    return RoomDirectory::roomsJson(publicRooms());
}

RoomIndex::Entry* RoomIndex::placeFor(const QByteArray& name, SeatRefusal* why)
{
    const QByteArray key = roomKey(name);
    if (const auto found = m_entries.find(key); found != m_entries.end())
        return &found->second;
    if (int(m_entries.size()) >= m_maxRooms) {
        qCInfo(lcRelay) << "No room" << name << "made: there are" << m_maxRooms << "rooms";
        why->line = kNoRoomForRoom;
        return nullptr;
    }
    Entry entry;
    // The default room is always "main"; any other keeps its name as first written.
    entry.name = isDefaultRoom(key) ? QByteArray(kDefaultRoom) : name;
    entry.worker = m_workers.place();
    qCDebug(lcRelay) << "Room" << entry.name << "placed on thread" << entry.worker + 1;
    return &m_entries.emplace(key, std::move(entry)).first->second;
}

void RoomIndex::forgetIfIdle(const QByteArray& key)
{
    const auto found = m_entries.find(key);
    if (found == m_entries.end() || found->second.hosted || found->second.inFlight > 0)
        return;
    m_workers.release(found->second.worker);
    m_entries.erase(found);
}

} // namespace tamber::server
