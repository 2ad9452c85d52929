#include "RelayHub.h"

#include "RelayLog.h"

namespace tamber::server {

namespace {

// A paced client is read on in batches, not one message per wake-up.
constexpr Duration kMinPause = std::chrono::milliseconds(10);

QByteArray dottedAddress(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return (isV4 ? QHostAddress(v4).toString() : address.toString()).toLatin1();
}

} // namespace

RelayHub::RelayHub(const RelayLimits& limits, const Clock& clock, net::Timers* timers,
                   QObject* parent)
    : QObject(parent), m_limits(limits), m_clock(clock), m_timers(timers)
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
    const int n = isOpen() ? m_core.firstFreeSlot() : 0;
    if (n == 0) {
        // A ninth client: closed at once, nothing sent, the others notice nothing.
        qCInfo(lcRelay) << "Turned away" << connection->peerAddress().toString()
                        << "- every place is taken";
        connection->abort();
        return 0;
    }
    Slot& slot = m_slots[n - 1];
    slot.connection = connection;
    slot.address = dottedAddress(connection->peerAddress());
    slot.gate.emplace(m_limits, m_clock.now());
    connection->setSink(this);
    qCDebug(lcRelay) << "Place" << n << "taken by" << slot.address;
    m_core.accepted(n);
    settle();
    return n;
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

bool RelayHub::send(int slot, const QByteArray& message)
{
    // Queued by the connection, which writes everything one turn relays in one piece.
    ClientLink* connection = m_slots[slot - 1].connection;
    connection->write(message);
    const qint64 unsent = connection->unsentBytes();
    if (unsent <= m_limits.outputCap)
        return true;
    // Behind, but still reading: keep it, within reason.
    return unsent <= m_limits.hardOutputCap &&
           m_clock.now() - connection->lastTaken() < m_limits.stallTimeout;
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
    for (const QByteArray& message :
         m_core.cut(n, QByteArray::fromRawData(bytes.data(), bytes.size()))) {
        auto decoded = RelayCore::decode(message);
        const Traffic traffic = classify(decoded);
        slot.inbox.push_back({traffic, std::move(decoded)});
    }
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
            return;
        }
        const std::optional<protocol::ClientMessage> message =
            std::move(slot.inbox.front().message);
        slot.inbox.pop_front();
        if (message)
            m_core.handle(n, *message);
    }
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
    slot.paced = false;
    slot.wakeAt.reset();
    return connection;
}

void RelayHub::settle()
{
    std::optional<Time> next;
    for (const Slot& slot : m_slots) {
        if (slot.wakeAt && (!next || *slot.wakeAt < *next))
            next = slot.wakeAt;
    }
    for (const Closing& closing : m_closing) {
        if (!next || closing.deadline < *next)
            next = closing.deadline;
    }
    if (!m_timers)
        return;
    if (next)
        m_timers->arm(*this, *next);
    else
        m_timers->disarm(*this);
}

} // namespace tamber::server
