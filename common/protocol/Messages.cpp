#include "Messages.h"

#include "Codec.h"

#include <charconv>

namespace tamber::protocol {

namespace {

constexpr char kNoteOn[] = "NoteOn";
constexpr char kNoteOff[] = "NoteOff";
constexpr char kSetPatch[] = "SetPatch";
constexpr char kChatMsg[] = "ChatMsg";
constexpr char kUserId[] = "UserID";
constexpr char kUserName[] = "UserName";
constexpr char kRoomInfo[] = "RoomInfo";
constexpr char kFarewell[] = "Farewell";

// A number's digits without allocating.
class Digits
{
public:
    explicit Digits(int value) : m_end(std::to_chars(m_text, m_text + sizeof m_text, value).ptr) {}
    operator QByteArrayView() const { return QByteArrayView(m_text, m_end - m_text); }

private:
    char m_text[12];
    char* m_end;
};

// Walks a message's fields without copying them, as splitFields() cuts them: at every NUL,
// with no empty field after a final NUL.
class FieldReader
{
public:
    explicit FieldReader(QByteArrayView message) : m_message(message) {}

    std::optional<QByteArrayView> next()
    {
        if (m_at > m_message.size() || (m_at == m_message.size() && m_at > 0))
            return std::nullopt;
        qsizetype end = m_message.indexOf(kFieldEnd, m_at);
        if (end < 0)
            end = m_message.size();
        const QByteArrayView field = m_message.sliced(m_at, end - m_at);
        m_at = end + 1;
        return field;
    }

private:
    QByteArrayView m_message;
    qsizetype m_at = 0;
};

std::optional<int> parseId(const QByteArray& field)
{
    const auto id = parseNumber(field, kMaxUserId);
    if (!id || *id < 1)
        return std::nullopt;
    return id;
}

std::optional<bool> parseFlag(const QByteArray& field)
{
    if (field == "1")
        return true;
    if (field == "0")
        return false;
    return std::nullopt;
}

} // namespace

QByteArray decimal(int value)
{
    return QByteArray::number(value);
}

std::optional<uint8_t> parseMidiValue(const QByteArray& field)
{
    const auto value = parseNumber(field, 127);
    if (!value)
        return std::nullopt;
    return uint8_t(*value);
}

bool isRoomName(QByteArrayView name)
{
    if (name.isEmpty() || name.size() > kMaxRoomName)
        return false;
    for (char c : name) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!allowed)
            return false;
    }
    return true;
}

QByteArray joinCommand(QByteArrayView room)
{
    return "/join " + room.toByteArray();
}

QByteArray encode(const NoteOnRequest& m)
{
    return frameMessage({kNoteOn, m.note, m.velocity});
}
QByteArray encode(const NoteOffRequest& m)
{
    return frameMessage({kNoteOff, m.note});
}
QByteArray encode(const SetPatchRequest& m)
{
    return frameMessage({kSetPatch, m.program});
}
QByteArray encode(const ChatRequest& m)
{
    return frameMessage({kChatMsg, m.text});
}
QByteArray encode(const UserIdMessage& m)
{
    return frameMessage({kUserId, m.name, Digits(m.id)});
}
QByteArray encode(const ChatLine& m)
{
    return frameMessage({kChatMsg, m.line});
}
QByteArray encode(const UserNameMessage& m)
{
    return frameMessage({kUserName, Digits(m.id), m.name});
}
// The relay's own three are built by appendRelayed(), so the two can never differ.
QByteArray encode(const NoteOnRelay& m)
{
    QByteArray out;
    appendRelayed(out, {ClientMessageView::Kind::NoteOn, m.note, m.velocity}, m.sender);
    return out;
}
QByteArray encode(const NoteOffRelay& m)
{
    QByteArray out;
    appendRelayed(out, {ClientMessageView::Kind::NoteOff, m.note, {}}, m.sender);
    return out;
}
QByteArray encode(const SetPatchRelay& m)
{
    QByteArray out;
    appendRelayed(out, {ClientMessageView::Kind::SetPatch, m.program, {}}, m.sender);
    return out;
}

QByteArray encode(const RoomInfoMessage& m)
{
    return frameMessage({kRoomInfo, m.name, Digits(m.ownerId), m.locked ? "1" : "0"});
}
QByteArray encode(const FarewellMessage& m)
{
    return frameMessage({kFarewell, m.reason});
}

std::optional<ClientMessageView> decodeClientView(QByteArrayView message)
{
    using Kind = ClientMessageView::Kind;
    FieldReader f(message);
    const QByteArrayView command = f.next().value_or(QByteArrayView());
    if (command == kNoteOn) {
        const auto note = f.next();
        const auto velocity = f.next();
        if (velocity)
            return ClientMessageView{Kind::NoteOn, *note, *velocity};
    } else if (command == kNoteOff || command == kSetPatch || command == kChatMsg) {
        const auto field = f.next();
        if (!field)
            return std::nullopt;
        const Kind kind = command == kNoteOff    ? Kind::NoteOff
                          : command == kSetPatch ? Kind::SetPatch
                                                 : Kind::Chat;
        return ClientMessageView{kind, *field, {}};
    }
    return std::nullopt;
}

std::optional<ClientMessage> decodeClientMessage(const QByteArray& message)
{
    const auto view = decodeClientView(message);
    if (!view)
        return std::nullopt;
    switch (view->kind) {
    case ClientMessageView::Kind::NoteOn:
        return NoteOnRequest{view->first.toByteArray(), view->second.toByteArray()};
    case ClientMessageView::Kind::NoteOff:
        return NoteOffRequest{view->first.toByteArray()};
    case ClientMessageView::Kind::SetPatch:
        return SetPatchRequest{view->first.toByteArray()};
    case ClientMessageView::Kind::Chat:
        break;
    }
    return ChatRequest{view->first.toByteArray()};
}

void appendRelayed(QByteArray& out, const ClientMessageView& m, int sender)
{
    switch (m.kind) {
    case ClientMessageView::Kind::NoteOn:
        appendMessage(out, {kNoteOn, m.first, m.second, Digits(sender)});
        return;
    case ClientMessageView::Kind::NoteOff:
        appendMessage(out, {kNoteOff, m.first, Digits(sender)});
        return;
    case ClientMessageView::Kind::SetPatch:
        appendMessage(out, {kSetPatch, Digits(sender), m.first});
        return;
    case ClientMessageView::Kind::Chat:
        return;
    }
}

std::optional<ServerMessage> decodeServerMessage(const QByteArray& message)
{
    const QList<QByteArray> f = splitFields(message);
    const QByteArray& command = f.first();
    if (command == kChatMsg && f.size() >= 2)
        return ChatLine{f[1]};
    if (command == kUserId && f.size() >= 3) {
        if (const auto id = parseId(f[2]))
            return UserIdMessage{f[1], *id};
    } else if (command == kUserName && f.size() >= 3) {
        if (const auto id = parseId(f[1]))
            return UserNameMessage{*id, f[2]};
    } else if (command == kNoteOn && f.size() >= 4) {
        if (const auto id = parseId(f[3]))
            return NoteOnRelay{f[1], f[2], *id};
    } else if (command == kNoteOff && f.size() >= 3) {
        if (const auto id = parseId(f[2]))
            return NoteOffRelay{f[1], *id};
    } else if (command == kSetPatch && f.size() >= 3) {
        if (const auto id = parseId(f[1]))
            return SetPatchRelay{*id, f[2]};
    } else if (command == kRoomInfo && f.size() >= 4) {
        const auto owner = parseNumber(f[2], kMaxUserId);
        const auto locked = parseFlag(f[3]);
        if (owner && locked)
            return RoomInfoMessage{f[1], *owner, *locked};
    } else if (command == kFarewell && f.size() >= 2) {
        return FarewellMessage{f[1]};
    }
    return std::nullopt;
}

} // namespace tamber::protocol
