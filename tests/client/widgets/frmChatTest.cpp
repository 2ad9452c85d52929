// The chat window, offscreen and alone.
#include "client/widgets/frmChat.h"
#include "client/widgets/ChatTranscript.h"
#include "tests/client/widgets/ListEntries.h"
#include "tests/support/LayoutInvariants.h"
#include "tests/support/WindowControls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tamber;
using tamber::fakes::entries;
using tamber::fakes::expectSoundLayout;
using tamber::fakes::WindowControls;

TEST(frmChat, LayoutCaptionTabOrderAndTheEightSlots)
{
    frmChat chat(2, QStringLiteral("User2"));
    EXPECT_EQ(chat.windowTitle(), QStringLiteral("Corvent"));
    expectSoundLayout(chat);
    EXPECT_EQ(WindowControls(chat).button("cmdSend").text(), QStringLiteral("Send"));
    EXPECT_EQ(WindowControls(chat).button("cmdExit").text(), QStringLiteral("Exit"));
    chat.AppendChatLine(QStringLiteral("Welcome to Corvent!"));
    QTest::keyClicks(&WindowControls(chat).find<ChatTranscript>("txtChat"),
                     QStringLiteral("typed"));
    QTest::keyClick(&WindowControls(chat).find<ChatTranscript>("txtChat"), Qt::Key_Return);
    EXPECT_EQ(WindowControls(chat).find<ChatTranscript>("txtChat").toPlainText(),
              QStringLiteral("Welcome to Corvent!"))
        << "the transcript is read-only";

    const QList<QWidget*> controls = {
        &WindowControls(chat).find<ChatTranscript>("txtChat"),
        &WindowControls(chat).find<QLineEdit>("txtMyText"), &WindowControls(chat).list("lstUsers"),
        &WindowControls(chat).button("cmdSend"), &WindowControls(chat).button("cmdExit")};
    QList<QWidget*> tabOrder;
    for (QWidget* w = chat.nextInFocusChain(); w != &chat; w = w->nextInFocusChain()) {
        if (controls.contains(w))
            tabOrder.append(w);
    }
    EXPECT_EQ(tabOrder, controls);

    EXPECT_EQ(entries(&WindowControls(chat).list("lstUsers")),
              (QStringList{"-", "User2", "-", "-", "-", "-", "-", "-"}));
    chat.setUserEntry(7, QStringLiteral("Eve"));
    chat.setUserEntry(8, QStringLiteral("nobody")); // no ninth slot
    EXPECT_EQ(entries(&WindowControls(chat).list("lstUsers")).last(), QStringLiteral("Eve"));
    EXPECT_EQ(WindowControls(chat).list("lstUsers").count(), 8);
}

TEST(frmChat, LineBreaksStandOnlyBetweenLinesAndControlCharactersShowAsSpaces)
{
    frmChat chat(1, QStringLiteral("User1"));
    chat.show();
    EXPECT_TRUE(WindowControls(chat).find<ChatTranscript>("txtChat").toPlainText().isEmpty());
    chat.AppendChatLine(QStringLiteral("Welcome to Corvent!"));
    EXPECT_EQ(WindowControls(chat).find<ChatTranscript>("txtChat").toPlainText(),
              QStringLiteral("Welcome to Corvent!"));
    chat.AppendChatLine(QStringLiteral("User2: hi\r\nUser1: forged"));
    chat.AppendChatLine(QString());
    for (int i = 0; i < 20; ++i)
        chat.AppendChatLine(QStringLiteral("line %1").arg(i));
    chat.AppendChatLine(QStringLiteral("last"));
    EXPECT_EQ(WindowControls(chat).find<ChatTranscript>("txtChat").lineCount(), 24);
    EXPECT_TRUE(WindowControls(chat).find<ChatTranscript>("txtChat").toPlainText().startsWith(
        QStringLiteral("Welcome to Corvent!\nUser2: hi  User1: forged\n\nline 0\n")));
    EXPECT_TRUE(WindowControls(chat).find<ChatTranscript>("txtChat").toPlainText().endsWith(
        QStringLiteral("\nline 19\nlast")));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return WindowControls(chat).find<ChatTranscript>("txtChat").showsNewest();
    })) << "the newest line comes into view";
    EXPECT_EQ(WindowControls(chat).find<ChatTranscript>("txtChat").visibleRows().back().text,
              QStringLiteral("last"));
}

TEST(frmChat, SendAndEnterSendTheTypedLineAndEmptyTheInput)
{
    frmChat chat(1, QStringLiteral("User1"));
    QSignalSpy sends(&chat, &frmChat::sendRequested);
    WindowControls(chat).button("cmdSend").click();
    QTest::keyClick(&WindowControls(chat).find<QLineEdit>("txtMyText"), Qt::Key_Return);
    EXPECT_EQ(sends.count(), 0) << "an empty line sends nothing";

    WindowControls(chat).find<QLineEdit>("txtMyText").setText(QStringLiteral("hello"));
    WindowControls(chat).button("cmdSend").click();
    QTest::keyClicks(&WindowControls(chat).find<QLineEdit>("txtMyText"),
                     QStringLiteral("/name Anna"));
    QTest::keyClick(&WindowControls(chat).find<QLineEdit>("txtMyText"), Qt::Key_Return);
    ASSERT_EQ(sends.count(), 2);
    EXPECT_EQ(sends[0][0].toString(), QStringLiteral("hello"));
    EXPECT_EQ(sends[1][0].toString(), QStringLiteral("/name Anna"));
    EXPECT_TRUE(WindowControls(chat).find<QLineEdit>("txtMyText").text().isEmpty());
    EXPECT_TRUE(WindowControls(chat).find<ChatTranscript>("txtChat").toPlainText().isEmpty())
        << "shown only once relayed";
}
