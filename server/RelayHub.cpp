#include "RelayHub.h"

#include "RelayLog.h"
#include "server/Farewell.h"

namespace tamber::server {

namespace {

// A paced client is read on in batches, not one message per wake-up.
constexpr Duration kMinPause = std::chrono::milliseconds(10);

} // namespace

QByteArray RelayHub::shownAddress(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return (isV4 ? QHostAddress(v4).toString() : address.toString()).toLatin1();
}

RelayHub::RelayHub(const RelayLimits& limits, const Clock& clock, net::Timers* timers,
                   const QByteArray& room)
    : m_limits(limits), m_clock(clock), m_core(*this, room), m_rules(room, !isDefaultRoom(room)),
      m_timers(timers)
{
}

RelayHub::~RelayHub()
{
    for (int n = 1; n <= kSlotCount; ++n) {
        if (ClientLink* connection = detach(n))
            connection->abort();
    }
    for (const Closing& closing : m_closing)
        closing.connection->abort();
}

void RelayHub::open()
{
    SocketLoaded.fill(true);
}

void RelayHub::closeAll()
{
    for (int n = 1; n <= kSlotCount; ++n) {
        m_core.CloseSlot(n);
        SocketLoaded[n - 1] = false;
    }
    settle();
}

int RelayHub::adopt(ClientLink* connection)
{
    Arrival arrival;
    arrival.connection = connection;
    return adopt(std::move(arrival));
}

int RelayHub::adopt(Arrival arrival)
{
    ClientLink* connection = arrival.connection;
    const int n = isOpen() ? m_core.firstFreeSlot() : 0;
    if (n == 0) {
        // A ninth client: closed at once, nothing sent, the others notice nothing.
        qCInfo(lcRelay) << "Turned away" << connection->peerAddress().toString()
                        << "- every place is taken";
        connection->abort();
        return 0;
    }
    noteDepartures();
    Slot& slot = m_slots[n - 1];
    const QByteArray address = shownAddress(connection->peerAddress());
    // The maker of a room owns it: its greeting's RoomInfo says so (nobody else is here yet).
    const bool owns = m_rules.seated(n, address);
    if (owns)
        m_core.setRoom(roomState());
    slot.connection = connection;
    slot.address = address;
    if (arrival.gate)
        slot.gate = std::move(arrival.gate);
    else
        slot.gate.emplace(m_limits, m_clock.now());
    connection->setSink(this);
    qCDebug(lcRelay) << "Place" << n << "in room" << room().name << "taken by" << slot.address;
    m_core.accepted(n);
    if (owns && slot.connection) {
        qCInfo(lcRelay).noquote() << QString::fromLatin1(
            "Room " + room().name + ": " + shownName(user(n).Name, HighBytes::Latin1) + " (seat " +
            QByteArray::number(n) + ", " + address + ") made it and owns it");
    }
    if (arrival.input)
        m_core.input(n) = std::move(*arrival.input);
    slot.inbox = std::move(arrival.inbox);
    if (slot.connection && !arrival.unread.isEmpty())
        linkReceived(*connection, arrival.unread);
    else if (slot.connection)
        drain(n, true);
    settle();
    return n;
}

Arrival RelayHub::leave(int n)
{
    Slot& slot = m_slots[n - 1];
    Arrival arrival;
    arrival.inbox = std::move(slot.inbox);
    arrival.gate = std::move(slot.gate);
    arrival.input = std::move(m_core.input(n));
    m_core.input(n).clear();
    if (slot.paced && slot.connection)
        slot.connection->resumeReading(); // the next room paces it afresh
    arrival.connection = detach(n);
    m_core.departed(n);
    settle();
    return arrival;
}

int RelayHub::playerCount() const
{
    int count = 0;
    for (const Slot& slot : m_slots)
        count += slot.connection ? 1 : 0;
    return count;
}

void RelayHub::command(int slot, const QByteArray& text)
{
    if (RoomRules::isCommand(text)) {
        apply(slot,
              m_rules.command(slot, text, m_clock.now(), [this](int n) { return user(n).Name; }));
        return;
    }
    if (m_commands)
        m_commands->roomCommand(*this, slot, text);
}

std::optional<QByteArray> RelayHub::joinRefusal(const QByteArray& address)
{
    return m_rules.joinRefusal(address, m_clock.now());
}

bool RelayHub::operatorKick(int n)
{
    if (n < 1 || n > kSlotCount || !m_slots[n - 1].connection)
        return false;
    apply(0, m_rules.operatorKick(n, [this](int m) { return user(m).Name; }));
    settle();
    return true;
}

void RelayHub::apply(int sender, const RoomRules::Outcome& outcome)
{
    if (sender != 0 && !outcome.toSender.isEmpty())
        m_core.tell(sender, outcome.toSender);
    if (!outcome.event.isEmpty())
        qCInfo(lcRelay).noquote() << QString::fromLatin1(outcome.event);
    if (outcome.removal)
        sendOut(*outcome.removal);
    if (!outcome.toRoom.isEmpty())
        m_core.tellAll(outcome.toRoom);
    if (outcome.infoChanged)
        m_core.setRoom(roomState());
}

void RelayHub::sendOut(const RoomRules::Removal& removal)
{
    const int n = removal.seat;
    ClientLink* connection = m_slots[n - 1].connection;
    if (!connection)
        return;
    connection->write(farewell(removal.reason));
    // In order, within the grace of a Stop: the reason reaches it before the end.
    close(n, false);
    m_core.departed(n);
    noteDepartures();
    m_core.tellAll({removal.roomLine});
}

void RelayHub::noteDepartures()
{
    for (int n = 1; n <= kSlotCount; ++n) {
        if (m_slots[n - 1].connection || !m_rules.isSeated(n))
            continue;
        QByteArray event;
        if (m_rules.left(n, &event)) {
            qCInfo(lcRelay).noquote() << QString::fromLatin1(event);
            m_core.setRoom(roomState());
        }
    }
}

RoomState RelayHub::roomState() const
{
    RoomState state = room();
    state.owner = m_rules.owner();
    state.locked = m_rules.isLocked();
    return state;
}

void RelayHub::onTimer(Time)
{
    wake();
}

void RelayHub::wake()
{
    const Time now = m_clock.now();
    for (int n = 1; n <= kSlotCount; ++n) {
        Slot& slot = m_slots[n - 1];
        if (slot.wakeAt && *slot.wakeAt <= now) {
            slot.wakeAt.reset();
            drain(n, true);
        }
    }
    const bool wasClosing = isClosing();
    for (std::size_t i = 0; i < m_closing.size();) {
        if (m_closing[i].deadline <= now) {
            ClientLink* late = m_closing[i].connection;
            m_closing.erase(m_closing.begin() + qsizetype(i));
            late->abort();
        } else {
            ++i;
        }
    }
    settle();
    if (wasClosing && !isClosing())
        emit allClosed();
}

QList<QByteArray> RelayHub::listLines(HighBytes shownAs) const
{
    QList<QByteArray> lines;
    for (int n = 1; n <= kSlotCount; ++n) {
        const Slot& slot = m_slots[n - 1];
        const QByteArray number = QByteArray::number(n);
        if (SocketLoaded[n - 1] && slot.connection)
            lines << number + ". " + shownName(user(n).Name, shownAs) + ": " + slot.address;
        else
            lines << number + ". No User: 0.0.0.0";
    }
    return lines;
}

bool RelayHub::isConnected(int slot) const
{
    return m_slots[slot - 1].connection != nullptr;
}

bool RelayHub::send(int slot, QByteArrayView messages)
{
    // Queued by the connection, which writes everything one turn relays in one piece.
    ClientLink* connection = m_slots[slot - 1].connection;
    connection->write(messages);
    const qint64 unsent = connection->unsentBytes();
    if (unsent <= m_limits.outputCap)
        return true;
    // Behind, but still reading: keep it, within reason.
    return unsent <= m_limits.hardOutputCap &&
           m_clock.now() - connection->lastTaken() < m_limits.stallTimeout;
}

qint64 RelayHub::room(int slot) const
{
    return m_limits.outputCap - m_slots[slot - 1].connection->unsentBytes();
}

void RelayHub::close(int slot, bool abort)
{
    ClientLink* connection = detach(slot);
    if (!connection)
        return;
    if (abort) {
        connection->abort();
        return;
    }
    // Let what is already queued reach the client, then go.
    m_closing.push_back({connection, m_clock.now() + m_limits.closeGrace});
    connection->setSink(this);
    connection->closeGracefully();
}

void RelayHub::refreshList()
{
    emit listChanged();
}

int RelayHub::slotOf(const ClientLink* connection) const
{
    for (int n = 1; n <= kSlotCount; ++n) {
        if (m_slots[n - 1].connection == connection)
            return n;
    }
    return 0;
}

void RelayHub::linkReceived(ClientLink& connection, QByteArrayView bytes)
{
    const int n = slotOf(&connection);
    if (n == 0)
        return; // closing: nothing it sends counts any more
    Slot& slot = m_slots[n - 1];
    const Time now = m_clock.now();
    m_core.cut(n, bytes, [&](QByteArrayView message) {
        // Cut off by a send of an earlier message: the rest is dropped.
        if (!slot.connection)
            return false;
        const auto decoded = RelayCore::decode(message);
        const Traffic traffic = classify(decoded);
        // Notes are handled at once while the client is within its rate; past it, and from
        // a chat text on (a command may move the player, who takes the rest along), in turn.
        const bool chat = decoded && decoded->kind == protocol::ClientMessageView::Kind::Chat;
        if (slot.inbox.empty() && !chat && slot.gate->take(traffic, now)) {
            if (decoded)
                m_core.handle(n, *decoded);
        } else {
            slot.inbox.push_back({traffic, message.toByteArray()});
        }
        return true;
    });
    drain(n, true);
    settle();
}

void RelayHub::linkEnded(ClientLink& connection, bool)
{
    if (const int n = slotOf(&connection)) {
        // What the client sent before it went is relayed now, paced or not.
        drain(n, false);
        if (m_slots[n - 1].connection == &connection) {
            qCDebug(lcRelay) << "Place" << n << "left";
            detach(n);
            connection.abort();
            m_core.departed(n);
        }
        settle();
        return;
    }
    // A connection closed by Stop is gone once it says it ended.
    for (std::size_t i = 0; i < m_closing.size(); ++i) {
        if (m_closing[i].connection == &connection) {
            m_closing.erase(m_closing.begin() + qsizetype(i));
            settle();
            if (!isClosing())
                emit allClosed();
            return;
        }
    }
}

void RelayHub::drain(int n, bool pacing)
{
    Slot& slot = m_slots[n - 1];
    const Time now = m_clock.now();
    while (slot.connection && !slot.inbox.empty()) {
        if (pacing && !slot.gate->take(slot.inbox.front().traffic, now)) {
            if (!slot.paced) {
                slot.paced = true;
                slot.connection->pauseReading();
            }
            const Duration wait = slot.gate->untilNext(slot.inbox.front().traffic, now);
            slot.wakeAt = now + std::max(kMinPause, wait);
            m_core.flush();
            return;
        }
        const QByteArray message = std::move(slot.inbox.front().message);
        slot.inbox.pop_front();
        if (const auto decoded = RelayCore::decode(message))
            m_core.handle(n, *decoded);
    }
    m_core.flush();
    slot.wakeAt.reset();
    if (slot.paced && slot.connection) {
        slot.paced = false;
        slot.connection->resumeReading();
    }
}

ClientLink* RelayHub::detach(int n)
{
    Slot& slot = m_slots[n - 1];
    ClientLink* connection = slot.connection;
    if (connection)
        connection->setSink(nullptr);
    slot.connection = nullptr;
    slot.inbox.clear();
    slot.gate.reset();
    slot.paced = false;
    slot.wakeAt.reset();
    return connection;
}

void RelayHub::settle()
{
    noteDepartures();
    std::optional<Time> next;
    for (const Slot& slot : m_slots) {
        if (slot.wakeAt && (!next || *slot.wakeAt < *next))
            next = slot.wakeAt;
    }
    for (const Closing& closing : m_closing) {
        if (!next || closing.deadline < *next)
            next = closing.deadline;
    }
    if (m_timers)
        m_timers->set(*this, next);
}

} // namespace tamber::server
