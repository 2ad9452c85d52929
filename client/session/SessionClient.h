#pragma once

#include "client/engine/NoteEngine.h"
#include "client/session/SessionAddress.h"
#include "client/session/SessionTransport.h"
#include "client/session/SessionView.h"
#include "common/protocol/Codec.h"
#include "common/protocol/Messages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <functional>
#include <variant>

namespace tamber {

class InputBox;
class SettingsStore;

enum class SessionPhase
{
    Offline,
    Connecting,
    InSession
};

// What ends a session attempt with something to tell the user.
enum class SessionError
{
    ConnectFailed, // any socket error, no greeting in time, an empty address
    SeatRefused,   // the server closed before greeting: most likely full
};

// The server's reason for sending the player out ("Farewell"), told once the connection closes.
struct SessionFarewell
{
    QString reason;
};

using SessionReport = std::variant<SessionError, SessionFarewell, AddressError>;

// What the owner of a room may do to another player, from the chat window's user list.
enum class OwnerAction
{
    Kick,
    BanForAnHour,
    MakeOwner,
};

// Shows text from other people on one line: C0 controls and DEL become spaces, so no name
// or chat line can break the transcript into forged lines. Everything else Windows-1252
// decodes to is shown as it is.
QString displayText(const QString& text);

// The piano's side of a session: joining a relay server, turning its messages into notes,
// instrument changes, chat lines and user-list entries, sending the local player's events,
// and leaving.
//
// The client only stores the references it is given, so it and the note engine can be
// members of one object that refer to each other.
class SessionClient : public SessionOutbox
{
public:
    struct Links
    {
        NoteEngine& engine;
        std::function<void(const SessionReport&)> report;
        InputBox& input;
        SettingsStore& settings; // the addresses joined last
        SessionTransport& transport;
        SessionView& view;
        PianoState& state; // writes MyUserID and MyUserName, reads the instrument
        uint16_t port = protocol::kPort;
    };

    // Longest server message taken; real ones are under 100 bytes. Longer ones are dropped
    // however they arrive, and no more than this is ever kept waiting for its SOH.
    static constexpr qsizetype kReceiveBufferCap = 4096;
    // A server that has not greeted with "UserID" by then is not one the piano can use.
    static constexpr std::chrono::milliseconds kGreetingTimeout{10'000};
    static constexpr int kBanMinutes = 60;

    explicit SessionClient(Links links);

    // The "&Join Session..." menu item (Ctrl+J): asks for an address (see parseSessionAddress),
    // offering the recent ones. With a room, "/join NAME" is the first message sent.
    void JoinSession();
    // Ends the session: Exit or close box of the chat window, closing the main window.
    // Does nothing when offline, so a nested or repeated call is harmless.
    void LeaveSession();
    // The chat window's Send: one "ChatMsg" with the typed line as it is (Windows-1252),
    // except that NUL and SOH, which would cut the message apart, become spaces. An empty
    // line sends nothing.
    void SendChatText(const QString& text);
    // The owner's commands: "/kick N", "/ban N 60", "/owner N"; "/lock" or "/unlock". The
    // server decides whether the sender may.
    void SendOwnerAction(OwnerAction action, int seat);
    void SendLock(bool locked);

    // One message, without its SOH. Messages with missing, non-numeric or out-of-range
    // fields and unknown command words are ignored.
    void HandleServerMessage(const QByteArray& message);
    // One complete encoded message; dropped unless in a session.
    void SendToServer(const QByteArray& message);

    void sendSetPatch(uint8_t patch) override;
    void sendNoteOn(uint8_t note, uint8_t velocity) override;
    // Only for a note whose "NoteOn" went to this session: a key released in another
    // window, or held from before the session, must not stop other people's notes.
    void sendNoteOff(uint8_t note) override;

    SessionPhase phase() const { return m_phase; }
    const RoomView& room() const { return m_room; }
    qsizetype pendingBytes() const { return m_receiveBuffer.pendingSize(); }

private:
    void onReceived(const QByteArray& bytes);
    void handleMessage(const QByteArray& message);
    void showChatBatch();
    bool canSend() const;
    void onConnected();
    void onPeerClosed();
    void onFailed();
    void handleUserId(const protocol::UserIdMessage& m);
    void moveTo(const protocol::UserIdMessage& m);
    void learnServerKind(const protocol::ServerMessage& m);
    void handle(const protocol::UserIdMessage& m);
    void handle(const protocol::NoteOnRelay& m);
    void handle(const protocol::NoteOffRelay& m);
    void handle(const protocol::SetPatchRelay& m);
    void handle(const protocol::ChatLine& m);
    void handle(const protocol::UserNameMessage& m);
    void handle(const protocol::RoomInfoMessage& m);
    void handle(const protocol::FarewellMessage& m);
    void silenceSessionChannels();

    // Whether the server holds rooms: one that does follows its welcome line with "RoomInfo".
    enum class ServerKind
    {
        Unknown,
        Rooms,
        SingleRoom,
    };

    Links m_links;
    SessionPhase m_phase = SessionPhase::Offline;
    protocol::MessageAssembler m_receiveBuffer{kReceiveBufferCap}; // ReceiveBuffer
    std::bitset<128> m_notesSent; // notes whose "NoteOn" went out and no "NoteOff" since
    QStringList m_chatBatch;      // chat lines of the bytes being handled, shown together
    QString m_refusedAddress;     // typed and refused: offered again to be put right
    QByteArray m_askedRoom;       // the room of the address joined; empty: the default room
    ServerKind m_serverKind = ServerKind::Unknown;
    int m_messagesSinceGreeting = 0;
    RoomView m_room;
    QString m_farewell; // the server's reason, once it said it is sending the player out
};

} // namespace tamber
