#pragma once

// The relay's logic, free of sockets: the slot table, the greeting, the relay of notes,
// instruments and chat, and the "/name" command (with the rules of Names.h: no name can pass
// for another's, and each seat's default name is kept for it). RelayHub feeds it the events of the
// real connections; tests and the fuzzer feed it through a fake SlotHost.

#include "common/protocol/Codec.h"
#include "common/protocol/Messages.h"
#include "server/Names.h"
#include "server/Rooms.h"
#include "server/SlotHost.h"

#include <QByteArray>
#include <QList>
#include <array>

namespace tamber::server {

inline constexpr int kSlotCount = kSeatsPerRoom;
// No valid client message is longer than 60 bytes, so a few KiB without an SOH is junk.
inline constexpr qsizetype kPendingCap = 4096;
inline constexpr qsizetype kMaxChatText = 50;

// The name a chat text asks for when it is a "/name" command (the command word in any case,
// then a space), however long; nullopt for any other text.
std::optional<QByteArray> nameCommandRest(const QByteArray& text);

struct UserSlot
{
    QByteArray Name;
    quint8 Reserved = 0;
    protocol::MessageAssembler Pending{kPendingCap};
};

// What "RoomInfo" tells: the room's name as first written, its owner's seat (0: none) and
// whether it is locked.
struct RoomState
{
    QByteArray name = kDefaultRoom;
    int owner = 0;
    bool locked = false;
};

class RelayCore
{
public:
    explicit RelayCore(SlotHost& host, const QByteArray& room = kDefaultRoom) : m_host(host)
    {
        m_room.name = room;
    }

    const RoomState& room() const { return m_room; }
    // Tells the whole room when a field changes.
    void setRoom(const RoomState& room);

    // The lowest slot without a connection, or 0 when all eight are in use.
    int firstFreeSlot() const;
    // A client has just taken slot n: name it and greet it, then tell everyone who is here.
    void accepted(int n);
    // Bytes arrived on slot n: cut them into messages and handle each.
    void received(int n, QByteArrayView bytes);
    // The same in steps, for a caller that paces a client: cut() gives each message the bytes
    // complete (a view valid during the call; `each` returns false to drop the rest), and
    // handle() acts on one of them, then or later. Notes handled are built once for the room
    // and go out together at flush(), which the caller calls before it returns to the loop.
    template <typename Each> void cut(int n, QByteArrayView bytes, Each&& each)
    {
        Users[n - 1].Pending.feed(bytes, each);
    }
    // A message of the right length decoded, or nullopt for one the relay drops unread.
    static std::optional<protocol::ClientMessageView> decode(QByteArrayView message);
    void handle(int n, const protocol::ClientMessageView& message);
    void flush();
    // Slot n's connection ended by any means but Stop (its host link is already gone).
    void departed(int n);

    void SendToUser(int n, QByteArrayView message);
    void SendToAll(QByteArrayView message);
    void CloseSlot(int n);
    void HandleClientMessage(int n, const QByteArray& message);
    void HandleChatText(int n, const QByteArray& text);
    // Chat lines to slot n alone (answers to its commands).
    void tell(int n, const QList<QByteArray>& lines);
    // Chat lines to everyone in the room.
    void tellAll(const QList<QByteArray>& lines);

    const UserSlot& user(int n) const { return Users[n - 1]; }
    // The unfinished message of slot n's client, which goes with it to another room.
    protocol::MessageAssembler& input(int n) { return Users[n - 1].Pending; }

private:
    // Adds a note to the notes going to the whole room; one that might cut a receiver goes on
    // its own, after those before it, so a cut happens where it always did.
    void relay(int n, const protocol::ClientMessageView& message);
    void sendFanout();
    // Queues for every client, cutting those that stopped reading.
    void broadcast(QByteArrayView bytes);
    void deliver(int n, QByteArrayView bytes);
    // Announces the slots closed for exceeding their output cap, one after another, so that
    // no send ever runs inside another.
    void settleDepartures();
    // Why slot n may not take this name, as a line to its client; null when it may.
    const char* nameRefusal(int n, const QByteArray& name) const;
    // Whether a client other than slot n's goes by this name.
    bool nameInUse(int n, const QByteArray& name) const;

    SlotHost& m_host;
    RoomState m_room;
    std::array<UserSlot, kSlotCount> Users;
    QList<int> m_overflowed;
    // Notes handled since the last flush, built once for everyone; sent as one piece.
    QByteArray m_fanout;
    // How much every client may still be sent before it could be cut, as the batch began.
    qint64 m_fanoutRoom = 0;
};

} // namespace tamber::server
