#include "client/recording/QtPlaybackTimer.h"
#include "client/desktop/QtPlatform.h"
#include "client/recording/Player.h"
#include "tests/client/formats/FileBytes.h"
#include "tests/client/formats/RecordingBytes.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::testing;

namespace {

// Runs the event loop until the player says it has stopped (or a minute has passed).
void runUntilStopped(Player& player)
{
    QEventLoop loop;
    player.setStoppedHandler([&] { loop.quit(); });
    QTimer::singleShot(60000, &loop, [&] {
        ADD_FAILURE() << "the playback did not end";
        loop.quit();
    });
    loop.exec();
}

} // namespace

TEST(QtPlaybackTimer, WakesNotBeforeItsTimeAndOnlyOnceForTheLastRequest)
{
    QtPlaybackTimer timer;
    std::vector<int64_t> woken;
    QEventLoop loop;
    timer.setHandler([&] {
        woken.push_back(timer.nowUs());
        loop.quit();
    });
    const int64_t due = timer.nowUs() + 20000;
    timer.wakeAt(due + 50000);
    timer.wakeAt(due); // replaces the first
    QTimer::singleShot(200, &loop, &QEventLoop::quit);
    loop.exec();
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(woken.size(), 1u);
    EXPECT_GE(woken[0], due);

    timer.wakeAt(timer.nowUs() + 1000);
    timer.cancel();
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(woken.size(), 1u) << "a cancelled wake-up never comes";
}

TEST(QtPlaybackTimer, PlaysARecordingThroughTheRealLoop)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("r.tbr"));
    writeAll(file, kRecordingHeader +
                       longs({4, 2, noteOn(60), 0, noteOn(64), 3, noteOff(60), 1, noteOff(64)}));
    SteadyTickClock clock;
    QtPlaybackTimer timer;
    std::vector<uint32_t> played;
    Player player{
        {clock, timer, [&](uint32_t m) { played.push_back(m); }, [](uint32_t) {}, [] {}, [] {}}};
    EXPECT_FALSE(player.PlayRecording(file));
    EXPECT_TRUE(player.IsPlaying()) << "Play returns at once";
    runUntilStopped(player);
    EXPECT_EQ(played, (std::vector<uint32_t>{uint32_t(noteOn(60)), uint32_t(noteOn(64)),
                                             uint32_t(noteOff(60)), uint32_t(noteOff(64))}));
    EXPECT_FALSE(player.IsPlaying());
}

TEST(QtPlaybackTimer, AStopFromTheEventLoopEndsAPlaybackThatWouldLastAnHour)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("long.tbr"));
    writeAll(file, kRecordingHeader + longs({1, 60 * 60 * 1000, noteOn(60)}));
    SteadyTickClock clock;
    QtPlaybackTimer timer;
    int silenced = 0;
    Player player{{clock, timer, [](uint32_t) {}, [](uint32_t) {}, [&] { ++silenced; }, [] {}}};
    QTimer::singleShot(5, [&] { player.StopPlayback(); });
    player.PlayRecording(file);
    runUntilStopped(player);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(silenced, 1);
}
