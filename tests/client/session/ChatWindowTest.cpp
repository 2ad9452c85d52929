// The chat window, offscreen, alone and driven by a session client.
#include "SessionFakes.h"
#include "client/session/ChatTranscript.h"
#include "client/session/ChatWindowHost.h"
#include "client/session/frmChat.h"

#include <QAction>
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

QStringList entries(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

void destroyClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A piano's session parts with the real chat windows; only the socket and dialogs are fake.
struct HostRig
{
    FakeMidiOutputDevices output;
    FakeKeyLights keys;
    FakeRecorder recorder;
    PresentedBoxes boxes;
    FakeInputBox input;
    FakeSessionTransport transport;
    PianoState state;
    QWidget mainWindow;
    QAction mnuJoinSession{QStringLiteral("&Join Session...")};
    ChatWindowHost host{client, &mainWindow, &mnuJoinSession};
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

TEST(frmChat, LayoutCaptionTabOrderAndTheEightSlots)
{
    frmChat chat(2, QStringLiteral("User2"));
    EXPECT_EQ(chat.windowTitle(), QStringLiteral("Corvent"));
    EXPECT_EQ(chat.size(), QSize(441, 201));
    EXPECT_EQ(chat.txtChat()->geometry(), QRect(8, 8, 297, 161));
    EXPECT_EQ(chat.txtMyText()->geometry(), QRect(8, 176, 297, 19));
    EXPECT_EQ(chat.lstUsers()->geometry(), QRect(312, 8, 121, 161));
    EXPECT_EQ(chat.cmdSend()->geometry(), QRect(312, 176, 57, 17));
    EXPECT_EQ(chat.cmdExit()->geometry(), QRect(376, 176, 57, 17));
    EXPECT_EQ(chat.cmdSend()->text(), QStringLiteral("Send"));
    EXPECT_EQ(chat.cmdExit()->text(), QStringLiteral("Exit"));
    chat.AppendChatLine(QStringLiteral("Welcome to Corvent!"));
    QTest::keyClicks(chat.txtChat(), QStringLiteral("typed"));
    QTest::keyClick(chat.txtChat(), Qt::Key_Return);
    EXPECT_EQ(chat.txtChat()->toPlainText(), QStringLiteral("Welcome to Corvent!"))
        << "the transcript is read-only";

    const QList<QWidget*> controls = {chat.txtChat(), chat.txtMyText(), chat.lstUsers(),
                                      chat.cmdSend(), chat.cmdExit()};
    QList<QWidget*> tabOrder;
    for (QWidget* w = chat.nextInFocusChain(); w != &chat; w = w->nextInFocusChain()) {
        if (controls.contains(w))
            tabOrder.append(w);
    }
    EXPECT_EQ(tabOrder, controls);

    EXPECT_EQ(entries(chat.lstUsers()), (QStringList{"-", "User2", "-", "-", "-", "-", "-", "-"}));
    chat.setUserEntry(7, QStringLiteral("Eve"));
    chat.setUserEntry(8, QStringLiteral("nobody")); // no ninth slot
    EXPECT_EQ(entries(chat.lstUsers()).last(), QStringLiteral("Eve"));
    EXPECT_EQ(chat.lstUsers()->count(), 8);
}

TEST(frmChat, LineBreaksStandOnlyBetweenLinesAndControlCharactersShowAsSpaces)
{
    frmChat chat(1, QStringLiteral("User1"));
    chat.show();
    EXPECT_TRUE(chat.txtChat()->toPlainText().isEmpty());
    chat.AppendChatLine(QStringLiteral("Welcome to Corvent!"));
    EXPECT_EQ(chat.txtChat()->toPlainText(), QStringLiteral("Welcome to Corvent!"));
    chat.AppendChatLine(QStringLiteral("User2: hi\r\nUser1: forged"));
    chat.AppendChatLine(QString());
    for (int i = 0; i < 20; ++i)
        chat.AppendChatLine(QStringLiteral("line %1").arg(i));
    chat.AppendChatLine(QStringLiteral("last"));
    EXPECT_EQ(chat.txtChat()->lineCount(), 24);
    EXPECT_TRUE(chat.txtChat()->toPlainText().startsWith(
        QStringLiteral("Welcome to Corvent!\nUser2: hi  User1: forged\n\nline 0\n")));
    EXPECT_TRUE(chat.txtChat()->toPlainText().endsWith(QStringLiteral("\nline 19\nlast")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return chat.txtChat()->showsNewest(); }))
        << "the newest line comes into view";
    EXPECT_EQ(chat.txtChat()->visibleRows().back().text, QStringLiteral("last"));
}

TEST(frmChat, SendAndEnterSendTheTypedLineAndEmptyTheInput)
{
    frmChat chat(1, QStringLiteral("User1"));
    QSignalSpy sends(&chat, &frmChat::sendRequested);
    chat.cmdSend()->click();
    QTest::keyClick(chat.txtMyText(), Qt::Key_Return);
    EXPECT_EQ(sends.count(), 0) << "an empty line sends nothing";

    chat.txtMyText()->setText(QStringLiteral("hello"));
    chat.cmdSend()->click();
    QTest::keyClicks(chat.txtMyText(), QStringLiteral("/name Anna"));
    QTest::keyClick(chat.txtMyText(), Qt::Key_Return);
    ASSERT_EQ(sends.count(), 2);
    EXPECT_EQ(sends[0][0].toString(), QStringLiteral("hello"));
    EXPECT_EQ(sends[1][0].toString(), QStringLiteral("/name Anna"));
    EXPECT_TRUE(chat.txtMyText()->text().isEmpty());
    EXPECT_TRUE(chat.txtChat()->toPlainText().isEmpty()) << "shown only once relayed";
}

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
