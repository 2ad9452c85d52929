// The chat window, offscreen and alone.
#include "client/widgets/frmChat.h"
#include "client/widgets/ChatTranscript.h"
#include "tests/client/widgets/ListEntries.h"
#include "tests/support/WindowControls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tamber;
using tamber::fakes::entries;
using tamber::fakes::WindowControls;

TEST(frmChat, LayoutCaptionTabOrderAndTheEightSlots)
{
    frmChat chat(2, QStringLiteral("User2"));
    EXPECT_EQ(chat.windowTitle(), QStringLiteral("Corvent"));
    EXPECT_EQ(chat.size(), QSize(441, 221));
    EXPECT_EQ(chat.txtChat()->geometry(), QRect(8, 8, 297, 181));
    EXPECT_EQ(chat.txtMyText()->geometry(), QRect(8, 196, 297, 19));
    EXPECT_EQ(chat.lstUsers()->geometry(), QRect(312, 8, 121, 161));
    EXPECT_EQ(WindowControls(chat).checkBox("chkLocked").geometry(), QRect(312, 174, 121, 17));
    EXPECT_EQ(chat.cmdSend()->geometry(), QRect(312, 196, 57, 17));
    EXPECT_EQ(chat.cmdExit()->geometry(), QRect(376, 196, 57, 17));
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
