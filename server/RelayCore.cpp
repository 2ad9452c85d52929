#include "RelayCore.h"

#include "common/protocol/Messages.h"

namespace tamber::server {

namespace msg = protocol;

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
    slot.Name = "User" + msg::decimal(n);
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
    const QList<QByteArray> messages = Users[n - 1].Pending.feed(bytes);
    for (const QByteArray& message : messages) {
        // The sender itself may have been closed by a send of an earlier message.
        if (!m_host.isConnected(n))
            break;
        if (!message.isEmpty() && message.size() <= protocol::kMaxClientMessage)
            HandleClientMessage(n, message);
    }
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
    const auto decoded = msg::decodeClientMessage(message);
    if (!decoded)
        return;
    if (const auto* m = std::get_if<msg::NoteOnRequest>(&*decoded))
        SendToAll(encode(msg::NoteOnRelay{m->note, m->velocity, n}));
    else if (const auto* m = std::get_if<msg::NoteOffRequest>(&*decoded))
        SendToAll(encode(msg::NoteOffRelay{m->note, n}));
    else if (const auto* m = std::get_if<msg::SetPatchRequest>(&*decoded))
        SendToAll(encode(msg::SetPatchRelay{n, m->program}));
    else if (const auto* m = std::get_if<msg::ChatRequest>(&*decoded))
        HandleChatText(n, m->text);
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
    const qsizetype space = text.indexOf(' ');
    if (space < 0)
        return;
    const QByteArray rest = text.mid(space + 1);
    if (text.left(space).toLower() != "/name" || rest.size() > kMaxUserName)
        return;
    slot.Name = rest;
    SendToAll(encode(msg::UserNameMessage{n, slot.Name}));
    m_host.refreshList();
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
