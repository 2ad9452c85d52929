#include "client/platform/TerminationSignals.h"

#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

namespace tamber {
namespace {

// Each of the three signals arrives as a Qt signal in the event loop, and the process lives.
TEST(TerminationSignals, TermIntAndHupReachTheEventLoop)
{
    TerminationSignals signals_;
    QSignalSpy received(&signals_, &TerminationSignals::received);
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        ASSERT_EQ(std::raise(signalNumber), 0);
    EXPECT_TRUE(received.wait(5000));
    while (received.count() < 3 && received.wait(1000)) {
    }
    ASSERT_EQ(received.count(), 3);
    EXPECT_EQ(received[0][0].toInt(), SIGTERM);
    EXPECT_EQ(received[1][0].toInt(), SIGINT);
    EXPECT_EQ(received[2][0].toInt(), SIGHUP);
}

} // namespace
} // namespace tamber
