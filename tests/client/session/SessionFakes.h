#pragma once

// Test doubles of the session's transport and view, and a piano's session parts wired
// to fakes (the note engine is real).

#include "client/session/SessionClient.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSound.h"
#include "tests/fakes/PresentedBoxes.h"

#include <QStringList>
#include <chrono>
#include <optional>
#include <vector>

namespace tamber::fakes {

// One complete message of the given fields, as the server would send it.
inline QByteArray msg(const QList<QByteArray>& fields)
{
    return protocol::buildMessage(fields);
}

class FakeSessionTransport : public SessionTransport
{
public:
    void setEvents(Events e) override { events = std::move(e); }
    void connectToHost(const QString& h, uint16_t p) override
    {
        host = h;
        port = p;
        ++connects;
        connected = false;
        deadline.reset();
    }
    bool isConnected() const override { return connected; }
    void send(const QByteArray& bytes) override
    {
        if (connected)
            sent.push_back(bytes);
    }
    void close() override
    {
        connected = false;
        deadline.reset();
        ++closes;
    }
    void armDeadline(std::chrono::milliseconds after) override { deadline = after; }
    void disarmDeadline() override { deadline.reset(); }

    // What the socket would report.
    void accept()
    {
        connected = true;
        if (events.connected)
            events.connected();
    }
    void deliver(const QByteArray& bytes) { events.received(bytes); }
    void serverCloses()
    {
        connected = false;
        events.peerClosed();
    }
    void fail()
    {
        connected = false;
        events.failed();
    }
    // The armed deadline passes (the transport closes itself first).
    void passDeadline()
    {
        if (!deadline)
            return;
        connected = false;
        deadline.reset();
        events.deadlinePassed();
    }
    QByteArray sentBytes() const
    {
        QByteArray all;
        for (const QByteArray& b : sent)
            all += b;
        return all;
    }

    Events events;
    QString host;
    uint16_t port = 0;
    bool connected = false;
    int connects = 0;
    int closes = 0;
    std::optional<std::chrono::milliseconds> deadline; // armed, not yet passed
    std::vector<QByteArray> sent;
};

class FakeSessionView : public SessionView
{
public:
    void setJoinSessionEnabled(bool enabled) override { joinEnabled = enabled; }
    void showChat(int myUserId, const QString& myUserName) override
    {
        chatOpen = true;
        ++chatsShown;
        transcript.clear();
        users = QStringList(8, QStringLiteral("-"));
        users[myUserId - 1] = myUserName;
    }
    void closeChat() override
    {
        if (!chatOpen)
            return;
        chatOpen = false;
        ++chatsClosed;
        if (onClose)
            onClose(); // the real window's close handling leaves the session too
    }
    void appendChatLines(const QStringList& lines) override
    {
        if (!chatOpen)
            return;
        transcript.append(lines);
        batches.push_back(int(lines.size()));
    }
    void setUserEntry(int position, const QString& name) override
    {
        if (chatOpen && position >= 0 && position < users.size())
            users[position] = name;
    }
    void resetUsers(int myUserId, const QString& myUserName) override
    {
        if (!chatOpen)
            return;
        users = QStringList(8, QStringLiteral("-"));
        users[myUserId - 1] = myUserName;
    }
    void showRoom(const RoomView& shown) override { room = shown; }

    bool joinEnabled = true;
    bool chatOpen = false;
    int chatsShown = 0;
    int chatsClosed = 0;
    QStringList transcript;
    std::vector<int> batches; // lines per appendChatLines call
    QStringList users;
    RoomView room;
    std::function<void()> onClose;
};

// Declared in this order on purpose: the client only stores a reference to the engine
// declared after it; the engine gets the client as its outbox once it exists.
struct SessionRig
{
    FakeMidiOutputDevices output;
    FakeKeyLights keys;
    FakeRecorder recorder;
    PresentedBoxes boxes;
    FakeInputBox input;
    FakeSettingsStore settings;
    FakeSessionTransport transport;
    FakeSessionView view;
    PianoState state;
    SessionClient client{{engine, boxes.reporter(), input, settings, transport, view, state}};
    NoteEngine engine{{output, keys, client, recorder, state}};

    SessionRig()
    {
        output.names = {"Fake Synth"};
        output.open(0);
        output.log.clear();
    }

    // Join, connect and receive the given id, as a server would greet us.
    void joinAs(int id, const QByteArray& name, const QString& address = "127.0.0.1")
    {
        input.answer = address;
        client.JoinSession();
        transport.accept();
        transport.deliver(protocol::buildMessage({"UserID", name, QByteArray::number(id)}));
        transport.sent.clear();
        output.sent.clear();
    }
};

} // namespace tamber::fakes
