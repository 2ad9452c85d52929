#include "client/files/EventLoopWaiter.h"
#include "client/desktop/QtPlatform.h"
#include "client/files/RecordingPanel.h"
#include "tests/client/files/FileBytes.h"
#include "tests/client/files/RecordingBytes.h"
#include "tests/fakes/FakePlatform.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;
using namespace tamber::testing;

namespace {

// A clock that is only read, never advanced: everything the waiter does must come from
// the event loop.
class FrozenClock : public TickClock
{
public:
    uint32_t tickCount() const override { return 5000; }
};

} // namespace

TEST(EventLoopWaiter, HandlesPendingEventsAndWakesForThem)
{
    EventLoopWaiter waiter;
    int ran = 0;
    QTimer::singleShot(0, [&] { ++ran; });
    waiter.waitFor(0);
    EXPECT_EQ(ran, 1) << "a pass handles what is pending without sleeping";

    // A long wait ends as soon as another event has been handled.
    QTimer::singleShot(1, [&] { ++ran; });
    waiter.waitFor(60 * 60 * 1000);
    EXPECT_EQ(ran, 2);
}

TEST(EventLoopWaiter, PlaysARecordingThroughTheRealLoop)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("r.tbr"));
    writeAll(file, kRecordingHeader +
                       longs({4, 2, noteOn(60), 0, noteOn(64), 3, noteOff(60), 1, noteOff(64)}));
    SteadyTickClock clock;
    EventLoopWaiter waiter;
    FakeMessageBoxes boxes;
    std::vector<uint32_t> played;
    Player player{{clock, waiter, boxes, [&](uint32_t m) { played.push_back(m); }, [] {}}};
    player.PlayRecording(file);
    EXPECT_EQ(played, (std::vector<uint32_t>{uint32_t(noteOn(60)), uint32_t(noteOn(64)),
                                             uint32_t(noteOff(60)), uint32_t(noteOff(64))}));
    EXPECT_FALSE(player.IsPlaying());
}

TEST(EventLoopWaiter, AStopPostedToTheLoopEndsAPlaybackThatWouldLastAnHour)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("long.tbr"));
    writeAll(file, kRecordingHeader + longs({1, 60 * 60 * 1000, noteOn(60)}));
    FrozenClock clock;
    EventLoopWaiter waiter;
    FakeMessageBoxes boxes;
    int silenced = 0;
    Player player{{clock, waiter, boxes, [](uint32_t) {}, [&] { ++silenced; }}};
    QTimer::singleShot(5, [&] { player.StopPlayback(); });
    player.PlayRecording(file);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(silenced, 1);
}
