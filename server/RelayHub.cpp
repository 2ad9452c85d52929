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

RelayHub::RelayHub(const RelayLimits& limits, const Clock& clock, QObject* parent)
    : QObject(parent), m_limits(limits), m_clock(clock)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RelayHub::wake);
}

RelayHub::~RelayHub()
{
    for (int n = 1; n <= kSlotCount; ++n) {
        if (Connection* connection = detach(n))
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

int RelayHub::adopt(Connection* connection)
{
    const int n = isOpen() ? m_core.firstFreeSlot() : 0;
    if (n == 0) {
        // A ninth client: closed at once, nothing sent, the others notice nothing.
        qCInfo(lcRelay) << "Turned away" << connection->peerAddress().toString()
                        << "- every place is taken";
        connection->abort();
        connection->deleteLater();
        return 0;
    }
    connection->setParent(this);
    Slot& slot = m_slots[n - 1];
    slot.connection = connection;
    slot.address = dottedAddress(connection->peerAddress());
    slot.gate.emplace(m_limits, m_clock.now());
    connect(connection, &Connection::received, this,
            [this, connection](const QByteArray& bytes) { onReceived(connection, bytes); });
    connect(connection, &Connection::closed, this, [this, connection] { onEnded(connection); });
    connect(connection, &Connection::failed, this, [this, connection] { onEnded(connection); });
    qCDebug(lcRelay) << "Place" << n << "taken by" << slot.address;
    m_core.accepted(n);
    settle();
    return n;
}

void RelayHub::wake()
{
    m_timerDue.reset();
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
            Connection* late = m_closing[i].connection;
            m_closing.erase(m_closing.begin() + qsizetype(i));
            late->abort();
            late->deleteLater();
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
    Slot& s = m_slots[slot - 1];
    if (s.outbox.isEmpty())
        s.outbox.reserve(std::max(s.lastOutbox, message.size()));
    s.outbox += message;
    // The connection only ever takes bytes between two writes, so this is an upper bound.
    if (s.unsentBefore + s.outbox.size() <= m_limits.outputCap)
        return true;
    const qint64 unsent = s.connection->unsentBytes() + s.outbox.size();
    if (unsent <= m_limits.outputCap)
        return true;
    // Behind, but still reading: keep it, within reason.
    return unsent <= m_limits.hardOutputCap &&
           m_clock.now() - s.connection->lastTaken() < m_limits.stallTimeout;
}

void RelayHub::close(int slot, bool abort)
{
    const QByteArray unsent = std::exchange(m_slots[slot - 1].outbox, QByteArray());
    Connection* connection = detach(slot);
    if (!connection)
        return;
    if (abort) {
        connection->abort();
        connection->deleteLater();
        return;
    }
    // Let what is already queued reach the client, then go.
    if (!unsent.isEmpty())
        connection->write(unsent);
    m_closing.push_back({connection, m_clock.now() + m_limits.closeGrace});
    connect(connection, &Connection::closed, this, [this, connection] { onEnded(connection); });
    connect(connection, &Connection::failed, this, [this, connection] { onEnded(connection); });
    connection->closeGracefully();
}

void RelayHub::refreshList()
{
    emit listChanged();
}

int RelayHub::slotOf(const Connection* connection) const
{
    for (int n = 1; n <= kSlotCount; ++n) {
        if (m_slots[n - 1].connection == connection)
            return n;
    }
    return 0;
}

void RelayHub::onReceived(Connection* connection, const QByteArray& bytes)
{
    const int n = slotOf(connection);
    if (n == 0)
        return; // closing: nothing it sends counts any more
    Slot& slot = m_slots[n - 1];
    for (const QByteArray& message : m_core.cut(n, bytes)) {
        auto decoded = RelayCore::decode(message);
        const Traffic traffic = classify(decoded);
        slot.inbox.push_back({traffic, std::move(decoded)});
    }
    drain(n, true);
    settle();
}

void RelayHub::onEnded(Connection* connection)
{
    if (const int n = slotOf(connection)) {
        // What the client sent before it went is relayed now, paced or not.
        drain(n, false);
        if (m_slots[n - 1].connection == connection) {
            qCDebug(lcRelay) << "Place" << n << "left";
            detach(n);
            connection->abort();
            connection->deleteLater();
            m_core.departed(n);
        }
        settle();
        return;
    }
    for (std::size_t i = 0; i < m_closing.size(); ++i) {
        if (m_closing[i].connection == connection) {
            m_closing.erase(m_closing.begin() + qsizetype(i));
            connection->deleteLater();
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

Connection* RelayHub::detach(int n)
{
    Slot& slot = m_slots[n - 1];
    Connection* connection = slot.connection;
    if (connection)
        connection->disconnect(this);
    slot.connection = nullptr;
    slot.inbox.clear();
    slot.paced = false;
    slot.wakeAt.reset();
    slot.outbox.clear();
    slot.unsentBefore = 0;
    return connection;
}

void RelayHub::settle()
{
    // What one event relays goes to each client in one write. It leaves once the event loop
    // turns, with what the other events of that turn relay: a relay that fell behind catches
    // up with one send per client, not one per note.
    for (Slot& slot : m_slots) {
        if (!slot.outbox.isEmpty() && slot.connection) {
            // The connection keeps the bytes without copying them; the next event starts anew.
            slot.connection->write(slot.outbox);
            slot.lastOutbox = std::min<qsizetype>(slot.outbox.size(), 1 << 18);
            slot.outbox = QByteArray();
            slot.unsentBefore = slot.connection->unsentBytes();
        }
    }
    std::optional<Time> next;
    for (const Slot& slot : m_slots) {
        if (slot.wakeAt && (!next || *slot.wakeAt < *next))
            next = slot.wakeAt;
    }
    for (const Closing& closing : m_closing) {
        if (!next || closing.deadline < *next)
            next = closing.deadline;
    }
    if (next == m_timerDue)
        return;
    m_timerDue = next;
    if (!next) {
        m_timer.stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - m_clock.now());
    m_timer.start(int(std::max<qint64>(0, wait.count())));
}

} // namespace tamber::server
