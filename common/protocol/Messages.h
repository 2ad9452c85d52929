#pragma once

// Every message of a session, one type each, with the only encoder and decoder of its fields.
// Framing (NUL after each field, SOH at the end) is Codec.h's. Field order is fixed:
//
// Client to server
//   NoteOnRequest    "NoteOn"   00 note     00 velocity 00 01
//   NoteOffRequest   "NoteOff"  00 note     00 01
//   SetPatchRequest  "SetPatch" 00 program  00 01
//   ChatRequest      "ChatMsg"  00 text     00 01
//
// Server to client
//   UserIdMessage    "UserID"   00 name     00 id       00 01             to the new client only
//   ChatLine         "ChatMsg"  00 line     00 01
//   UserNameMessage  "UserName" 00 id       00 name     00 01             name "-": empty seat
//   NoteOnRelay      "NoteOn"   00 note     00 velocity 00 sender id 00 01
//   NoteOffRelay     "NoteOff"  00 note     00 sender id 00 01
//   SetPatchRelay    "SetPatch" 00 sender id 00 program 00 01
//   RoomInfoMessage  "RoomInfo" 00 room     00 owner id 00 locked   00 01  after the greeting,
//                                                                         and on every change
//   FarewellMessage  "Farewell" 00 reason   00 01                         right before a close
//
//   "RoomInfo" 00 "jazz" 00 "0" 00 "0" 00 01
//     52 6F 6F 6D 49 6E 66 6F 00 6A 61 7A 7A 00 30 00 30 00 01
//   owner id: 0 for a room without an owner (always the default room), else a seat 1..8;
//   locked: "1" or "0". Old pianos ignore both words; a "Farewell" follows a "ChatMsg" with the
//   same reason, so they still read why they were sent out.
//
// The relay passes note, velocity and program on exactly as the sender wrote them, so those
// fields stay bytes here; whoever sounds them checks them (see parseMidiValue). Ids are 1..8.
// Decoders take one message without its SOH, ignore fields beyond the ones named, and give
// nothing for another command word or a missing field.

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <variant>

namespace tamber::protocol {

inline constexpr int kMaxUserId = 8;

struct NoteOnRequest
{
    QByteArray note;
    QByteArray velocity;
};
struct NoteOffRequest
{
    QByteArray note;
};
struct SetPatchRequest
{
    QByteArray program;
};
struct ChatRequest
{
    QByteArray text;
};
using ClientMessage = std::variant<NoteOnRequest, NoteOffRequest, SetPatchRequest, ChatRequest>;

struct UserIdMessage
{
    QByteArray name;
    int id = 0;
};
struct ChatLine
{
    QByteArray line;
};
struct UserNameMessage
{
    int id = 0;
    QByteArray name;
};
struct NoteOnRelay
{
    QByteArray note;
    QByteArray velocity;
    int sender = 0;
};
struct NoteOffRelay
{
    QByteArray note;
    int sender = 0;
};
struct SetPatchRelay
{
    int sender = 0;
    QByteArray program;
};
struct RoomInfoMessage
{
    QByteArray name;
    int ownerId = 0; // 0: nobody owns the room
    bool locked = false;
};
struct FarewellMessage
{
    QByteArray reason;
};
using ServerMessage = std::variant<UserIdMessage, ChatLine, UserNameMessage, NoteOnRelay,
                                   NoteOffRelay, SetPatchRelay, RoomInfoMessage, FarewellMessage>;

// Each gives one complete message, SOH included.
QByteArray encode(const NoteOnRequest& m);
QByteArray encode(const NoteOffRequest& m);
QByteArray encode(const SetPatchRequest& m);
QByteArray encode(const ChatRequest& m);
QByteArray encode(const UserIdMessage& m);
QByteArray encode(const ChatLine& m);
QByteArray encode(const UserNameMessage& m);
QByteArray encode(const NoteOnRelay& m);
QByteArray encode(const NoteOffRelay& m);
QByteArray encode(const SetPatchRelay& m);
QByteArray encode(const RoomInfoMessage& m);
QByteArray encode(const FarewellMessage& m);

// What the relay handles; anything else (the server's own words included) gives nothing.
std::optional<ClientMessage> decodeClientMessage(const QByteArray& message);

// The same read in place, for the relay's hot path: the fields are views into `message`.
struct ClientMessageView
{
    enum class Kind
    {
        NoteOn,
        NoteOff,
        SetPatch,
        Chat
    };
    Kind kind;
    QByteArrayView first;  // the note, the program or the chat text
    QByteArrayView second; // a NoteOn's velocity
};
std::optional<ClientMessageView> decodeClientView(QByteArrayView message);
// Appends what the relay sends everyone for a NoteOn, NoteOff or SetPatch from `sender`, as
// encode() of NoteOnRelay, NoteOffRelay and SetPatchRelay gives it; nothing for a chat text.
void appendRelayed(QByteArray& out, const ClientMessageView& message, int sender);
// What the piano handles; an id that is not a plain number from 1 to 8 gives nothing, nor does
// a "RoomInfo" whose owner id is not 0..8 or whose locked field is not "0" or "1".
std::optional<ServerMessage> decodeServerMessage(const QByteArray& message);

// A number as the protocol writes it: plain decimal, no sign, no leading zeros.
QByteArray decimal(int value);
// A note, velocity or program field: 0..127, or nothing.
std::optional<uint8_t> parseMidiValue(const QByteArray& field);

// A room's name: 1 to kMaxRoomName characters, each a letter, a digit, '-' or '_'. Names are
// compared without regard to case.
inline constexpr qsizetype kMaxRoomName = 24;
bool isRoomName(QByteArrayView name);
// The chat text that asks for a room, as a client's first message or to move.
QByteArray joinCommand(QByteArrayView room);

} // namespace tamber::protocol
