#include "RoomHost.h"

#include "server/Farewell.h"
#include "server/RelayLog.h"
#include "server/RoomIndex.h"

namespace tamber::server {

namespace {

thread_local RoomHost* t_host = nullptr;

} // namespace

RoomHost::RoomHost(int index, net::Loop& loop, net::WorkerSet& workers, net::Loop& relay,
                   const RelayLimits& limits)
    : m_index(index), m_loop(loop), m_workers(workers), m_relay(relay),
      m_rooms(limits, loop.clock(), &loop.timers(), &loop)
{
    t_host = this;
    m_rooms.setRouter(this);
    connect(&m_rooms, &RoomDirectory::listChanged, this, [this](const RelayHub& room) {
        if (m_listListener)
            m_listListener(room.room().name, room.playerCount(),
                           room.listLines(HighBytes::Windows1252),
                           room.listLines(HighBytes::Latin1));
        report(room.room().name, 0);
    });
    connect(&m_rooms, &RoomDirectory::listingChanged, this,
            [this](const RelayHub& room) { report(room.room().name, 0); });
    connect(&m_rooms, &RoomDirectory::dropped, this,
            [this](const QByteArray& name) { report(name, 0); });
}

RoomHost::~RoomHost()
{
    t_host = nullptr;
}

RoomHost* RoomHost::current()
{
    return t_host;
}

template <typename F> void RoomHost::toIndex(F work)
{
    m_relay.post([work] {
        if (RoomIndex* index = RoomIndex::current())
            work(*index);
    });
}

void RoomHost::seat(const QByteArray& name, bool asked, const std::shared_ptr<Passage>& passage)
{
    if (net::Connection* connection = net::Connection::takeIn(m_loop, passage->parcel)) {
        Arrival arrival = std::move(passage->arrival);
        arrival.connection = connection;
        const auto refusal = m_rooms.seat(std::move(arrival), {name, asked});
        if (!refusal) {
            // Bytes it sent behind its request, still in their framing.
            connection->receive(passage->parcel.input);
        } else if (refusal->line.isEmpty()) {
            qCInfo(lcRelay) << "Turned away" << connection->peerAddress().toString()
                            << "- every place is taken";
            // A browser has its handshake's answer queued: it hears that, then the close.
            if (connection->framing())
                connection->closeAndLetGo();
            else
                connection->abort();
        } else {
            qCInfo(lcRelay) << "Turned away" << connection->peerAddress().toString() << "-"
                            << refusal->line;
            connection->write(farewell(refusal->line));
            connection->closeAndLetGo();
        }
    }
    tidy(name);
    report(name, 1);
}

void RoomHost::moveHere(const Asker& asker, const QByteArray& name)
{
    if (RelayHub* from = askerRoom(asker)) {
        m_rooms.move(*from, asker.slot, name, true);
        // Refused, it stays and goes on.
        if (from->seatSerial(asker.slot) == asker.serial)
            from->release(asker.slot);
    }
    tidy(name);
    report(name, 1);
}

void RoomHost::reserve(const Asker& asker, const QByteArray& name, const QByteArray& address)
{
    const RoomDirectory::Made made = m_rooms.roomFor(name);
    std::optional<QByteArray> refusal;
    if (!made.room)
        refusal = made.refusal->line;
    else if (const auto refused = made.room->joinRefusal(address))
        refusal = refused;
    else if (!made.room->hasFreeSlot())
        refusal = roomFullLine(made.room->room().name);
    else
        made.room->reserve();
    const int here = m_index;
    post(m_workers, asker.worker, [asker, here, name, refusal](RoomHost& host) {
        host.reserved(asker, here, name, refusal);
    });
    tidy(name);
    report(name, 1);
}

void RoomHost::told(const Asker& asker, const QList<QByteArray>& lines)
{
    if (RelayHub* from = askerRoom(asker)) {
        if (!lines.isEmpty())
            from->tell(asker.slot, lines);
        from->release(asker.slot);
    }
}

void RoomHost::reserved(const Asker& asker, int worker, const QByteArray& name,
                        const std::optional<QByteArray>& refusal)
{
    RelayHub* from = askerRoom(asker);
    if (refusal) {
        told(asker, {*refusal});
        return;
    }
    const auto cancel = [&] {
        post(m_workers, worker, [name](RoomHost& host) { host.cancel(name); });
    };
    if (!from) {
        cancel();
        return;
    }
    qCDebug(lcRelay) << "Place" << asker.slot << "of room" << from->room().name << "moves to room"
                     << name << "on thread" << worker + 1;
    auto passage = std::make_shared<Passage>();
    passage->arrival = from->leave(asker.slot);
    ClientLink* link = std::exchange(passage->arrival.connection, nullptr);
    auto* connection = dynamic_cast<net::Connection*>(link);
    std::optional<net::Connection::Parcel> parcel;
    if (connection)
        parcel = connection->handOff({});
    if (!parcel) {
        // Ending already: it leaves the room it was in, and goes nowhere.
        link->abort();
        cancel();
        return;
    }
    passage->parcel = std::move(*parcel);
    post(m_workers, worker, [name, passage](RoomHost& host) { host.arrive(name, passage); });
}

void RoomHost::arrive(const QByteArray& name, const std::shared_ptr<Passage>& passage)
{
    RelayHub* room = m_rooms.find(name);
    if (room)
        room->unreserve();
    if (net::Connection* connection = net::Connection::takeIn(m_loop, passage->parcel)) {
        if (room) {
            Arrival arrival = std::move(passage->arrival);
            arrival.connection = connection;
            room->adopt(std::move(arrival));
        } else {
            connection->abort();
        }
    }
    tidy(name);
}

void RoomHost::cancel(const QByteArray& name)
{
    if (RelayHub* room = m_rooms.find(name))
        room->unreserve();
    tidy(name);
}

void RoomHost::join(RelayHub& from, int slot, const QByteArray& name)
{
    from.hold(slot);
    toIndex([asker = asker(from, slot), address = from.addressOf(slot), name](RoomIndex& index) {
        index.join(asker, address, name);
    });
}

void RoomHost::listRooms(RelayHub& from, int slot)
{
    from.hold(slot);
    toIndex([asker = asker(from, slot)](RoomIndex& index) { index.listRooms(asker); });
}

Asker RoomHost::asker(const RelayHub& from, int slot) const
{
    return {m_index, from.room().name, slot, from.seatSerial(slot)};
}

RelayHub* RoomHost::askerRoom(const Asker& asker) const
{
    RelayHub* room = m_rooms.find(asker.room);
    return room && room->seatSerial(asker.slot) == asker.serial ? room : nullptr;
}

void RoomHost::report(const QByteArray& name, int settled)
{
    RoomReport report;
    report.name = name;
    report.settled = settled;
    if (const RelayHub* room = m_rooms.find(name)) {
        report.exists = true;
        report.players = room->playerCount();
        report.isPrivate = room->rules().isPrivate();
    }
    toIndex([report](RoomIndex& index) { index.report(report); });
}

void RoomHost::tidy(const QByteArray& name)
{
    if (RelayHub* room = m_rooms.find(name))
        m_rooms.dropIfEmpty(*room);
}

} // namespace tamber::server
