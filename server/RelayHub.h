#pragma once

// The eight slots on their connections, whatever carries them: takes clients in, paces each
// sender by its buckets, cuts a receiver that stopped reading, and closes everyone on Stop.
// The relay rules themselves are RelayCore's; the listeners only hand connections in.

#include "server/Connection.h"
#include "server/FloodControl.h"
#include "server/RelayCore.h"
#include "server/ShownName.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <array>
#include <deque>
#include <vector>

namespace tamber::server {

class RelayHub : public QObject, private SlotHost
{
    Q_OBJECT

public:
    RelayHub(const RelayLimits& limits, const Clock& clock, QObject* parent = nullptr);
    // Ends every connection at once, telling nobody.
    ~RelayHub() override;

    // Start: the eight slots are ready for clients.
    void open();
    // Stop: closes every slot without telling anyone. Each connection may take what was
    // queued for it for closeGrace, then is aborted; allClosed() follows the last.
    void closeAll();
    bool isOpen() const { return SocketLoaded[0]; }
    bool isClosing() const { return !m_closing.empty(); }

    bool hasFreeSlot() const { return isOpen() && m_core.firstFreeSlot() != 0; }
    // Takes the connection into the lowest free slot, which greets it, and owns it from now
    // on. Returns the slot, or 0 when none is free (the connection is then aborted).
    int adopt(Connection* connection);

    // Does what is due by now: reads on for paced clients whose tokens are back, aborts
    // connections past their grace. The hub's own timer calls it.
    void wake();

    // The eight lines of the slot list, in slot order.
    QList<QByteArray> listLines(HighBytes shownAs) const;
    const UserSlot& user(int n) const { return m_core.user(n); }
    bool isPaced(int n) const { return m_slots[n - 1].paced; }
    // Output queued for slot n's client and not yet taken by it.
    qint64 unsentBytes(int n) const
    {
        const Slot& slot = m_slots[n - 1];
        return slot.connection ? slot.connection->unsentBytes() + slot.outbox.size() : 0;
    }

signals:
    // At every rebuild of the slot list.
    void listChanged();
    void allClosed();

private:
    struct Inbound
    {
        Traffic traffic;
        std::optional<protocol::ClientMessage> message;
    };
    struct Slot
    {
        Connection* connection = nullptr; // null while the slot is free
        QByteArray address;
        std::deque<Inbound> inbox; // cut but not yet handled: the client is paced
        std::optional<FloodGate> gate;
        bool paced = false;
        std::optional<Time> wakeAt;
        QByteArray outbox;        // what one event relays to this client, written in one piece
        qsizetype lastOutbox = 0; // its size last time, reserved at once the next time
        qint64 unsentBefore = 0;  // the connection's unsent output when the outbox was last written
    };
    struct Closing
    {
        Connection* connection;
        Time deadline;
    };

    bool isConnected(int slot) const override;
    bool send(int slot, const QByteArray& message) override;
    void close(int slot, bool abort) override;
    void refreshList() override;

    int slotOf(const Connection* connection) const;
    void onReceived(Connection* connection, const QByteArray& bytes);
    void onEnded(Connection* connection);
    // Handles what the slot's client sent, in order; with pacing, only while its tokens last.
    void drain(int n, bool pacing);
    Connection* detach(int n);
    // After every event: hands its output over and sets the timer for what is due next.
    void settle();

    RelayLimits m_limits;
    const Clock& m_clock;
    std::array<Slot, kSlotCount> m_slots;
    std::array<bool, kSlotCount> SocketLoaded{};
    std::vector<Closing> m_closing;
    RelayCore m_core{*this};
    QTimer m_timer;
    std::optional<Time> m_timerDue;
};

} // namespace tamber::server
