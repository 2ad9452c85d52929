#include "client/shell/Startup.h"
#include "client/engine/Instruments.h"
#include "tests/fakes/PresentedBoxes.h"

#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {
struct StartupRig
{
    PresentedBoxes boxes;
    FakeSettingsStore settings;
    QStringList steps;
    int outputs = 2;
    QString endAfter; // the step after which the program is asked to end

    Startup::Steps startupSteps()
    {
        auto step = [this](const char* name) { return [this, name] { steps << name; }; };
        return {step("keymap"),
                [this] {
                    steps << "count";
                    return outputs;
                },
                step("load"),
                step("devices"),
                step("labels"),
                step("instruments"),
                step("octave"),
                step("show"),
                [this] { return !steps.isEmpty() && steps.last() == endAfter; },
                {},
                {}};
    }
};

const QString kWelcome = QStringLiteral(
    "Welcome to Tamber Piano!\r\n\r\nPress the keys on your computer keyboard to begin playing.");
} // namespace

TEST(Startup, FirstRunWelcomesOnceAndRemembersIt)
{
    StartupRig rig;
    Startup startup(rig.boxes.reporter(), rig.settings);
    ASSERT_TRUE(startup.Main(rig.startupSteps()));
    EXPECT_EQ(rig.steps.join(' '), "keymap count load devices labels instruments octave show");
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0], (ShownBox{kWelcome, "Welcome", MessageBoxes::Icon::Information}));
    EXPECT_EQ(rig.settings.values.value("General/Welcomed"), "1");

    rig.boxes.shown.clear();
    ASSERT_TRUE(startup.Main(rig.startupSteps()));
    EXPECT_TRUE(rig.boxes.shown.empty()) << "welcomed users are not greeted again";
}

TEST(Startup, WelcomedValueThatIsNoNumberWelcomesAgain)
{
    for (const char* stored : {"yes", "", "0", " 0 "}) {
        StartupRig rig;
        rig.settings.values["General/Welcomed"] = stored;
        Startup(rig.boxes.reporter(), rig.settings).Main(rig.startupSteps());
        EXPECT_EQ(rig.boxes.shown.size(), 1u) << stored;
        EXPECT_EQ(rig.settings.values.value("General/Welcomed"), "1");
    }
    StartupRig rig;
    rig.settings.values["General/Welcomed"] = "7";
    Startup(rig.boxes.reporter(), rig.settings).Main(rig.startupSteps());
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(Startup, NoOutputDeviceIsFatalEvenWithThePCSpeakerChosen)
{
    StartupRig rig;
    rig.outputs = 0;
    rig.settings.values["Devices/OutDevice"] = "-2";
    EXPECT_FALSE(Startup(rig.boxes.reporter(), rig.settings).Main(rig.startupSteps()));
    EXPECT_EQ(rig.steps.join(' '), "keymap count");
    ASSERT_EQ(rig.boxes.shown.size(), 1u) << "only the fatal message, no welcome";
    EXPECT_EQ(rig.boxes.shown[0],
              (ShownBox{"Sorry, Tamber Piano cannot run because no MIDI output devices were "
                        "found on your computer.",
                        "Fatal Error", MessageBoxes::Icon::Critical}));
    EXPECT_FALSE(rig.settings.values.contains("General/Welcomed"));
}

TEST(Instruments, ListReadsFromAcousticGrandPianoToGunshot)
{
    const QStringList entries = InitInstruments();
    ASSERT_EQ(entries.size(), 128);
    EXPECT_EQ(entries.first(), "1. Acoustic Grand Piano");
    EXPECT_EQ(entries[40], "41. Violin");
    EXPECT_EQ(entries[96], "97. FX 1 (Rain)");
    EXPECT_EQ(entries.last(), "128. Gunshot");
}

TEST(Instruments, NoteLabelsStartAtC)
{
    EXPECT_EQ(noteLabelCaption(0), "C");
    EXPECT_EQ(noteLabelCaption(5), "A");
    EXPECT_EQ(noteLabelCaption(7), "C");
    EXPECT_EQ(noteLabelCaption(12), "A");
    EXPECT_EQ(noteLabelCaption(35), "C");
}

// A termination signal inside a box of start-up (here the keymap's, or the device warning)
// ends it there: no window, no welcome, nothing stored.
TEST(Startup, AskedToEndItStopsAfterTheStepThatWasRunning)
{
    for (const char* step : {"keymap", "devices"}) {
        StartupRig rig;
        rig.endAfter = step;
        EXPECT_FALSE(Startup(rig.boxes.reporter(), rig.settings).Main(rig.startupSteps()));
        EXPECT_EQ(rig.steps.last(), step);
        EXPECT_TRUE(rig.boxes.shown.empty()) << "no welcome";
        EXPECT_FALSE(rig.settings.values.contains("General/Welcomed"));
    }
}

// The output still opening when the window is up: the input and the welcome wait for it; a
// request to end meanwhile stops start-up there.
TEST(Startup, TheInputAndTheWelcomeFollowAnOutputThatOpensLater)
{
    for (const bool endMeanwhile : {false, true}) {
        StartupRig rig;
        std::function<void()> settled;
        Startup::Steps steps = rig.startupSteps();
        steps.afterOutputSettles = [&settled](std::function<void()> then) {
            settled = std::move(then);
        };
        steps.restoreInputDevice = [&rig] { rig.steps << "input"; };
        ASSERT_TRUE(Startup(rig.boxes.reporter(), rig.settings).Main(steps));
        EXPECT_EQ(rig.steps.join(' '), "keymap count load devices labels instruments octave show");
        EXPECT_TRUE(rig.boxes.shown.empty());
        ASSERT_TRUE(settled);
        if (endMeanwhile)
            rig.endAfter = "show";
        settled();
        EXPECT_EQ(rig.steps.last(), endMeanwhile ? "show" : "input");
        EXPECT_EQ(rig.boxes.shown.size(), endMeanwhile ? 0u : 1u);
        EXPECT_EQ(rig.settings.values.contains("General/Welcomed"), !endMeanwhile);
    }
}
