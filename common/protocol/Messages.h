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
using ServerMessage = std::variant<UserIdMessage, ChatLine, UserNameMessage, NoteOnRelay,
                                   NoteOffRelay, SetPatchRelay>;

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

// What the relay handles; anything else (the server's own words included) gives nothing.
std::optional<ClientMessage> decodeClientMessage(const QByteArray& message);
// What the piano handles; an id that is not a plain number from 1 to 8 gives nothing.
std::optional<ServerMessage> decodeServerMessage(const QByteArray& message);

// A number as the protocol writes it: plain decimal, no sign, no leading zeros.
QByteArray decimal(int value);
// A note, velocity or program field: 0..127, or nothing.
std::optional<uint8_t> parseMidiValue(const QByteArray& field);

} // namespace tamber::protocol
