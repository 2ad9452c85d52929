#pragma once

// The relay's logic, free of sockets: the slot table, the greeting, the relay of notes,
// instruments and chat, and the "/name" command (with the rules of Names.h: no name can pass
// for another's, and each seat's default name is kept for it). RelayHub feeds it the events of the
// real connections; tests and the fuzzer feed it through a fake SlotHost.

#include "common/protocol/Codec.h"
#include "common/protocol/Messages.h"
#include "server/Names.h"
#include "server/SlotHost.h"

#include <QByteArray>
#include <QList>
#include <array>

namespace tamber::server {

inline constexpr int kSlotCount = 8;
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

class RelayCore
{
public:
    explicit RelayCore(SlotHost& host) : m_host(host) {}

    // The lowest slot without a connection, or 0 when all eight are in use.
    int firstFreeSlot() const;
    // A client has just taken slot n: name it and greet it, then tell everyone who is here.
    void accepted(int n);
    // Bytes arrived on slot n: cut them into messages and handle each.
    void received(int n, const QByteArray& bytes);
    // The same in two steps, for a caller that paces a client: cut() gives the messages the
    // bytes complete, and handle() acts on one of them later.
    QList<QByteArray> cut(int n, const QByteArray& bytes);
    // A message of the right length decoded, or nullopt for one the relay drops unread.
    static std::optional<protocol::ClientMessage> decode(const QByteArray& message);
    void handle(int n, const protocol::ClientMessage& message);
    // Slot n's connection ended by any means but Stop (its host link is already gone).
    void departed(int n);

    void SendToUser(int n, const QByteArray& message);
    void SendToAll(const QByteArray& message);
    void CloseSlot(int n);
    void HandleClientMessage(int n, const QByteArray& message);
    void HandleChatText(int n, const QByteArray& text);

    const UserSlot& user(int n) const { return Users[n - 1]; }

private:
    // Announces the slots closed for exceeding their output cap, one after another, so that
    // no send ever runs inside another.
    void settleDepartures();
    // Why slot n may not take this name, as a line to its client; null when it may.
    const char* nameRefusal(int n, const QByteArray& name) const;
    // Whether a client other than slot n's goes by this name.
    bool nameInUse(int n, const QByteArray& name) const;

    SlotHost& m_host;
    std::array<UserSlot, kSlotCount> Users;
    QList<int> m_overflowed;
};

} // namespace tamber::server
