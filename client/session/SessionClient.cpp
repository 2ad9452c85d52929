#include "SessionClient.h"

#include "client/platform/Dialogs.h"
#include "common/protocol/Messages.h"
#include "common/protocol/Text.h"

#include <algorithm>

namespace tamber {

namespace {

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
    const std::optional<QString> address =
        m_links.input.ask(QStringLiteral("Please enter the host's IP address:"),
                          QStringLiteral("Corvent"), QStringLiteral("0"));
    if (!address || m_phase != SessionPhase::Offline)
        return;

    // Bytes left unfinished by an earlier session must not prefix this one's first message.
    m_receiveBuffer.clear();
    m_notesSent.reset();
    m_phase = SessionPhase::Connecting;
    m_links.view.setJoinSessionEnabled(false);
    if (address->trimmed().isEmpty()) {
        onFailed();
        return;
    }
    m_links.transport.connectToHost(*address, m_links.port);
    m_links.transport.armDeadline(kGreetingTimeout);
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
    m_links.transport.close();
    m_links.state.MyUserID = 0;
    m_links.state.MyUserName.clear();
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
    LeaveSession();
    if (refused)
        m_links.report(SessionError::SeatRefused);
}

void SessionClient::onFailed()
{
    if (m_phase == SessionPhase::Offline)
        return;
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
    const QString framable = replaced(
        text, [](char16_t c) { return c == protocol::kFieldEnd || c == protocol::kMessageEnd; });
    SendToServer(encode(protocol::ChatRequest{protocol::encodeText(framable)}));
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
    // Everything else needs the own id, which "UserID" brings.
    if (m_phase != SessionPhase::InSession)
        return;
    std::visit([this](const auto& m) { handle(m); }, *decoded);
}

void SessionClient::handleUserId(const protocol::UserIdMessage& m)
{
    // The server sends it once, first; a repeat must not change the id mid-session.
    if (m_phase != SessionPhase::Connecting)
        return;
    // Notes held while connecting sound on channel 0; their key-ups will go to the new
    // channel, so they are ended now rather than left hanging.
    m_links.engine.SilenceChannel(0);
    m_links.transport.disarmDeadline();
    m_links.state.MyUserName = m.name;
    m_links.state.MyUserID = m.id;
    m_phase = SessionPhase::InSession;
    m_links.view.showChat(m.id, displayText(protocol::decodeText(m.name)));
    m_links.engine.SelectPatch(m_links.state.instrument(), uint8_t(m.id), true);
}

void SessionClient::handle(const protocol::UserIdMessage&)
{
    // Handled before the session begins; see HandleServerMessage.
}

void SessionClient::handle(const protocol::NoteOnRelay& m)
{
    const auto note = protocol::parseMidiValue(m.note);
    const auto velocity = protocol::parseMidiValue(m.velocity);
    if (!note || !velocity || m.sender == m_links.state.MyUserID)
        return;
    m_links.engine.StartNote(*note, *velocity, uint8_t(m.sender), false);
}

void SessionClient::handle(const protocol::NoteOffRelay& m)
{
    const auto note = protocol::parseMidiValue(m.note);
    if (!note || m.sender == m_links.state.MyUserID)
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
    if (m.name == "-" && m.id != m_links.state.MyUserID)
        m_links.engine.SilenceChannel(uint8_t(m.id));
    m_links.view.setUserEntry(m.id - 1, displayText(protocol::decodeText(m.name)));
}

void SessionClient::silenceSessionChannels()
{
    for (int user = 1; user <= protocol::kMaxUserId; ++user)
        m_links.engine.SilenceChannel(uint8_t(user));
}

} // namespace tamber
