// The server window's list shows every slot on one line, whatever bytes a name holds.

#include "server/frmServer.h"
#include "tests/fakes/FakeMessageBoxes.h"
#include "tests/server/TestClient.h"
#include "tests/support/WindowControls.h"

#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

TEST(frmServerNames, ANameShowsOnOneLineAsWrittenAndOneWithControlsNeverGetsIn)
{
    RelayServer server;
    fakes::FakeMessageBoxes boxes;
    frmServer window(server, boxes, {0, QHostAddress::LocalHost});
    const fakes::WindowControls controls(window);
    controls.button("cmdStart").click();
    ASSERT_TRUE(server.isRunning());

    testing::TestClient client(server.port());
    client.take(4);
    // Controls (C0, and the C1 codes Windows-1252 leaves undefined) are refused...
    client.send({"ChatMsg", "/name \x1b[7m\r\n\x81"});
    EXPECT_EQ(client.next(),
              (testing::Fields{"ChatMsg", "A name may not hold control characters."}));
    EXPECT_EQ(controls.list("lstUsers").item(0)->text(), "1. User1: 127.0.0.1");
    // ...while Windows-1252's own characters show as themselves, and a written-out escape
    // as written.
    client.send({"ChatMsg", "/name \\x1b\x80\x92"});
    const QString shown = QString::fromUtf8("1. \\\\x1b€’: 127.0.0.1");
    EXPECT_TRUE(testing::waitUntil([&] {
        return controls.list("lstUsers").item(0)->text() == shown;
    })) << controls.list("lstUsers").item(0)->text().toStdString();
    EXPECT_EQ(controls.list("lstUsers").count(), 8);
}

} // namespace
} // namespace tamber::server
