#include "SessionClient.h"

#include "client/platform/Dialogs.h"

namespace tamber {

namespace {

constexpr int kMaxUserId = 8;
constexpr int kMaxMidiValue = 127;

// A user id as the server stamps it: 1..8.
std::optional<int> parseUserId(const QByteArray& field)
{
    const auto id = protocol::parseNumber(field, kMaxUserId);
    if (!id || *id < 1)
        return std::nullopt;
    return id;
}

std::optional<int> parseMidiValue(const QByteArray& field)
{
    return protocol::parseNumber(field, kMaxMidiValue);
}

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

QString displayText(const QString& text)
{
    QString shown = text;
    for (QChar& c : shown) {
        if (isControl(c.unicode()))
            c = QLatin1Char(' ');
    }
    return shown;
}

SessionClient::SessionClient(Links links) : m_links(std::move(links))
{
    m_links.transport.setEvents({
        [this](const QByteArray& bytes) { onReceived(bytes); },
        [this] { LeaveSession(); },
        [this] { onFailed(); },
    });
}

void SessionClient::JoinSession()
{
    if (m_phase != SessionPhase::Offline)
        return;
    const std::optional<QString> address =
        m_links.input.ask(QStringLiteral("Please enter the host's IP address:"),
                          QStringLiteral("Corvent"), QStringLiteral("0"));
    // The input box runs its own event loop; a second Join may have started meanwhile.
    if (!address || m_phase != SessionPhase::Offline)
        return;

    ++m_connection;
    // Bytes left unfinished by an earlier session must not prefix this one's first message.
    m_receiveBuffer.clear();
    m_phase = SessionPhase::Connecting;
    m_links.view.setJoinSessionEnabled(false);
    if (address->trimmed().isEmpty()) {
        onFailed();
        return;
    }
    m_links.transport.connectToHost(*address, m_links.port);
}

void SessionClient::LeaveSession()
{
    if (m_phase == SessionPhase::Offline)
        return;
    // Offline first: closing the chat window leads back here, and that nested run must
    // find nothing left to do.
    m_phase = SessionPhase::Offline;
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

void SessionClient::onFailed()
{
    if (m_phase == SessionPhase::Offline)
        return;
    const uint64_t connection = m_connection;
    m_links.engine.SilenceAll(); // still the session's channel: MyUserID is not reset yet
    silenceSessionChannels();
    // Nothing more may arrive from this connection while the box runs its event loop.
    m_links.transport.close();
    m_links.boxes.show(QStringLiteral("Tamber Piano could not connect to the server!"),
                       QStringLiteral("Error"), MessageBoxes::Icon::Critical);
    // While the box was open the user may have left through the chat window and joined
    // again; that newer session is not this error's to end.
    if (m_connection == connection)
        LeaveSession();
}

void SessionClient::onReceived(const QByteArray& bytes)
{
    const uint64_t connection = m_connection;
    for (const QByteArray& message : m_receiveBuffer.feed(bytes)) {
        if (m_connection != connection || m_phase == SessionPhase::Offline)
            return;
        if (!message.isEmpty())
            HandleServerMessage(message);
    }
}

void SessionClient::SendToServer(const QByteArray& message)
{
    // No event loop runs here: a send never re-enters the handler that made it.
    if (m_phase == SessionPhase::InSession && m_links.transport.isConnected())
        m_links.transport.send(message);
}

void SessionClient::sendSetPatch(uint8_t patch)
{
    SendToServer(protocol::buildMessage({"SetPatch", QByteArray::number(patch)}));
}

void SessionClient::sendNoteOn(uint8_t note, uint8_t velocity)
{
    SendToServer(
        protocol::buildMessage({"NoteOn", QByteArray::number(note), QByteArray::number(velocity)}));
}

void SessionClient::sendNoteOff(uint8_t note)
{
    SendToServer(protocol::buildMessage({"NoteOff", QByteArray::number(note)}));
}

void SessionClient::SendChatText(const QString& text)
{
    if (text.isEmpty())
        return;
    // A pasted NUL or SOH would cut the message apart at the server.
    SendToServer(protocol::buildMessage({"ChatMsg", protocol::toWire(displayText(text))}));
}

void SessionClient::HandleServerMessage(const QByteArray& message)
{
    const QList<QByteArray> fields = protocol::splitFields(message);
    if (fields.isEmpty())
        return;
    const QByteArray& command = fields.first();
    if (command == "UserID") {
        handleUserId(fields);
        return;
    }
    // Everything else needs the own id, which "UserID" brings.
    if (m_phase != SessionPhase::InSession)
        return;
    if (command == "NoteOn")
        handleNoteOn(fields);
    else if (command == "NoteOff")
        handleNoteOff(fields);
    else if (command == "SetPatch")
        handleSetPatch(fields);
    else if (command == "ChatMsg")
        handleChatMsg(fields);
    else if (command == "UserName")
        handleUserName(fields);
}

void SessionClient::handleUserId(const QList<QByteArray>& fields)
{
    // The server sends it once, first; a repeat must not change the id mid-session.
    if (m_phase != SessionPhase::Connecting || fields.size() < 3)
        return;
    const auto id = parseUserId(fields[2]);
    if (!id)
        return;
    // Notes held while connecting sound on channel 0; their key-ups will go to the new
    // channel, so they are ended now rather than left hanging.
    m_links.engine.SilenceChannel(0);
    m_links.state.MyUserName = fields[1];
    m_links.state.MyUserID = *id;
    m_phase = SessionPhase::InSession;
    m_links.view.showChat(*id, displayText(protocol::fromWire(fields[1])));
    m_links.engine.SelectPatch(m_links.selectedInstrument(), uint8_t(*id), true);
}

void SessionClient::handleNoteOn(const QList<QByteArray>& fields)
{
    if (fields.size() < 4)
        return;
    const auto note = parseMidiValue(fields[1]);
    const auto velocity = parseMidiValue(fields[2]);
    const auto user = parseUserId(fields[3]);
    if (!note || !velocity || !user || *user == m_links.state.MyUserID)
        return;
    m_links.engine.StartNote(uint8_t(*note), uint8_t(*velocity), uint8_t(*user), false);
}

void SessionClient::handleNoteOff(const QList<QByteArray>& fields)
{
    if (fields.size() < 3)
        return;
    const auto note = parseMidiValue(fields[1]);
    const auto user = parseUserId(fields[2]);
    if (!note || !user || *user == m_links.state.MyUserID)
        return;
    m_links.engine.StopNote(uint8_t(*note), uint8_t(*user), false);
}

void SessionClient::handleSetPatch(const QList<QByteArray>& fields)
{
    if (fields.size() < 3)
        return;
    const auto user = parseUserId(fields[1]);
    const auto patch = parseMidiValue(fields[2]);
    // The own echo is applied too: it is the same instrument on the same channel.
    if (!user || !patch)
        return;
    m_links.engine.SelectPatch(uint8_t(*patch), uint8_t(*user), false);
}

void SessionClient::handleChatMsg(const QList<QByteArray>& fields)
{
    if (fields.size() < 2)
        return;
    m_links.view.appendChatLine(displayText(protocol::fromWire(fields[1])));
}

void SessionClient::handleUserName(const QList<QByteArray>& fields)
{
    if (fields.size() < 3)
        return;
    const auto user = parseUserId(fields[1]);
    if (!user)
        return;
    // "-" marks a slot left empty: whatever that player still held must stop.
    if (fields[2] == "-" && *user != m_links.state.MyUserID)
        m_links.engine.SilenceChannel(uint8_t(*user));
    m_links.view.setUserEntry(*user - 1, displayText(protocol::fromWire(fields[2])));
}

void SessionClient::silenceSessionChannels()
{
    for (int user = 1; user <= kMaxUserId; ++user)
        m_links.engine.SilenceChannel(uint8_t(user));
}

} // namespace tamber
