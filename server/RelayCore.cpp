#include "RelayCore.h"

namespace tamber::server {

using protocol::buildMessage;

namespace {

QByteArray number(int n)
{
    return QByteArray::number(n);
}

} // namespace

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
    slot.Name = "User" + number(n);
    slot.Reserved = 0;
    // A previous client's half message must not prefix this client's first data.
    slot.Pending.clear();

    SendToUser(n, buildMessage({"UserID", slot.Name, number(n)}));
    SendToUser(n, buildMessage({"ChatMsg", "Welcome to Corvent!"}));
    for (int m = 1; m <= kSlotCount; ++m) {
        if (m_host.isConnected(m))
            SendToAll(buildMessage({"UserName", number(m), Users[m - 1].Name}));
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
    SendToAll(buildMessage({"UserName", number(n), "-"}));
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
    const QList<QByteArray> fields = protocol::splitFields(message);
    const QByteArray& command = fields.first();
    if (command == "NoteOn") {
        if (fields.size() >= 3)
            SendToAll(buildMessage({"NoteOn", fields[1], fields[2], number(n)}));
    } else if (command == "NoteOff") {
        if (fields.size() >= 2)
            SendToAll(buildMessage({"NoteOff", fields[1], number(n)}));
    } else if (command == "SetPatch") {
        if (fields.size() >= 2)
            SendToAll(buildMessage({"SetPatch", number(n), fields[1]}));
    } else if (command == "ChatMsg") {
        if (fields.size() >= 2)
            HandleChatText(n, fields[1]);
    }
}

void RelayCore::HandleChatText(int n, const QByteArray& text)
{
    if (text.isEmpty() || text.size() > kMaxChatText)
        return;
    UserSlot& slot = Users[n - 1];
    if (!text.startsWith('/')) {
        SendToAll(buildMessage({"ChatMsg", slot.Name + ": " + text}));
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
    SendToAll(buildMessage({"UserName", number(n), slot.Name}));
    m_host.refreshList();
}

void RelayCore::settleDepartures()
{
    while (!m_overflowed.isEmpty()) {
        const int n = m_overflowed.takeFirst();
        SendToAll(buildMessage({"UserName", number(n), "-"}));
        m_host.refreshList();
    }
}

} // namespace tamber::server
