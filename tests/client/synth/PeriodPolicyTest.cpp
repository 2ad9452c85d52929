// The audio period's growth: the policy alone, and driven by a fake driver whose callbacks come
// late now and then, timed by the underrun detector as the synthesizer's callback is.
#include "client/synth/PeriodPolicy.h"
#include "client/synth/SynthEngine.h"
#include "client/synth/UnderrunDetector.h"
#include "tests/fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tamber;
using Verdict = PeriodPolicy::Verdict;

namespace {

constexpr double kRate = 48000;

// Calls back like an audio driver: every period on time, plus the stalls it is told of. A
// blocking driver (PulseAudio, ALSA) makes up for a stall with callbacks back to back; a
// JACK-like one drops the cycles that passed meanwhile. Underruns go to the policy the way the
// synthesizer's GUI thread hands them on, and a longer period restarts the stream.
struct FakeDriver
{
    PeriodPolicy policy;
    bool blocking = true;
    UnderrunDetector detector;
    int64_t now = 0;      // ns
    bool sounding = true; // what the callbacks render
    int underruns = 0;
    std::vector<int> periods;

    explicit FakeDriver(int frames, bool canGrow = true) : policy(frames, canGrow) {}

    int64_t periodNs() const { return int64_t(policy.frames() * 1e9 / kRate); }

    void callback(int64_t renderNs = 50'000)
    {
        if (!detector.finished(now + renderNs, policy.frames(), kRate, sounding))
            return;
        ++underruns;
        const Verdict verdict = policy.underrun(now / 1'000'000);
        if (verdict == Verdict::Grow || verdict == Verdict::StepBack) {
            periods.push_back(policy.frames());
            detector.reset();
        }
    }
    // Seconds of steady play; jitterNs delays every other callback by that much.
    void play(double seconds, int64_t jitterNs = 0)
    {
        const int64_t end = now + int64_t(seconds * 1e9);
        for (int i = 0; now < end; ++i) {
            now += periodNs();
            callback(i % 2 ? jitterNs : 50'000);
        }
    }
    // One callback that finishes ns late, and what the driver does about the periods it
    // fell behind.
    void stall(int64_t ns)
    {
        now += periodNs();
        callback(ns);
        const int64_t behind = ns / periodNs();
        for (int64_t i = 0; i < behind; ++i) {
            now += periodNs();
            if (blocking)
                callback(ns - (i + 1) * periodNs()); // room at once: back to back
        }
    }
};

} // namespace

TEST(PeriodPolicy, GrowsOneStepOnlyWhenHiccupsKeepComingWithinTheWindow)
{
    PeriodPolicy policy(128);
    // Underruns within a second of a counted one are the same hiccup: a load spike.
    for (int64_t t = 0; t < 1000; t += 50)
        EXPECT_EQ(policy.underrun(t), Verdict::Keep);
    EXPECT_EQ(policy.underrun(3000), Verdict::Keep);
    EXPECT_EQ(policy.underrun(6000), Verdict::Keep);
    EXPECT_EQ(policy.underrun(11000), Verdict::Keep); // the first has left the 10 s window
    EXPECT_EQ(policy.frames(), 128);
    EXPECT_EQ(policy.underrun(12000), Verdict::Grow); // 3000, 6000, 11000, 12000
    EXPECT_EQ(policy.frames(), 256);

    // Counting starts afresh: hiccups of the old period do not count against the new one.
    // (Four new ones, denser than those that grew it, mean growing did not help.)
    for (int64_t t = 12100; t < 15100; t += 1000)
        EXPECT_EQ(policy.underrun(t), Verdict::Keep);
    EXPECT_EQ(policy.underrun(15100), Verdict::StepBack);
    EXPECT_EQ(policy.frames(), 128);
}

// Four hiccups `apart` ms apart from `from`: the last one's verdict.
static Verdict crackle(PeriodPolicy& policy, int64_t from, int64_t apart = 1000)
{
    for (int64_t t = from; t < from + 3 * apart; t += apart)
        EXPECT_EQ(policy.underrun(t), Verdict::Keep);
    return policy.underrun(from + 3 * apart);
}

TEST(PeriodPolicy, StopsAtItsBoundAndNeverGrowsAPeriodItDoesNotOwn)
{
    PeriodPolicy policy(512);
    EXPECT_EQ(crackle(policy, 0), Verdict::Grow);
    EXPECT_EQ(policy.frames(), 1024);
    EXPECT_EQ(crackle(policy, 4000, 3000), Verdict::AtLimit); // sparser: it helped, but no more
    EXPECT_EQ(policy.frames(), 1024);

    PeriodPolicy server(64, false); // JACK: the server's period
    EXPECT_EQ(crackle(server, 0), Verdict::AtLimit);
    EXPECT_EQ(server.frames(), 64);

    PeriodPolicy large(2048); // set by hand beyond the bound: kept, never grown
    EXPECT_EQ(crackle(large, 0), Verdict::AtLimit);
    EXPECT_EQ(large.frames(), 2048);
}

TEST(PeriodPolicy, StepsBackForGoodWhenALongerPeriodCracklesAsOften)
{
    // A sound server that loses time: each period crackles alike.
    PeriodPolicy policy(128);
    EXPECT_EQ(crackle(policy, 0), Verdict::Grow);
    EXPECT_EQ(crackle(policy, 5000, 1500), Verdict::StepBack); // 4.5 s span against 3 s
    EXPECT_EQ(policy.frames(), 128);
    for (int64_t from = 20000; from < 200000; from += 20000)
        EXPECT_EQ(crackle(policy, from), Verdict::Keep);
    EXPECT_EQ(policy.frames(), 128);

    // Crackle half as dense, or only after a quiet minute, is trouble the longer period
    // cannot be blamed for: it grows on.
    PeriodPolicy sparser(128);
    EXPECT_EQ(crackle(sparser, 0), Verdict::Grow);
    EXPECT_EQ(crackle(sparser, 5000, 2000), Verdict::Grow);
    EXPECT_EQ(sparser.frames(), 512);
    PeriodPolicy later(128);
    EXPECT_EQ(crackle(later, 0), Verdict::Grow);
    EXPECT_EQ(crackle(later, 60000), Verdict::Grow);
    EXPECT_EQ(later.frames(), 512);
}

TEST(PeriodPolicy, SettingsPeriodsAreRoundedToWholeBlocksWithinBounds)
{
    const std::pair<const char*, int> cases[] = {{"", SynthConfig::kDefaultPeriodFrames},
                                                 {"256", 256},
                                                 {" 100 ", 128},
                                                 {"1", 64},
                                                 {"1000000", 8192},
                                                 {"0", SynthConfig::kDefaultPeriodFrames},
                                                 {"-64", SynthConfig::kDefaultPeriodFrames},
                                                 {"fast", SynthConfig::kDefaultPeriodFrames},
                                                 {"128.5", SynthConfig::kDefaultPeriodFrames}};
    for (const auto& [text, frames] : cases) {
        fakes::FakeSettingsStore settings;
        if (*text)
            settings.values.insert(QStringLiteral("Audio/PeriodFrames"), QString::fromLatin1(text));
        EXPECT_EQ(SynthConfig::fromSettings(settings).periodFrames, frames) << '"' << text << '"';
    }
}

TEST(PeriodPolicy, FakeDriverSteadyJitteryOrDriftingCallbacksAreNoUnderruns)
{
    FakeDriver driver(128);     // 2.67 ms
    driver.play(60, 1'500'000); // late by 1.5 ms every other callback
    // A device clock 200 ppm slower than ours: callbacks slip 12 ms a minute.
    for (int i = 0; i < 60 * 375; ++i) {
        driver.now += driver.periodNs() + driver.periodNs() / 5000;
        driver.callback();
    }
    EXPECT_EQ(driver.underruns, 0);
    EXPECT_TRUE(driver.periods.empty());
}

TEST(PeriodPolicy, FakeDriverRepeatedStallsGrowThePeriodOneStepAtATime)
{
    for (const bool blocking : {true, false}) {
        SCOPED_TRACE(blocking ? "blocking driver" : "cycle driver");
        FakeDriver driver(128);
        driver.blocking = blocking;
        // A load spike: stalls longer than the 2.67 ms period, ten within half a second.
        for (int i = 0; i < 10; ++i) {
            driver.play(0.05);
            driver.stall(4'000'000);
        }
        driver.play(5);
        EXPECT_EQ(driver.underruns, 10);
        EXPECT_TRUE(driver.periods.empty()); // one hiccup, not yet "repeated"

        for (int i = 0; i < 3; ++i) {
            driver.stall(4'000'000);
            driver.play(1);
        }
        EXPECT_EQ(driver.periods, std::vector<int>{256});
        // 4 ms stalls fit in the 5.3 ms period: silence from here on.
        for (int i = 0; i < 5; ++i) {
            driver.play(1);
            driver.stall(4'000'000);
        }
        EXPECT_EQ(driver.underruns, 13);
        EXPECT_EQ(driver.periods, std::vector<int>{256});

        // Much worse stalls a minute later grow it again; since no period covers them, the
        // next step crackles as often, so it steps back and stays.
        driver.play(60);
        for (int i = 0; i < 30; ++i) {
            driver.play(0.5);
            driver.stall(100'000'000);
        }
        EXPECT_EQ(driver.periods, (std::vector<int>{256, 512, 256}));
    }
}

TEST(PeriodPolicy, FakeJackDriverUnderrunsAreReportedButThePeriodStays)
{
    FakeDriver driver(64, false);
    driver.blocking = false;
    for (int i = 0; i < 6; ++i) {
        driver.play(0.2);
        driver.stall(2'000'000);
    }
    EXPECT_EQ(driver.underruns, 6);
    EXPECT_TRUE(driver.periods.empty());
    EXPECT_EQ(driver.policy.frames(), 64);
}

TEST(PeriodPolicy, FakeDriverStallsInSilenceAreNoCrackle)
{
    FakeDriver driver(128);
    driver.sounding = false;
    for (int i = 0; i < 5; ++i) {
        driver.play(0.5);
        driver.stall(20'000'000);
    }
    EXPECT_EQ(driver.underruns, 0);

    // The period after the last sound still counts: its gap cuts the sound short.
    driver.sounding = true;
    driver.play(0.5);
    driver.sounding = false;
    driver.stall(20'000'000);
    EXPECT_EQ(driver.underruns, 1);
    EXPECT_TRUE(driver.periods.empty());
}
