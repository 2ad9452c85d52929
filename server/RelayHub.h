#pragma once

// The eight slots on their connections, whatever carries them: takes clients in, paces each
// sender by its buckets, cuts a receiver that stopped reading, and closes everyone on Stop.
// The relay rules themselves are RelayCore's; the listeners only hand connections in.

#include "server/ClientLink.h"
#include "server/FloodControl.h"
#include "server/RelayCore.h"
#include "server/ShownName.h"
#include "server/net/Timers.h"

#include <QList>
#include <QObject>
#include <array>
#include <deque>
#include <vector>

namespace tamber::server {

class RelayHub : public QObject,
                 private SlotHost,
                 private ClientLink::Sink,
                 private net::TimerClient
{
    Q_OBJECT

public:
    // The hub's deadlines (pacing, the grace of Stop) go into `timers`, its thread's; without
    // any, whoever drives the hub calls wake() itself (tests).
    RelayHub(const RelayLimits& limits, const Clock& clock, net::Timers* timers = nullptr,
             QObject* parent = nullptr);
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
    int adopt(ClientLink* connection);

    // Does what is due by now: reads on for paced clients whose tokens are back, aborts
    // connections past their grace. The thread's timers call it.
    void wake();

    // The eight lines of the slot list, in slot order.
    QList<QByteArray> listLines(HighBytes shownAs) const;
    const UserSlot& user(int n) const { return m_core.user(n); }
    bool isPaced(int n) const { return m_slots[n - 1].paced; }
    // Output queued for slot n's client and not yet taken by it.
    qint64 unsentBytes(int n) const
    {
        const Slot& slot = m_slots[n - 1];
        return slot.connection ? slot.connection->unsentBytes() : 0;
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
        ClientLink* connection = nullptr; // null while the slot is free
        QByteArray address;
        std::deque<Inbound> inbox; // cut but not yet handled: the client is paced
        std::optional<FloodGate> gate;
        bool paced = false;
        std::optional<Time> wakeAt;
    };
    struct Closing
    {
        ClientLink* connection;
        Time deadline;
    };

    bool isConnected(int slot) const override;
    bool send(int slot, const QByteArray& message) override;
    void close(int slot, bool abort) override;
    void refreshList() override;

    void linkReceived(ClientLink& link, QByteArrayView bytes) override;
    void linkEnded(ClientLink& link, bool error) override;
    void onTimer(Time now) override;

    int slotOf(const ClientLink* connection) const;
    // Handles what the slot's client sent, in order; with pacing, only while its tokens last.
    void drain(int n, bool pacing);
    ClientLink* detach(int n);
    // After every event: sets the timer for what is due next.
    void settle();

    RelayLimits m_limits;
    const Clock& m_clock;
    std::array<Slot, kSlotCount> m_slots;
    std::array<bool, kSlotCount> SocketLoaded{};
    std::vector<Closing> m_closing;
    RelayCore m_core{*this};
    net::Timers* m_timers;
};

} // namespace tamber::server
