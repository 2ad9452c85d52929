// Two session clients on real sockets against the real relay server, on loopback.
#include "SessionFakes.h"
#include "client/session/TcpSessionTransport.h"
#include "server/RelayServer.h"

#include <QTcpServer>
#include <QTest>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {

// Generous bound for loopback events; the tests wait for outcomes, never for time.
constexpr int kPatienceMs = 5000;

bool contains(const std::vector<ShortMessage>& sent, ShortMessage m)
{
    return std::find(sent.begin(), sent.end(), m) != sent.end();
}

long count(const std::vector<ShortMessage>& sent, ShortMessage m)
{
    return std::count(sent.begin(), sent.end(), m);
}

// A piano's session parts: real socket and note engine, fake devices and windows.
struct Piano
{
    explicit Piano(uint16_t serverPort) : port(serverPort)
    {
        output.names = {"Fake Synth"};
        output.open(0);
    }

    bool join()
    {
        input.answer = QStringLiteral("127.0.0.1");
        client.JoinSession();
        return QTest::qWaitFor([this] { return client.phase() == SessionPhase::InSession; },
                               kPatienceMs);
    }
    void say(const QString& text) { client.SendChatText(text); }
    // Waits until a line shows in the transcript.
    bool hears(const QString& line)
    {
        return QTest::qWaitFor([&] { return view.transcript.contains(line); }, kPatienceMs);
    }

    uint16_t port;
    FakeMidiOutputDevices output;
    FakeKeyLights keys;
    FakeRecorder recorder;
    PresentedBoxes boxes;
    FakeInputBox input;
    FakeSettingsStore settings;
    TcpSessionTransport transport;
    FakeSessionView view;
    PianoState state;
    SessionClient client{{engine, boxes.reporter(), input, settings, transport, view, state, port}};
    NoteEngine engine{{output, keys, client, recorder, state}};
};

class SessionWithServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start(0, QHostAddress::LocalHost)) << server.errorString().toStdString();
        a = std::make_unique<Piano>(server.port());
        b = std::make_unique<Piano>(server.port());
        ASSERT_TRUE(a->join());
        ASSERT_TRUE(b->join());
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return a->view.users.value(1) == "User2"; }, kPatienceMs));
    }

    server::RelayServer server;
    std::unique_ptr<Piano> a;
    std::unique_ptr<Piano> b;
};

} // namespace

TEST_F(SessionWithServer, NotesAreRelayedOnTheSendersChannelWithItsInstrument)
{
    EXPECT_EQ(a->state.MyUserID(), 1);
    EXPECT_EQ(b->state.MyUserID(), 2);
    EXPECT_EQ(b->view.users, (QStringList{"User1", "User2", "-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(a->view.transcript.value(0), QStringLiteral("Welcome to Corvent!"));

    a->state.setInstrument(40);
    a->engine.StartNote(60, 127, uint8_t(a->state.MyUserID()), true);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return contains(b->output.sent, makeShortMessage(0x91, 60, 127)); }, kPatienceMs));
    EXPECT_TRUE(contains(b->output.sent, makeShortMessage(0xC1, 40, 0)))
        << "A's instrument on A's channel";
    EXPECT_EQ(b->keys.lit.at(24), PaintKey(1, 127)) << "lit in A's colour";

    a->engine.StopNote(60, uint8_t(a->state.MyUserID()), true);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return contains(b->output.sent, makeShortMessage(0x81, 60, 0)); }, kPatienceMs));
    EXPECT_FALSE(b->keys.lit.count(24));

    // A's own echoes have arrived once A hears its own chat line (one stream, in order).
    a->say(QStringLiteral("sync"));
    ASSERT_TRUE(a->hears(QStringLiteral("User1: sync")));
    EXPECT_EQ(count(a->output.sent, makeShortMessage(0x91, 60, 127)), 1) << "echo not replayed";
    EXPECT_EQ(count(a->output.sent, makeShortMessage(0xC1, 40, 0)), 1)
        << "the SetPatch echo is re-applied on A's own channel";
}

TEST_F(SessionWithServer, NotesLeaveWithoutWaitingForTheLastOnesAcknowledgement)
{
    for (Piano* piano : {a.get(), b.get()}) {
        auto* socket = piano->transport.findChild<QTcpSocket*>();
        ASSERT_NE(socket, nullptr);
        EXPECT_EQ(socket->socketOption(QAbstractSocket::LowDelayOption).toInt(), 1);
    }
}

TEST_F(SessionWithServer, ChatRoundTripAndRename)
{
    b->say(QStringLiteral("hello"));
    ASSERT_TRUE(a->hears(QStringLiteral("User2: hello")));
    ASSERT_TRUE(b->hears(QStringLiteral("User2: hello")));

    b->say(QStringLiteral("/name Bob"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return a->view.users.value(1) == "Bob"; }, kPatienceMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return b->view.users.value(1) == "Bob"; }, kPatienceMs));
    b->say(QStringLiteral("caf\u00e9"));
    ASSERT_TRUE(a->hears(QStringLiteral("Bob: caf\u00e9")));
    EXPECT_EQ(a->view.transcript, (QStringList{"Welcome to Corvent!", "User2: hello",
                                               QStringLiteral("Bob: caf\u00e9")}))
        << "the command itself is not a chat line";
}

TEST_F(SessionWithServer, APlayerWhoLeavesIsSilencedAtTheOthers)
{
    a->engine.StartNote(64, 100, uint8_t(a->state.MyUserID()), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b->engine.isSounding(1, 64); }, kPatienceMs));
    a->client.LeaveSession(); // Exit while the key is still down
    EXPECT_EQ(a->client.phase(), SessionPhase::Offline);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b->view.users.value(0) == "-"; }, kPatienceMs));
    EXPECT_FALSE(b->engine.isSounding(1, 64));
    EXPECT_FALSE(b->keys.lit.count(28));
    EXPECT_EQ(b->client.phase(), SessionPhase::InSession);
}

TEST_F(SessionWithServer, ServerStopReturnsBothClientsOfflineWithoutABox)
{
    server.stop();
    for (Piano* piano : {a.get(), b.get()}) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return piano->client.phase() == SessionPhase::Offline; },
                                    kPatienceMs));
        EXPECT_TRUE(piano->boxes.shown.empty());
        EXPECT_EQ(piano->state.MyUserID(), 0);
        EXPECT_TRUE(piano->state.MyUserName().isEmpty());
        EXPECT_TRUE(piano->view.joinEnabled);
        EXPECT_FALSE(piano->view.chatOpen);
    }

    // And they can join again once the server is back.
    ASSERT_TRUE(server.start(a->port, QHostAddress::LocalHost));
    ASSERT_TRUE(b->join());
    EXPECT_EQ(b->state.MyUserID(), 1);
}

TEST(SessionConnect, ARefusedConnectionShowsTheErrorOnceAndReenablesJoin)
{
    // A port that nothing listens on: taken, then released.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const uint16_t port = probe.serverPort();
    probe.close();

    Piano piano(port);
    piano.input.answer = QStringLiteral("127.0.0.1");
    piano.client.JoinSession();
    EXPECT_FALSE(piano.view.joinEnabled);
    ASSERT_TRUE(QTest::qWaitFor([&] { return piano.view.joinEnabled; }, kPatienceMs));
    // Let any late socket events run; they must not bring a second box.
    QTest::qWait(50);
    ASSERT_EQ(piano.boxes.shown.size(), 1u);
    EXPECT_EQ(piano.boxes.shown[0], (ShownBox{"Tamber Piano could not connect to the server!",
                                              "Error", MessageBoxes::Icon::Critical}));
    EXPECT_EQ(piano.client.phase(), SessionPhase::Offline);
    EXPECT_FALSE(piano.view.chatOpen);
}

TEST(SessionConnect, ANinthPianoIsToldTheSessionMayBeFull)
{
    server::RelayServer server;
    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost)) << server.errorString().toStdString();
    std::vector<std::unique_ptr<QTcpSocket>> seated;
    for (int i = 0; i < 8; ++i) {
        seated.push_back(std::make_unique<QTcpSocket>());
        seated.back()->connectToHost(QHostAddress::LocalHost, server.port());
        // Seated once the greeting arrives.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return seated.back()->bytesAvailable() > 0; }, kPatienceMs));
    }
    Piano ninth(server.port());
    ninth.input.answer = QStringLiteral("127.0.0.1");
    ninth.client.JoinSession();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ninth.boxes.shown.empty(); }, kPatienceMs));
    EXPECT_EQ(ninth.boxes.shown[0].title, QStringLiteral("Corvent"));
    EXPECT_EQ(ninth.boxes.shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_TRUE(ninth.boxes.shown[0].text.contains(QStringLiteral("may be full")));
    EXPECT_EQ(ninth.client.phase(), SessionPhase::Offline);
    EXPECT_TRUE(ninth.view.joinEnabled);
    EXPECT_EQ(ninth.view.chatsShown, 0);
}

// A server of rooms that refuses the room asked for: the request was the first thing it read,
// and the player reads its reason in a box rather than a connection error.
TEST(SessionConnect, TheRoomIsTheFirstMessageAndARefusalIsReadInABox)
{
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
    Piano piano(listener.serverPort());
    piano.input.answer = QStringLiteral("127.0.0.1/jazz");
    piano.client.JoinSession();
    ASSERT_TRUE(listener.waitForNewConnection(kPatienceMs));
    QTcpSocket* server = listener.nextPendingConnection();
    const QByteArray request = protocol::buildMessage({"ChatMsg", "/join jazz"});
    QByteArray received;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            received += server->readAll();
            return received.size() >= request.size();
        },
        kPatienceMs));
    EXPECT_EQ(received, request);

    const QByteArray reason = "Room jazz is locked.";
    server->write(protocol::buildMessage({"ChatMsg", reason}) +
                  protocol::buildMessage({"Farewell", reason}));
    server->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !piano.boxes.shown.empty(); }, kPatienceMs));
    EXPECT_EQ(piano.boxes.shown, (std::vector<ShownBox>{{"Room jazz is locked.", "Corvent",
                                                         MessageBoxes::Icon::Information}}));
    EXPECT_EQ(piano.client.phase(), SessionPhase::Offline);
    EXPECT_TRUE(piano.view.joinEnabled);
}
