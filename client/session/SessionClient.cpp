#include "SessionClient.h"

#include "RecentAddresses.h"
#include "SessionLog.h"

#include "client/platform/Dialogs.h"
#include "common/protocol/Messages.h"
#include "common/protocol/Text.h"

#include <QCoreApplication>
#include <algorithm>

namespace tamber {

namespace {

// A line of the piano's own, in its language (not the server's, which are shown as sent).
QString singleRoomLine()
{
    return QCoreApplication::translate("SessionClient", "This server has a single room.");
}

QString replaced(const QString& text, bool (*unwanted)(char16_t))
{
    QString result = text;
    for (QChar& c : result) {
        if (unwanted(c.unicode()))
            c = QLatin1Char(' ');
    }
    return result;
}

} // namespace

QString displayText(const QString& text)
{
    return replaced(text, [](char16_t c) { return c < 0x20 || c == 0x7F; });
}

SessionClient::SessionClient(Links links) : m_links(std::move(links))
{
    m_links.transport.setEvents({
        .connected = [this] { onConnected(); },
        .received = [this](const QByteArray& bytes) { onReceived(bytes); },
        .peerClosed = [this] { onPeerClosed(); },
        .failed = [this] { onFailed(); },
        .deadlinePassed = [this] { onFailed(); }, // no "UserID" in time
    });
}

void SessionClient::JoinSession()
{
    if (m_phase != SessionPhase::Offline)
        return;
    RecentAddresses recent(m_links.settings);
    const QStringList choices = recent.list();
    const QString initial =
        !m_refusedAddress.isEmpty() ? m_refusedAddress : choices.value(0, QStringLiteral("0"));
    const std::optional<QString> typed = m_links.input.askWithChoices(
        QCoreApplication::translate("SessionClient", "Please enter the host's IP address:"),
        QStringLiteral("Corvent"), initial, choices);
    if (!typed || m_phase != SessionPhase::Offline)
        return;
    const auto parsed = parseSessionAddress(*typed, m_links.port);
    if (const auto* error = std::get_if<AddressError>(&parsed)) {
        m_refusedAddress = *typed;
        m_links.report(*error);
        return;
    }
    m_refusedAddress.clear();
    recent.add(typed->trimmed());
    const auto& address = std::get<SessionAddress>(parsed);

    // Bytes left unfinished by an earlier session must not prefix this one's first message.
    m_receiveBuffer.clear();
    m_notesSent.reset();
    m_askedRoom = address.room.toLatin1();
    m_serverKind = ServerKind::Unknown;
    m_room = {};
    m_farewell.clear();
    m_phase = SessionPhase::Connecting;
    m_links.view.setJoinSessionEnabled(false);
    m_links.transport.connectToHost(address.host, address.port);
    m_links.transport.armDeadline(kGreetingTimeout);
}

void SessionClient::onConnected()
{
    // The server picks the room from the first message it reads, so the request goes before
    // anything else.
    if (m_phase == SessionPhase::Connecting && !m_askedRoom.isEmpty())
        m_links.transport.send(encode(protocol::ChatRequest{protocol::joinCommand(m_askedRoom)}));
}

void SessionClient::LeaveSession()
{
    if (m_phase == SessionPhase::Offline)
        return;
    // Offline first: closing the chat window leads back here, and that nested run must
    // find nothing left to do.
    m_phase = SessionPhase::Offline;
    m_chatBatch.clear();
    m_notesSent.reset();
    m_links.view.closeChat();
    m_room = {};
    m_links.view.showRoom(m_room);
    m_links.transport.close();
    m_links.state.setMyUserID(0);
    m_links.state.setMyUserName({});
    m_links.view.setJoinSessionEnabled(true);
    // No note of the session may keep sounding or stay lit: the other players' channels,
    // the own session channel, and (SilenceAll, now on channel 0) every key.
    silenceSessionChannels();
    m_links.engine.SilenceAll();
}

void SessionClient::onPeerClosed()
{
    // A server that closes before greeting had no seat to give: a ninth player, most likely.
    const bool refused = m_phase == SessionPhase::Connecting;
    const QString farewell = m_farewell;
    LeaveSession();
    if (!farewell.isEmpty())
        m_links.report(SessionFarewell{farewell});
    else if (refused)
        m_links.report(SessionError::SeatRefused);
}

void SessionClient::onFailed()
{
    if (m_phase == SessionPhase::Offline)
        return;
    // Sent out on purpose: however the close then arrives, the reason is what the player
    // needs to read, not a connection error.
    if (!m_farewell.isEmpty()) {
        onPeerClosed();
        return;
    }
    m_links.engine.SilenceAll(); // still the session's channel: MyUserID is not reset yet
    silenceSessionChannels();
    m_links.transport.close();
    m_links.report(SessionError::ConnectFailed);
    LeaveSession();
}

void SessionClient::onReceived(const QByteArray& bytes)
{
    // Fed no more than the cap at a time, so no single read can make the buffer hold more.
    for (qsizetype at = 0; at < bytes.size(); at += kReceiveBufferCap) {
        const qsizetype size = std::min(kReceiveBufferCap, bytes.size() - at);
        for (const QByteArray& message :
             m_receiveBuffer.feed(QByteArray::fromRawData(bytes.constData() + at, size))) {
            if (!message.isEmpty() && message.size() <= kReceiveBufferCap)
                handleMessage(message);
        }
    }
    showChatBatch();
}

void SessionClient::showChatBatch()
{
    if (m_chatBatch.isEmpty())
        return;
    QStringList lines;
    lines.swap(m_chatBatch);
    m_links.view.appendChatLines(lines);
}

bool SessionClient::canSend() const
{
    return m_phase == SessionPhase::InSession && m_links.transport.isConnected();
}

void SessionClient::SendToServer(const QByteArray& message)
{
    // No event loop runs here: a send never re-enters the handler that made it.
    if (canSend())
        m_links.transport.send(message);
}

void SessionClient::sendSetPatch(uint8_t patch)
{
    SendToServer(encode(protocol::SetPatchRequest{protocol::decimal(patch)}));
}

void SessionClient::sendNoteOn(uint8_t note, uint8_t velocity)
{
    if (note > 127 || !canSend())
        return;
    SendToServer(
        encode(protocol::NoteOnRequest{protocol::decimal(note), protocol::decimal(velocity)}));
    m_notesSent.set(note);
}

void SessionClient::sendNoteOff(uint8_t note)
{
    if (note > 127 || !m_notesSent.test(note))
        return;
    m_notesSent.reset(note);
    SendToServer(encode(protocol::NoteOffRequest{protocol::decimal(note)}));
}

void SessionClient::SendChatText(const QString& text)
{
    if (text.isEmpty())
        return;
    // An old server drops the command without a word; the player hears why nothing happens.
    if (m_serverKind == ServerKind::SingleRoom &&
        (text == QLatin1String("/join") || text.startsWith(QLatin1String("/join ")))) {
        m_links.view.appendChatLines({singleRoomLine()});
        return;
    }
    const QString framable = replaced(
        text, [](char16_t c) { return c == protocol::kFieldEnd || c == protocol::kMessageEnd; });
    SendToServer(encode(protocol::ChatRequest{protocol::encodeText(framable)}));
}

void SessionClient::SendOwnerAction(OwnerAction action, int seat)
{
    if (seat < 1 || seat > protocol::kMaxUserId)
        return;
    const QByteArray n = protocol::decimal(seat);
    QByteArray command;
    switch (action) {
    case OwnerAction::Kick:
        command = "/kick " + n;
        break;
    case OwnerAction::BanForAnHour:
        command = "/ban " + n + ' ' + protocol::decimal(kBanMinutes);
        break;
    case OwnerAction::MakeOwner:
        command = "/owner " + n;
        break;
    }
    SendToServer(encode(protocol::ChatRequest{command}));
}

void SessionClient::SendLock(bool locked)
{
    SendToServer(encode(protocol::ChatRequest{locked ? "/lock" : "/unlock"}));
}

void SessionClient::HandleServerMessage(const QByteArray& message)
{
    handleMessage(message);
    showChatBatch();
}

void SessionClient::handleMessage(const QByteArray& message)
{
    const auto decoded = protocol::decodeServerMessage(message);
    if (!decoded)
        return;
    if (const auto* m = std::get_if<protocol::UserIdMessage>(&*decoded)) {
        handleUserId(*m);
        return;
    }
    // A refusal comes before any greeting; its reason is kept for the close that follows.
    if (const auto* m = std::get_if<protocol::FarewellMessage>(&*decoded)) {
        handle(*m);
        return;
    }
    // Everything else needs the own id, which "UserID" brings.
    if (m_phase != SessionPhase::InSession)
        return;
    learnServerKind(*decoded);
    std::visit([this](const auto& m) { handle(m); }, *decoded);
}

void SessionClient::learnServerKind(const protocol::ServerMessage& m)
{
    if (m_serverKind != ServerKind::Unknown)
        return;
    if (std::holds_alternative<protocol::RoomInfoMessage>(m)) {
        m_serverKind = ServerKind::Rooms;
        return;
    }
    // The first message after "UserID" is the welcome line; "RoomInfo" would come next.
    if (++m_messagesSinceGreeting < 2)
        return;
    m_serverKind = ServerKind::SingleRoom;
    qCDebug(lcSession) << "The server has a single room";
    if (!m_askedRoom.isEmpty())
        m_chatBatch.append(singleRoomLine());
}

void SessionClient::handleUserId(const protocol::UserIdMessage& m)
{
    // Once more in a session: the server seated the player in another room.
    if (m_phase == SessionPhase::InSession) {
        moveTo(m);
        return;
    }
    if (m_phase != SessionPhase::Connecting)
        return;
    // Notes held while connecting sound on channel 0; their key-ups will go to the new
    // channel, so they are ended now rather than left hanging.
    m_links.engine.SilenceChannel(0);
    m_links.transport.disarmDeadline();
    m_links.state.setMyUserName(m.name);
    m_links.state.setMyUserID(m.id);
    m_phase = SessionPhase::InSession;
    m_messagesSinceGreeting = 0;
    m_links.view.showChat(m.id, displayText(protocol::decodeText(m.name)));
    m_links.engine.SelectPatch(m_links.state.instrument(), uint8_t(m.id), true);
}

void SessionClient::moveTo(const protocol::UserIdMessage& m)
{
    // Nothing of the room left behind may keep sounding: the others' notes, and the own ones,
    // whose key-ups will go to the new channel and the new room, which never heard them.
    silenceSessionChannels();
    m_notesSent.reset();
    m_links.state.setMyUserName(m.name);
    m_links.state.setMyUserID(m.id);
    m_room = {};
    m_links.view.showRoom(m_room);
    m_links.view.resetUsers(m.id, displayText(protocol::decodeText(m.name)));
    m_links.engine.SelectPatch(m_links.state.instrument(), uint8_t(m.id), true);
    qCDebug(lcSession) << "Moved to another room as user" << m.id;
}

void SessionClient::handle(const protocol::UserIdMessage&)
{
    // Handled by handleUserId before the others; see handleMessage.
}

void SessionClient::handle(const protocol::NoteOnRelay& m)
{
    const auto note = protocol::parseMidiValue(m.note);
    const auto velocity = protocol::parseMidiValue(m.velocity);
    if (!note || !velocity || m.sender == m_links.state.MyUserID())
        return;
    m_links.engine.StartNote(*note, *velocity, uint8_t(m.sender), false);
}

void SessionClient::handle(const protocol::NoteOffRelay& m)
{
    const auto note = protocol::parseMidiValue(m.note);
    if (!note || m.sender == m_links.state.MyUserID())
        return;
    m_links.engine.StopNote(*note, uint8_t(m.sender), false);
}

void SessionClient::handle(const protocol::SetPatchRelay& m)
{
    // The own echo is applied too: it is the same instrument on the same channel.
    if (const auto patch = protocol::parseMidiValue(m.program))
        m_links.engine.SelectPatch(*patch, uint8_t(m.sender), false);
}

void SessionClient::handle(const protocol::ChatLine& m)
{
    // Shown with the others of the same read: one update of the transcript, however many.
    m_chatBatch.append(displayText(protocol::decodeText(m.line)));
}

void SessionClient::handle(const protocol::UserNameMessage& m)
{
    // "-" marks a slot left empty: whatever that player still held must stop.
    if (m.name == "-" && m.id != m_links.state.MyUserID())
        m_links.engine.SilenceChannel(uint8_t(m.id));
    m_links.view.setUserEntry(m.id - 1, displayText(protocol::decodeText(m.name)));
}

void SessionClient::handle(const protocol::RoomInfoMessage& m)
{
    const int me = m_links.state.MyUserID();
    m_room = {displayText(protocol::decodeText(m.name)), m.ownerId, m.locked,
              m.ownerId != 0 && m.ownerId == me};
    m_links.view.showRoom(m_room);
}

void SessionClient::handle(const protocol::FarewellMessage& m)
{
    const QString reason = displayText(protocol::decodeText(m.reason)).trimmed();
    if (reason.isEmpty()) {
        qCWarning(lcSession) << "The server said farewell without a reason; ignored";
        return;
    }
    qCInfo(lcSession).noquote() << "The server is sending us out:" << reason;
    m_farewell = reason;
}

void SessionClient::silenceSessionChannels()
{
    for (int user = 1; user <= protocol::kMaxUserId; ++user)
        m_links.engine.SilenceChannel(uint8_t(user));
}

} // namespace tamber
