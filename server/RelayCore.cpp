#include "RelayCore.h"

#include "server/RelayLog.h"

namespace tamber::server {

namespace msg = protocol;

std::optional<QByteArray> nameCommandRest(const QByteArray& text)
{
    if (!text.startsWith('/'))
        return std::nullopt;
    const qsizetype space = text.indexOf(' ');
    if (space < 0 || text.left(space).toLower() != "/name")
        return std::nullopt;
    return text.mid(space + 1);
}

int RelayCore::firstFreeSlot() const
{
    for (int n = 1; n <= kSlotCount; ++n) {
        if (!m_host.isConnected(n))
            return n;
    }
    return 0;
}

void RelayCore::accepted(int n)
{
    UserSlot& slot = Users[n - 1];
    // Never seated under a name someone present goes by.
    slot.Name =
        uniqueName(defaultName(n), [&](const QByteArray& name) { return nameInUse(n, name); });
    slot.Reserved = 0;
    // A previous client's half message must not prefix this client's first data.
    slot.Pending.clear();

    SendToUser(n, encode(msg::UserIdMessage{slot.Name, n}));
    SendToUser(n, encode(msg::ChatLine{"Welcome to Corvent!"}));
    for (int m = 1; m <= kSlotCount; ++m) {
        if (m_host.isConnected(m))
            SendToAll(encode(msg::UserNameMessage{m, Users[m - 1].Name}));
    }
    m_host.refreshList();
    settleDepartures();
}

void RelayCore::received(int n, const QByteArray& bytes)
{
    for (const QByteArray& message : cut(n, bytes)) {
        // The sender itself may have been closed by a send of an earlier message.
        if (!m_host.isConnected(n))
            break;
        if (const auto decoded = decode(message))
            handle(n, *decoded);
    }
}

QList<QByteArray> RelayCore::cut(int n, const QByteArray& bytes)
{
    return Users[n - 1].Pending.feed(bytes);
}

std::optional<protocol::ClientMessage> RelayCore::decode(const QByteArray& message)
{
    if (message.isEmpty() || message.size() > protocol::kMaxClientMessage)
        return std::nullopt;
    return msg::decodeClientMessage(message);
}

void RelayCore::handle(int n, const protocol::ClientMessage& message)
{
    if (const auto* m = std::get_if<msg::NoteOnRequest>(&message))
        SendToAll(encode(msg::NoteOnRelay{m->note, m->velocity, n}));
    else if (const auto* m = std::get_if<msg::NoteOffRequest>(&message))
        SendToAll(encode(msg::NoteOffRelay{m->note, n}));
    else if (const auto* m = std::get_if<msg::SetPatchRequest>(&message))
        SendToAll(encode(msg::SetPatchRelay{n, m->program}));
    else if (const auto* m = std::get_if<msg::ChatRequest>(&message))
        HandleChatText(n, m->text);
    settleDepartures();
}

void RelayCore::departed(int n)
{
    SendToAll(encode(msg::UserNameMessage{n, "-"}));
    CloseSlot(n);
    settleDepartures();
}

void RelayCore::SendToUser(int n, const QByteArray& message)
{
    if (!m_host.isConnected(n))
        return;
    if (!m_host.send(n, message)) {
        // A client that does not read may not make the server buffer without limit; it is
        // closed at once and announced once the current step is done.
        qCInfo(lcRelay) << "Place" << n << "cut off: it stopped reading what it was sent";
        m_host.close(n, true);
        m_overflowed.append(n);
    }
}

void RelayCore::SendToAll(const QByteArray& message)
{
    for (int n = 1; n <= kSlotCount; ++n) {
        if (m_host.isConnected(n))
            SendToUser(n, message);
    }
}

void RelayCore::CloseSlot(int n)
{
    m_host.close(n, false);
    m_host.refreshList();
}

void RelayCore::HandleClientMessage(int n, const QByteArray& message)
{
    if (const auto decoded = msg::decodeClientMessage(message))
        handle(n, *decoded);
}

void RelayCore::HandleChatText(int n, const QByteArray& text)
{
    if (text.isEmpty() || text.size() > kMaxChatText)
        return;
    UserSlot& slot = Users[n - 1];
    if (!text.startsWith('/')) {
        SendToAll(encode(msg::ChatLine{slot.Name + ": " + text}));
        return;
    }
    // Slash text is a command and never relayed; "/name" is the only one.
    const auto rest = nameCommandRest(text);
    if (!rest)
        return;
    if (const char* refusal = nameRefusal(n, *rest)) {
        SendToUser(n, encode(msg::ChatLine{refusal}));
        return;
    }
    slot.Name = *rest;
    SendToAll(encode(msg::UserNameMessage{n, slot.Name}));
    m_host.refreshList();
}

const char* RelayCore::nameRefusal(int n, const QByteArray& name) const
{
    switch (nameFault(name)) {
    case NameFault::Control:
        return "A name may not hold control characters.";
    case NameFault::Blank:
        return "A name may not begin or end with a blank.";
    case NameFault::Empty:
        return "A name may not be empty.";
    case NameFault::TooLong:
        return "A name is at most 10 characters.";
    case NameFault::None:
        break;
    }
    // Every piano shows "-" as an empty seat.
    if (name == "-")
        return "That name marks an empty seat.";
    const int seat = defaultSeatOf(name);
    if (seat != 0 && seat != n)
        return "That name is kept for its seat.";
    if (nameInUse(n, name))
        return "That name is taken.";
    return nullptr;
}

bool RelayCore::nameInUse(int n, const QByteArray& name) const
{
    for (int m = 1; m <= kSlotCount; ++m) {
        if (m != n && m_host.isConnected(m) && sameName(name, Users[m - 1].Name))
            return true;
    }
    return false;
}

void RelayCore::settleDepartures()
{
    while (!m_overflowed.isEmpty()) {
        const int n = m_overflowed.takeFirst();
        SendToAll(encode(msg::UserNameMessage{n, "-"}));
        m_host.refreshList();
    }
}

} // namespace tamber::server
