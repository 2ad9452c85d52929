#include "RelayCore.h"

#include "server/RelayLog.h"

#include <algorithm>
#include <limits>

namespace tamber::server {

namespace msg = protocol;

namespace {

// The most a room keeps of its notes' buffer between batches.
constexpr qsizetype kFanoutKept = 16 * 1024;

} // namespace

std::optional<QByteArray> nameCommandRest(const QByteArray& text)
{
    if (!text.startsWith('/'))
        return std::nullopt;
    const qsizetype space = text.indexOf(' ');
    if (space < 0 || text.left(space).toLower() != "/name")
        return std::nullopt;
    return text.mid(space + 1);
}

int RelayCore::firstFreeSlot() const
{
    for (int n = 1; n <= kSlotCount; ++n) {
        if (!m_host.isConnected(n))
            return n;
    }
    return 0;
}

void RelayCore::accepted(int n)
{
    UserSlot& slot = Users[n - 1];
    // Never seated under a name someone present goes by.
    slot.Name =
        uniqueName(defaultName(n), [&](const QByteArray& name) { return nameInUse(n, name); });
    slot.Reserved = 0;
    // A previous client's half message must not prefix this client's first data.
    slot.Pending.clear();

    SendToUser(n, encode(msg::UserIdMessage{slot.Name, n}));
    SendToUser(n, encode(msg::ChatLine{welcomeLine(m_room.name)}));
    SendToUser(n, encode(msg::RoomInfoMessage{m_room.name, m_room.owner, m_room.locked}));
    for (int m = 1; m <= kSlotCount; ++m) {
        if (m_host.isConnected(m))
            SendToAll(encode(msg::UserNameMessage{m, Users[m - 1].Name}));
    }
    m_host.refreshList();
    settleDepartures();
}

void RelayCore::received(int n, QByteArrayView bytes)
{
    cut(n, bytes, [&](QByteArrayView message) {
        // The sender itself may have been closed by a send of an earlier message.
        if (!m_host.isConnected(n))
            return false;
        if (const auto decoded = decode(message))
            handle(n, *decoded);
        return true;
    });
    flush();
}

std::optional<protocol::ClientMessageView> RelayCore::decode(QByteArrayView message)
{
    if (message.isEmpty() || message.size() > protocol::kMaxClientMessage)
        return std::nullopt;
    return msg::decodeClientView(message);
}

void RelayCore::handle(int n, const protocol::ClientMessageView& message)
{
    if (message.kind != msg::ClientMessageView::Kind::Chat) {
        relay(n, message);
        return;
    }
    HandleChatText(n, message.first.toByteArray());
    settleDepartures();
}

void RelayCore::flush()
{
    sendFanout();
    settleDepartures();
}

void RelayCore::relay(int n, const protocol::ClientMessageView& message)
{
    const qsizetype before = m_fanout.size();
    if (before == 0) {
        m_fanoutRoom = std::numeric_limits<qint64>::max();
        for (int m = 1; m <= kSlotCount; ++m) {
            if (m_host.isConnected(m))
                m_fanoutRoom = std::min(m_fanoutRoom, m_host.room(m));
        }
    }
    msg::appendRelayed(m_fanout, message, n);
    if (m_fanout.size() <= m_fanoutRoom)
        return;
    broadcast(QByteArrayView(m_fanout).first(before));
    broadcast(QByteArrayView(m_fanout).sliced(before));
    m_fanout.resize(0);
    // Those it cut are announced before the next message, as always.
    settleDepartures();
}

void RelayCore::sendFanout()
{
    if (m_fanout.isEmpty())
        return;
    broadcast(m_fanout);
    // A flood's batch may be large; a room that plays on keeps a small one.
    if (m_fanout.capacity() > kFanoutKept)
        m_fanout = QByteArray();
    else
        m_fanout.resize(0);
}

void RelayCore::departed(int n)
{
    SendToAll(encode(msg::UserNameMessage{n, "-"}));
    CloseSlot(n);
    settleDepartures();
}

void RelayCore::SendToUser(int n, QByteArrayView message)
{
    sendFanout();
    deliver(n, message);
}

void RelayCore::SendToAll(QByteArrayView message)
{
    sendFanout();
    broadcast(message);
}

void RelayCore::deliver(int n, QByteArrayView message)
{
    if (!m_host.isConnected(n) || message.isEmpty())
        return;
    if (!m_host.send(n, message)) {
        // A client that does not read may not make the server buffer without limit; it is
        // closed at once and announced once the current step is done.
        qCInfo(lcRelay) << "Place" << n << "cut off: it stopped reading what it was sent";
        m_host.close(n, true);
        m_overflowed.append(n);
    }
}

void RelayCore::broadcast(QByteArrayView message)
{
    for (int n = 1; n <= kSlotCount; ++n)
        deliver(n, message);
}

void RelayCore::CloseSlot(int n)
{
    m_host.close(n, false);
    m_host.refreshList();
}

void RelayCore::HandleClientMessage(int n, const QByteArray& message)
{
    if (const auto decoded = msg::decodeClientView(message))
        handle(n, *decoded);
    flush();
}

void RelayCore::HandleChatText(int n, const QByteArray& text)
{
    if (text.isEmpty() || text.size() > kMaxChatText)
        return;
    UserSlot& slot = Users[n - 1];
    if (!text.startsWith('/')) {
        SendToAll(encode(msg::ChatLine{slot.Name + ": " + text}));
        return;
    }
    // Slash text is a command and never relayed; the room's host takes all but "/name".
    const auto rest = nameCommandRest(text);
    if (!rest) {
        m_host.command(n, text);
        return;
    }
    if (const char* refusal = nameRefusal(n, *rest)) {
        SendToUser(n, encode(msg::ChatLine{refusal}));
        return;
    }
    slot.Name = *rest;
    SendToAll(encode(msg::UserNameMessage{n, slot.Name}));
    m_host.refreshList();
}

void RelayCore::tell(int n, const QList<QByteArray>& lines)
{
    for (const QByteArray& line : lines)
        SendToUser(n, encode(msg::ChatLine{line}));
    settleDepartures();
}

void RelayCore::tellAll(const QList<QByteArray>& lines)
{
    for (const QByteArray& line : lines)
        SendToAll(encode(msg::ChatLine{line}));
    settleDepartures();
}

void RelayCore::setRoom(const RoomState& room)
{
    const bool changed =
        room.name != m_room.name || room.owner != m_room.owner || room.locked != m_room.locked;
    m_room = room;
    if (changed)
        SendToAll(encode(msg::RoomInfoMessage{m_room.name, m_room.owner, m_room.locked}));
    settleDepartures();
}

const char* RelayCore::nameRefusal(int n, const QByteArray& name) const
{
    switch (nameFault(name)) {
    case NameFault::Control:
        return "A name may not hold control characters.";
    case NameFault::Blank:
        return "A name may not begin or end with a blank.";
    case NameFault::Empty:
        return "A name may not be empty.";
    case NameFault::TooLong:
        return "A name is at most 10 characters.";
    case NameFault::None:
        break;
    }
    // Every piano shows "-" as an empty seat.
    if (name == "-")
        return "That name marks an empty seat.";
    const int seat = defaultSeatOf(name);
    if (seat != 0 && seat != n)
        return "That name is kept for its seat.";
    if (nameInUse(n, name))
        return "That name is taken.";
    return nullptr;
}

bool RelayCore::nameInUse(int n, const QByteArray& name) const
{
    for (int m = 1; m <= kSlotCount; ++m) {
        if (m != n && m_host.isConnected(m) && sameName(name, Users[m - 1].Name))
            return true;
    }
    return false;
}

void RelayCore::settleDepartures()
{
    while (!m_overflowed.isEmpty()) {
        const int n = m_overflowed.takeFirst();
        SendToAll(encode(msg::UserNameMessage{n, "-"}));
        m_host.refreshList();
    }
}

} // namespace tamber::server
