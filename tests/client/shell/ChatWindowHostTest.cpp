// The chat window, offscreen, driven by a session client.
#include "client/shell/ChatWindowHost.h"
#include "client/shell/frmPiano.h"
#include "client/widgets/ChatTranscript.h"
#include "client/widgets/frmChat.h"
#include "tests/client/session/SessionFakes.h"
#include "tests/client/widgets/ListEntries.h"
#include "tests/support/WindowControls.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {

void destroyClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A piano's session parts with the real main and chat windows; only the socket and dialogs are
// fake.
struct HostRig
{
    FakeMidiOutputDevices output;
    FakeKeyLights keys;
    FakeRecorder recorder;
    PresentedBoxes boxes;
    FakeInputBox input;
    FakeSessionTransport transport;
    PianoState state;
    frmPiano mainWindow{boxes, state};
    QAction& mnuJoinSession = WindowControls(mainWindow).action("mnuJoinSession");
    ChatWindowHost host{client, mainWindow};
    SessionClient client{{engine, boxes.reporter(), input, transport, host, state}};
    NoteEngine engine{{output, keys, client, recorder, state}};

    void join(int id, const QByteArray& name)
    {
        input.answer = QStringLiteral("127.0.0.1");
        client.JoinSession();
        transport.accept();
        transport.deliver(protocol::buildMessage({"UserID", name, QByteArray::number(id)}) +
                          protocol::buildMessage({"ChatMsg", "Welcome to Corvent!"}));
        transport.sent.clear();
    }
};

} // namespace

TEST(ChatWindowHost, AWindowPerSessionAndSendGoesToTheServer)
{
    HostRig rig;
    EXPECT_EQ(rig.host.chatWindow(), nullptr);
    rig.join(2, "User2");
    EXPECT_FALSE(rig.mnuJoinSession.isEnabled());
    frmChat* chat = rig.host.chatWindow();
    ASSERT_NE(chat, nullptr);
    EXPECT_TRUE(chat->isVisible());
    EXPECT_FALSE(chat->isModal());
    EXPECT_EQ(chat->txtChat()->toPlainText(), QStringLiteral("Welcome to Corvent!"));
    EXPECT_EQ(entries(chat->lstUsers()), (QStringList{"-", "User2", "-", "-", "-", "-", "-", "-"}));

    chat->txtMyText()->setText(QStringLiteral("hello"));
    chat->cmdSend()->click();
    EXPECT_EQ(rig.transport.sentBytes(), protocol::buildMessage({"ChatMsg", "hello"}));
    rig.transport.deliver(protocol::buildMessage({"ChatMsg", "User2: hello"}) +
                          protocol::buildMessage({"UserName", "5", "Bob"}));
    EXPECT_EQ(chat->txtChat()->toPlainText(), QStringLiteral("Welcome to Corvent!\nUser2: hello"));
    EXPECT_EQ(chat->lstUsers()->item(4)->text(), QStringLiteral("Bob"));
}

TEST(ChatWindowHost, ExitAndTheCloseBoxLeaveTheSessionAndDestroyTheWindow)
{
    HostRig rig;
    rig.join(2, "User2");
    QPointer<frmChat> first = rig.host.chatWindow();
    first->cmdExit()->click();
    EXPECT_EQ(rig.client.phase(), SessionPhase::Offline);
    EXPECT_EQ(rig.state.MyUserID, 0);
    EXPECT_TRUE(rig.mnuJoinSession.isEnabled());
    EXPECT_EQ(rig.transport.closes, 1);
    EXPECT_EQ(rig.host.chatWindow(), nullptr);
    destroyClosedWindows();
    EXPECT_TRUE(first.isNull());

    rig.join(3, "User3");
    QPointer<frmChat> second = rig.host.chatWindow();
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(second->txtChat()->toPlainText(), QStringLiteral("Welcome to Corvent!"))
        << "a fresh transcript";
    second->close(); // the close box
    EXPECT_EQ(rig.client.phase(), SessionPhase::Offline);
    EXPECT_TRUE(rig.mnuJoinSession.isEnabled());
    destroyClosedWindows();
    EXPECT_TRUE(second.isNull());

    // A session ended by the server closes the window without a box.
    rig.join(4, "User4");
    QPointer<frmChat> third = rig.host.chatWindow();
    rig.transport.serverCloses();
    EXPECT_FALSE(third->isVisible());
    destroyClosedWindows();
    EXPECT_TRUE(third.isNull());
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(ChatWindowHost, AFloodInOneReadLeavesTheNewest5000LinesInTheWindow)
{
    HostRig rig;
    rig.join(1, "User1");
    QByteArray flood;
    for (int i = 0; i < 6000; ++i)
        flood += protocol::buildMessage({"ChatMsg", "User2: " + QByteArray::number(i)});
    rig.transport.deliver(flood);
    const ChatTranscript* transcript = rig.host.chatWindow()->txtChat();
    EXPECT_EQ(transcript->lineCount(), ChatTranscript::kMaxLines);
    EXPECT_TRUE(transcript->toPlainText().startsWith(QStringLiteral("User2: 1000\n")));
    EXPECT_TRUE(transcript->toPlainText().endsWith(QStringLiteral("\nUser2: 5999")));
}
