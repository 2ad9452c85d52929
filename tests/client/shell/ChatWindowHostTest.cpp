// The chat window, offscreen, driven by a session client.
#include "client/shell/ChatWindowHost.h"
#include "client/shell/frmPiano.h"
#include "client/widgets/ChatTranscript.h"
#include "client/widgets/frmChat.h"
#include "tests/client/session/SessionFakes.h"
#include "tests/client/widgets/ListEntries.h"
#include "tests/support/WindowControls.h"

#include <QApplication>
#include <QContextMenuEvent>
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

// A right click on a seat's entry in the user list.
void rightClick(QListWidget& list, int seat)
{
    const QPoint at = list.visualItemRect(list.item(seat - 1)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &event);
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
    FakeSettingsStore settings;
    FakeSessionTransport transport;
    PianoState state;
    frmPiano mainWindow{boxes, state};
    QAction& mnuJoinSession = WindowControls(mainWindow).action("mnuJoinSession");
    ChatWindowHost host{client, mainWindow};
    SessionClient client{{engine, boxes.reporter(), input, settings, transport, host, state}};
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
    EXPECT_EQ(WindowControls(*chat).find<ChatTranscript>("txtChat").toPlainText(),
              QStringLiteral("Welcome to Corvent!"));
    EXPECT_EQ(entries(&WindowControls(*chat).list("lstUsers")),
              (QStringList{"-", "User2", "-", "-", "-", "-", "-", "-"}));

    WindowControls(*chat).find<QLineEdit>("txtMyText").setText(QStringLiteral("hello"));
    WindowControls(*chat).button("cmdSend").click();
    EXPECT_EQ(rig.transport.sentBytes(), protocol::buildMessage({"ChatMsg", "hello"}));
    rig.transport.deliver(protocol::buildMessage({"ChatMsg", "User2: hello"}) +
                          protocol::buildMessage({"UserName", "5", "Bob"}));
    EXPECT_EQ(WindowControls(*chat).find<ChatTranscript>("txtChat").toPlainText(),
              QStringLiteral("Welcome to Corvent!\nUser2: hello"));
    EXPECT_EQ(WindowControls(*chat).list("lstUsers").item(4)->text(), QStringLiteral("Bob"));
}

TEST(ChatWindowHost, ExitAndTheCloseBoxLeaveTheSessionAndDestroyTheWindow)
{
    HostRig rig;
    rig.join(2, "User2");
    QPointer<frmChat> first = rig.host.chatWindow();
    WindowControls(*first).button("cmdExit").click();
    EXPECT_EQ(rig.client.phase(), SessionPhase::Offline);
    EXPECT_EQ(rig.state.MyUserID(), 0);
    EXPECT_TRUE(rig.mnuJoinSession.isEnabled());
    EXPECT_EQ(rig.transport.closes, 1);
    EXPECT_EQ(rig.host.chatWindow(), nullptr);
    destroyClosedWindows();
    EXPECT_TRUE(first.isNull());

    rig.join(3, "User3");
    QPointer<frmChat> second = rig.host.chatWindow();
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(WindowControls(*second).find<ChatTranscript>("txtChat").toPlainText(),
              QStringLiteral("Welcome to Corvent!"))
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
    const ChatTranscript* transcript =
        &WindowControls(*rig.host.chatWindow()).find<ChatTranscript>("txtChat");
    EXPECT_EQ(transcript->lineCount(), ChatTranscript::kMaxLines);
    EXPECT_TRUE(transcript->toPlainText().startsWith(QStringLiteral("User2: 1000\n")));
    EXPECT_TRUE(transcript->toPlainText().endsWith(QStringLiteral("\nUser2: 5999")));
}

TEST(ChatWindowHost, TheRoomsNameIsInBothTitlesWhileInTheSession)
{
    HostRig rig;
    rig.join(2, "User2");
    frmChat* chat = rig.host.chatWindow();
    EXPECT_EQ(rig.mainWindow.windowTitle(), QStringLiteral("Tamber Piano")) << "not named yet";
    EXPECT_EQ(chat->windowTitle(), QStringLiteral("Corvent"));
    rig.transport.deliver(msg({"RoomInfo", "jazz", "0", "0"}));
    EXPECT_EQ(rig.mainWindow.windowTitle(), QStringLiteral("Tamber Piano \u2014 jazz"));
    EXPECT_EQ(chat->windowTitle(), QStringLiteral("Corvent \u2014 jazz"));

    // Moving renames both; leaving gives the main window its own title back.
    rig.transport.deliver(msg({"UserID", "User1", "1"}) + msg({"ChatMsg", "Welcome"}) +
                          msg({"RoomInfo", "Blues-2", "1", "0"}));
    EXPECT_EQ(rig.mainWindow.windowTitle(), QStringLiteral("Tamber Piano \u2014 Blues-2"));
    EXPECT_EQ(rig.host.chatWindow(), chat);
    EXPECT_EQ(chat->windowTitle(), QStringLiteral("Corvent \u2014 Blues-2"));
    WindowControls(*chat).button("cmdExit").click();
    EXPECT_EQ(rig.mainWindow.windowTitle(), QStringLiteral("Tamber Piano"));
}

TEST(ChatWindowHost, TheUserListMarksTheOwnerAndWhetherTheRoomIsLocked)
{
    HostRig rig;
    rig.join(2, "User2");
    frmChat* chat = rig.host.chatWindow();
    const WindowControls controls(*chat);
    QCheckBox& locked = controls.checkBox("chkLocked");
    rig.transport.deliver(msg({"RoomInfo", "main", "0", "0"}) + msg({"UserName", "1", "Anna"}));
    EXPECT_TRUE(locked.isVisible());
    EXPECT_FALSE(locked.isChecked());
    EXPECT_FALSE(locked.isEnabled()) << "the default room has no owner";
    EXPECT_EQ(entries(&WindowControls(*chat).list("lstUsers")),
              (QStringList{"Anna", "User2", "-", "-", "-", "-", "-", "-"}));

    rig.transport.deliver(msg({"RoomInfo", "jazz", "1", "1"}));
    EXPECT_EQ(entries(&WindowControls(*chat).list("lstUsers")).mid(0, 2),
              (QStringList{"Anna (owner)", "User2"}));
    EXPECT_TRUE(locked.isChecked());
    EXPECT_FALSE(locked.isEnabled()) << "only the owner may change it";
    rig.transport.deliver(msg({"UserName", "1", "Ann"}));
    EXPECT_EQ(WindowControls(*chat).list("lstUsers").item(0)->text(),
              QStringLiteral("Ann (owner)"));
    rig.transport.deliver(msg({"UserName", "1", "-"}) + msg({"RoomInfo", "jazz", "2", "0"}));
    EXPECT_EQ(entries(&WindowControls(*chat).list("lstUsers")).mid(0, 2),
              (QStringList{"-", "User2 (owner)"}));
    EXPECT_FALSE(locked.isChecked());
    EXPECT_TRUE(locked.isEnabled());
}

TEST(ChatWindowHost, TheOwnersMenuOnAPlayerAndTheLockBoxSendTheCommands)
{
    HostRig rig;
    rig.join(2, "User2");
    frmChat* chat = rig.host.chatWindow();
    const WindowControls controls(*chat);
    QListWidget& list = WindowControls(*chat).list("lstUsers");
    QMenu& menu = controls.menu("mnuPlayer");
    rig.transport.deliver(msg({"RoomInfo", "jazz", "1", "0"}) + msg({"UserName", "1", "Anna"}) +
                          msg({"UserName", "3", "Bob"}));
    rightClick(list, 3);
    EXPECT_FALSE(menu.isVisible()) << "not the owner";
    controls.checkBox("chkLocked").click();
    EXPECT_TRUE(rig.transport.sent.empty());

    rig.transport.deliver(msg({"RoomInfo", "jazz", "2", "0"}));
    for (const int seat : {2, 4}) { // the own entry, an empty seat
        rightClick(list, seat);
        EXPECT_FALSE(menu.isVisible()) << seat;
    }
    const std::pair<const char*, QByteArray> actions[] = {
        {"mnuKick", "/kick 3"}, {"mnuBan", "/ban 3 60"}, {"mnuMakeOwner", "/owner 3"}};
    for (const auto& [action, command] : actions) {
        rightClick(list, 3);
        ASSERT_TRUE(menu.isVisible()) << action;
        controls.action(action).trigger();
        menu.hide();
        EXPECT_EQ(rig.transport.sent.back(), msg({"ChatMsg", command}));
    }
    // The menu closes when its player leaves: the seat may soon be someone else's.
    rightClick(list, 1);
    ASSERT_TRUE(menu.isVisible());
    rig.transport.deliver(msg({"UserName", "1", "-"}));
    EXPECT_FALSE(menu.isVisible());

    // The box shows what the server says, not the click.
    QCheckBox& locked = controls.checkBox("chkLocked");
    locked.click();
    EXPECT_EQ(rig.transport.sent.back(), msg({"ChatMsg", "/lock"}));
    EXPECT_FALSE(locked.isChecked());
    rig.transport.deliver(msg({"RoomInfo", "jazz", "2", "1"}));
    EXPECT_TRUE(locked.isChecked());
    locked.click();
    EXPECT_EQ(rig.transport.sent.back(), msg({"ChatMsg", "/unlock"}));
    EXPECT_TRUE(locked.isChecked());
}
