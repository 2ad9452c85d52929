// The server window, offscreen, on a real RelayServer at an ephemeral loopback port.

#include "server/frmServer.h"
#include "tests/fakes/FakeMessageBoxes.h"
#include "tests/server/TestClient.h"
#include "tests/support/WindowControls.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTcpServer>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

QStringList listed(const QListWidget& list)
{
    QStringList lines;
    for (int i = 0; i < list.count(); ++i)
        lines << list.item(i)->text();
    return lines;
}

QStringList emptyLines()
{
    QStringList lines;
    for (int n = 1; n <= 8; ++n)
        lines << QStringLiteral("%1. No User: 0.0.0.0").arg(n);
    return lines;
}

TEST(frmServer, StartsStoppedThenListsClientsWhileRunning)
{
    RelayServer server;
    fakes::FakeMessageBoxes boxes;
    frmServer window(server, boxes, {0, QHostAddress::LocalHost});
    const fakes::WindowControls controls(window);
    window.show();

    EXPECT_EQ(window.windowTitle(), "Corvent Server");
    EXPECT_EQ(controls.frame("fraUsers").title(), "Connected Users");
    EXPECT_EQ(listed(controls.list("lstUsers")), emptyLines());
    EXPECT_TRUE(controls.button("cmdStart").isEnabled());
    EXPECT_FALSE(controls.button("cmdStop").isEnabled());

    controls.button("cmdStart").click();
    ASSERT_TRUE(server.isRunning());
    EXPECT_FALSE(controls.button("cmdStart").isEnabled());
    EXPECT_TRUE(controls.button("cmdStop").isEnabled());
    EXPECT_EQ(listed(controls.list("lstUsers")), emptyLines());

    testing::TestClient first(server.port());
    testing::TestClient second(server.port());
    EXPECT_TRUE(testing::waitUntil(
        [&] { return controls.list("lstUsers").item(1)->text() != emptyLines()[1]; }));
    EXPECT_EQ(controls.list("lstUsers").item(0)->text(), "1. User1: 127.0.0.1");
    EXPECT_EQ(controls.list("lstUsers").item(1)->text(), "2. User2: 127.0.0.1");
    EXPECT_EQ(controls.list("lstUsers").count(), 8);

    second.send({"ChatMsg", "/name Anna"});
    EXPECT_TRUE(testing::waitUntil(
        [&] { return controls.list("lstUsers").item(1)->text() == "2. Anna: 127.0.0.1"; }));

    controls.button("cmdStop").click();
    EXPECT_FALSE(server.isRunning());
    EXPECT_EQ(listed(controls.list("lstUsers")), emptyLines());
    EXPECT_TRUE(controls.button("cmdStart").isEnabled());
    EXPECT_FALSE(controls.button("cmdStop").isEnabled());
    EXPECT_TRUE(boxes.shown.empty());
}

// The operator's Kick on the chosen seat: the player is told why and bid farewell, the others
// see the seat emptied.
TEST(frmServer, KickSendsTheChosenPlayerOutWithTheOperatorsReason)
{
    RelayServer server;
    fakes::FakeMessageBoxes boxes;
    frmServer window(server, boxes, {0, QHostAddress::LocalHost});
    const fakes::WindowControls controls(window);
    window.show();
    controls.button("cmdStart").click();
    testing::TestClient first(server.port());
    testing::TestClient second(server.port());
    ASSERT_TRUE(testing::waitUntil(
        [&] { return controls.list("lstUsers").item(1)->text() == "2. User2: 127.0.0.1"; }));
    first.take(6);

    auto* kick = window.findChild<QAction*>(QStringLiteral("mnuKick"));
    ASSERT_NE(kick, nullptr);
    controls.list("lstUsers").setCurrentRow(1);
    kick->trigger();
    const QByteArray reason = "You were sent out of room main by the operator.";
    EXPECT_TRUE(testing::waitUntil([&] { return second.received.size() >= 5 + 2; }));
    EXPECT_EQ(second.received.mid(5),
              (QList<testing::Fields>{{"ChatMsg", reason}, {"Farewell", reason}}));
    EXPECT_TRUE(second.waitClosed());
    EXPECT_EQ(first.take(2),
              (QList<testing::Fields>{{"UserName", "2", "-"},
                                      {"ChatMsg", "User2 was sent out by the operator."}}));
    EXPECT_TRUE(testing::waitUntil(
        [&] { return controls.list("lstUsers").item(1)->text() == emptyLines()[1]; }));
}

TEST(frmServer, PortInUseIsReportedAndTheWindowStaysStopped)
{
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    RelayServer server;
    fakes::FakeMessageBoxes boxes;
    frmServer window(server, boxes, {holder.serverPort(), QHostAddress::LocalHost});
    const fakes::WindowControls controls(window);

    controls.button("cmdStart").click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Error");
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Critical);
    EXPECT_TRUE(boxes.shown[0].text.contains(QString::number(holder.serverPort())));
    EXPECT_FALSE(server.isRunning());
    EXPECT_TRUE(controls.button("cmdStart").isEnabled());
    EXPECT_FALSE(controls.button("cmdStop").isEnabled());
}

// Regression: with the desktop's fallback for MS Sans Serif the eight lines needed a scroll
// bar. Run at scale factors 1 and 2.
TEST(frmServer, UserListShowsEightLinesWithoutAScrollBar)
{
    RelayServer server;
    fakes::FakeMessageBoxes boxes;
    frmServer window(server, boxes, {0, QHostAddress::LocalHost});
    const fakes::WindowControls controls(window);
    window.show();
    QApplication::processEvents();
    QListWidget& list = controls.list("lstUsers");
    ASSERT_EQ(list.count(), 8);
    EXPECT_FALSE(list.verticalScrollBar()->isVisible())
        << "at scale " << window.devicePixelRatioF();
    EXPECT_LE(8 * list.sizeHintForRow(0), list.viewport()->height());
    for (int i = 0; i < list.count(); ++i)
        EXPECT_TRUE(list.viewport()->rect().contains(list.visualItemRect(list.item(i)))) << i;
    EXPECT_GE(list.fontMetrics().height(), 10) << "still readable";
}

TEST(frmServer, CountsRoomsAndPlayersAndShowsTheListOfTheRoomChosen)
{
    RelayServer server;
    fakes::FakeMessageBoxes boxes;
    frmServer window(server, boxes, {0, QHostAddress::LocalHost});
    const fakes::WindowControls controls(window);
    window.show();
    controls.button("cmdStart").click();
    auto& rooms = controls.find<QComboBox>("cboRoom");
    const QLabel& counts = controls.label("lblRooms");
    EXPECT_EQ(counts.text(), "0 rooms, 0 players");

    testing::TestClient inMain(server.port());
    testing::TestClient jazz1(server.port());
    testing::TestClient jazz2(server.port());
    jazz1.send({"ChatMsg", "/join Jazz"});
    jazz2.send({"ChatMsg", "/join jazz"});
    ASSERT_TRUE(testing::waitUntil([&] { return counts.text() == "2 rooms, 3 players"; }))
        << counts.text().toStdString();
    ASSERT_EQ(rooms.count(), 2);
    EXPECT_EQ(rooms.itemText(0), "main");
    EXPECT_EQ(rooms.itemText(1), "Jazz");
    EXPECT_EQ(listed(controls.list("lstUsers")).at(1), emptyLines()[1]);

    rooms.setCurrentIndex(1);
    emit rooms.activated(1);
    EXPECT_EQ(controls.list("lstUsers").item(1)->text(), "2. User2: 127.0.0.1");
    // The room shown empties: its list goes blank and the choice falls back to main.
    jazz1.socket.abort();
    jazz2.socket.abort();
    ASSERT_TRUE(testing::waitUntil([&] { return counts.text() == "1 room, 1 player"; }));
    EXPECT_EQ(rooms.currentText(), "main");
    EXPECT_EQ(controls.list("lstUsers").item(0)->text(), "1. User1: 127.0.0.1");
}

} // namespace
} // namespace tamber::server
