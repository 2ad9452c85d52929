#pragma once

// The eight slots on their connections, whatever carries them: takes clients in, paces each
// sender by its buckets, cuts a receiver that stopped reading, and closes everyone on Stop.
// The relay rules themselves are RelayCore's; the listeners only hand connections in.

#include "server/ClientLink.h"
#include "server/FloodControl.h"
#include "server/RelayCore.h"
#include "server/RoomRules.h"
#include "server/ShownName.h"
#include "server/net/Loop.h"
#include "server/net/Timers.h"

#include <QList>
#include <QObject>
#include <array>
#include <deque>
#include <vector>

namespace tamber::server {

class RelayHub;

// A message cut from a client's stream but not handled yet: the client is paced.
struct Inbound
{
    Traffic traffic;
    QByteArray message;
};

// A player on the way into a room, with everything it sent that was not handled yet, in
// order: a new connection with the bytes it sent before it was seated, or a player moving
// from another room with its waiting messages, its unfinished one and its pacing.
struct Arrival
{
    ClientLink* connection = nullptr;
    std::deque<Inbound> inbox;
    std::optional<protocol::MessageAssembler> input;
    QByteArray unread;
    std::optional<FloodGate> gate;
};

// Where a room's commands about rooms go ("/join", "/rooms"): the room directory.
class RoomCommands
{
public:
    virtual void roomCommand(RelayHub& room, int slot, const QByteArray& text) = 0;

protected:
    ~RoomCommands() = default;
};

// One room: its eight slots on their connections.
class RelayHub : public QObject,
                 public net::Disposable,
                 private SlotHost,
                 private ClientLink::Sink,
                 private net::TimerClient
{
    Q_OBJECT

public:
    // The hub's deadlines (pacing, the grace of Stop) go into `timers`, its thread's; without
    // any, whoever drives the hub calls wake() itself (tests).
    RelayHub(const RelayLimits& limits, const Clock& clock, net::Timers* timers = nullptr,
             const QByteArray& room = kDefaultRoom);
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
    // The same for a player that brings what it sent before; its pacing goes on where it was.
    int adopt(Arrival arrival);
    // Slot n's player leaves for another room: the room sees it go, as when it disconnects,
    // and the player takes along everything it sent that was not handled here.
    Arrival leave(int n);

    void setCommands(RoomCommands* commands) { m_commands = commands; }
    const RoomState& room() const { return m_core.room(); }
    void setRoom(const RoomState& room) { m_core.setRoom(room); }
    // Who owns the room, its lock, its listing and its bans.
    const RoomRules& rules() const { return m_rules; }
    // Why a player from that address may not come in now (locked, banned), as they are told.
    std::optional<QByteArray> joinRefusal(const QByteArray& address);
    QByteArray addressOf(int n) const { return m_slots[n - 1].address; }
    // An address as the lists show it and bans hold it.
    static QByteArray shownAddress(const QHostAddress& address);
    // The operator sends slot n's player out; false when nobody sits there.
    bool operatorKick(int n);
    int playerCount() const;
    // Chat lines to slot n alone.
    void tell(int n, const QList<QByteArray>& lines) { m_core.tell(n, lines); }

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
    bool send(int slot, QByteArrayView messages) override;
    qint64 room(int slot) const override;
    void close(int slot, bool abort) override;
    void refreshList() override;
    void command(int slot, const QByteArray& text) override;
    // Carries out what the room's rules decided on a command of `sender`'s (0: the operator).
    void apply(int sender, const RoomRules::Outcome& outcome);
    // Tells the player why, bids it farewell and closes it in order; the room sees it go.
    void sendOut(const RoomRules::Removal& removal);
    // Tells the rules of every player gone since (by any means); ownership may pass on.
    void noteDepartures();
    RoomState roomState() const;

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
    RelayCore m_core;
    RoomRules m_rules;
    net::Timers* m_timers;
    RoomCommands* m_commands = nullptr;
};

} // namespace tamber::server
