#include "client/presenters/DeviceChoice.h"
#include "client/synth/ToneGenerator.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSound.h"
#include "tests/fakes/PresentedBoxes.h"

#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {

class FakeMenuView : public DeviceMenuView
{
public:
    void setOutputItems(const QStringList& captions) override { outputItems = captions; }
    void setInputItems(const QStringList& captions) override { inputItems = captions; }
    void setOutputChecked(int item, bool checked) override { outputChecked[item] = checked; }
    void setInputChecked(int item, bool checked) override { inputChecked[item] = checked; }
    void setPCSpeakerChecked(bool checked) override { pcSpeakerChecked = checked; }

    std::vector<int> checkedOutputs() const { return checked(outputChecked); }
    std::vector<int> checkedInputs() const { return checked(inputChecked); }

    QStringList outputItems;
    QStringList inputItems;
    std::map<int, bool> outputChecked;
    std::map<int, bool> inputChecked;
    bool pcSpeakerChecked = false;

private:
    static std::vector<int> checked(const std::map<int, bool>& marks)
    {
        std::vector<int> items;
        for (const auto& [item, on] : marks) {
            if (on)
                items.push_back(item);
        }
        return items;
    }
};

class FakeAudioEngine : public AudioEngine
{
public:
    bool start() override
    {
        ++starts;
        return works;
    }
    int starts = 0;
    bool works = true;
};

const QString kOutputWarning =
    "The MIDI output device could not be opened. Please ensure that it is not busy, or select a "
    "different device from the Options menu.";
const QString kInputOpenWarning =
    "The MIDI input device could not be opened. Please ensure that it is not busy, or select a "
    "different device from the Options menu.";
const QString kInputStartWarning =
    "The MIDI input device could not be started. Please ensure that it is not busy, or select a "
    "different device from the Options menu.";
const QString kOutputError = "Tamber Piano could not open the selected output device. Please "
                             "ensure no other applications are using the device and try again.";
const QString kInputOpenError = "Tamber Piano could not open the selected input device. Please "
                                "ensure no other applications are using the device and try again.";
const QString kInputStartError =
    "Tamber Piano could not start the selected input device. Please ensure no other "
    "applications are using the device and try again.";

// Two output devices and one input device, nothing open yet, as at start-up.
struct ChoiceRig
{
    EngineRig rig;
    FakeMidiInputDevices inputs;
    FakeSettingsStore settings;
    PresentedBoxes boxes;
    FakeAudioEngine audio;
    FakeMenuView view;
    DeviceChoice choice{{rig.engine, settings, boxes.reporter(), rig.output, inputs, audio, view}};
    std::vector<std::string> timeline; // device steps and boxes, in the order they happened

    ChoiceRig()
    {
        rig.output.close();
        rig.output.log.clear();
        rig.output.names = {"Synth A", "Port B"};
        inputs.names = {"Keys"};
        boxes.onShow = [this] {
            collect();
            timeline.push_back("box " + boxes.shown.back().title.toStdString());
        };
        choice.buildMenus();
    }
    void restore()
    {
        choice.restoreAtStartup();
        collect();
    }
    void collect()
    {
        for (const auto& entry : rig.output.log)
            timeline.push_back("out " + entry);
        for (const auto& entry : inputs.log)
            timeline.push_back("in " + entry);
        rig.output.log.clear();
        inputs.log.clear();
    }
};

} // namespace

TEST(DeviceMenus, ListNoneThenEveryDeviceWithNamesCutAtNulAnd31Characters)
{
    EngineRig rig;
    FakeMidiInputDevices inputs;
    FakeSettingsStore settings;
    PresentedBoxes boxes;
    FakeAudioEngine audio;
    FakeMenuView view;
    const QByteArray exactly31 = "A name of exactly 31 characters";
    ASSERT_EQ(exactly31.size(), 31);
    rig.output.names = {"Tamber Built-in Synthesizer", QByteArray("Port\0garbage", 12),
                        exactly31 + "XYZ", exactly31};
    DeviceChoice choice{{rig.engine, settings, boxes.reporter(), rig.output, inputs, audio, view}};
    choice.buildMenus();
    EXPECT_EQ(view.outputItems, (QStringList{"(None)", "Tamber Built-in Synthesizer", "Port",
                                             QString(exactly31), QString(exactly31)}));
    EXPECT_EQ(view.inputItems, QStringList{"(None)"}) << "no input device: only (None)";

    EXPECT_EQ(deviceCaption(QByteArray("Caf\xe9", 4)), QString::fromLatin1("Caf\xe9"));
}

TEST(DeviceMenus, SavedNumbersAreRead16BitWithNonNumbersGivingZero)
{
    EXPECT_EQ(readDeviceNumber("3"), 3);
    EXPECT_EQ(readDeviceNumber(" -2 "), -2);
    EXPECT_EQ(readDeviceNumber("32767"), 32767);
    EXPECT_EQ(readDeviceNumber("-32768"), -32768);
    EXPECT_EQ(readDeviceNumber("2.5"), 2) << "a fraction rounds half to even";
    EXPECT_EQ(readDeviceNumber("32768"), std::nullopt);
    EXPECT_EQ(readDeviceNumber("-32769"), std::nullopt);
    EXPECT_EQ(readDeviceNumber("abc"), std::nullopt);
    EXPECT_EQ(readDeviceNumber(""), std::nullopt);
    EXPECT_EQ(readDeviceNumber("nan"), std::nullopt);
    EXPECT_EQ(readDeviceNumber("1x"), std::nullopt);
}

TEST(DeviceStartup, FirstRunOpensOutputZeroAndNoInput)
{
    ChoiceRig r;
    r.restore();
    EXPECT_EQ(r.rig.output.openDevice, 0);
    EXPECT_EQ(r.view.checkedOutputs(), std::vector<int>{1});
    EXPECT_EQ(r.view.checkedInputs(), std::vector<int>{0});
    EXPECT_FALSE(r.view.pcSpeakerChecked);
    EXPECT_EQ(r.timeline, (std::vector<std::string>{"out open 0"}));
    EXPECT_TRUE(r.settings.writes.isEmpty()) << "start-up stores no device choice";
}

TEST(DeviceStartup, SavedDeviceBeyondTheListBecomesNoneForThisRunOnly)
{
    ChoiceRig r;
    r.settings.values = {{"Devices/OutDevice", "5"}, {"Devices/InDevice", "1"}};
    r.restore();
    EXPECT_FALSE(r.rig.output.isOpen());
    EXPECT_FALSE(r.inputs.isOpen());
    EXPECT_EQ(r.view.checkedOutputs(), std::vector<int>{0});
    EXPECT_EQ(r.view.checkedInputs(), std::vector<int>{0});
    EXPECT_TRUE(r.timeline.empty()) << "nothing opened, no box";
    EXPECT_TRUE(r.settings.writes.isEmpty());

    ChoiceRig last;
    last.settings.values = {{"Devices/OutDevice", "1"}, {"Devices/InDevice", "0"}};
    last.restore();
    EXPECT_EQ(last.rig.output.openDevice, 1) << "the last device is still in the list";
    EXPECT_EQ(last.inputs.openDevice, 0);
    EXPECT_TRUE(last.inputs.started);
}

TEST(DeviceStartup, PCSpeakerSavedChecksItStartsTheStreamAndOpensNoDevice)
{
    ChoiceRig r;
    r.settings.values = {{"Devices/OutDevice", "-2"}};
    r.restore();
    EXPECT_TRUE(r.view.pcSpeakerChecked);
    EXPECT_TRUE(r.view.checkedOutputs().empty());
    EXPECT_TRUE(r.rig.engine.UsePCSpeaker);
    EXPECT_EQ(r.audio.starts, 1);
    EXPECT_TRUE(r.timeline.empty());

    ChoiceRig silent; // no audio output at all: still no message
    silent.audio.works = false;
    silent.settings.values = {{"Devices/OutDevice", "-2"}};
    silent.restore();
    EXPECT_TRUE(silent.boxes.shown.empty());
    EXPECT_TRUE(silent.rig.engine.UsePCSpeaker);
}

TEST(DeviceStartup, ValuesThatAreNoNumbersOrOutside16BitsTakeDeviceZero)
{
    for (const QString& bad : {QString("abc"), QString("70000"), QString("-32769"), QString("")}) {
        ChoiceRig r;
        r.settings.values = {{"Devices/OutDevice", bad}, {"Devices/InDevice", bad}};
        r.restore();
        EXPECT_EQ(r.rig.output.openDevice, 0) << bad.toStdString();
        EXPECT_EQ(r.inputs.openDevice, 0) << bad.toStdString();
        EXPECT_EQ(r.view.checkedOutputs(), std::vector<int>{1});
        EXPECT_EQ(r.view.checkedInputs(), std::vector<int>{1});
    }
    ChoiceRig below; // a number below -2 checks nothing and opens nothing
    below.settings.values = {{"Devices/OutDevice", "-7"}, {"Devices/InDevice", "-3"}};
    below.restore();
    EXPECT_TRUE(below.view.checkedOutputs().empty());
    EXPECT_TRUE(below.view.checkedInputs().empty());
    EXPECT_TRUE(below.timeline.empty());
    EXPECT_FALSE(below.rig.engine.UsePCSpeaker);
}

TEST(DeviceStartup, FailedOpensWarnInOrderAndAFailedInputOpenGivesBothWarnings)
{
    ChoiceRig r;
    r.rig.output.failing = {0};
    r.inputs.failingOpen = {0};
    r.settings.values = {{"Devices/InDevice", "0"}};
    r.restore();
    ASSERT_EQ(r.boxes.shown.size(), 3u);
    EXPECT_EQ(r.boxes.shown[0],
              (ShownBox{kOutputWarning, "Warning", MessageBoxes::Icon::Exclamation}));
    EXPECT_EQ(r.boxes.shown[1],
              (ShownBox{kInputOpenWarning, "Warning", MessageBoxes::Icon::Exclamation}));
    EXPECT_EQ(r.boxes.shown[2],
              (ShownBox{kInputStartWarning, "Warning", MessageBoxes::Icon::Exclamation}));
    EXPECT_EQ(r.timeline, (std::vector<std::string>{"out open 0", "box Warning", "in open 0",
                                                    "box Warning", "in start", "box Warning"}));
    EXPECT_EQ(r.view.checkedOutputs(), std::vector<int>{1}) << "the failed device stays checked";
    EXPECT_EQ(r.view.checkedInputs(), std::vector<int>{1});

    ChoiceRig startOnly;
    startOnly.inputs.failingStart = true;
    startOnly.settings.values = {{"Devices/InDevice", "0"}};
    startOnly.restore();
    ASSERT_EQ(startOnly.boxes.shown.size(), 1u);
    EXPECT_EQ(startOnly.boxes.shown[0].text, kInputStartWarning);
    EXPECT_TRUE(startOnly.inputs.isOpen());
}

TEST(DeviceClicks, OutputItemSilencesClosesOpensChecksAndStores)
{
    ChoiceRig r;
    r.restore();
    r.rig.engine.StartNote(60, 100, 0, false);
    r.rig.output.sent.clear();
    r.timeline.clear();

    r.choice.mnuOutDevice_Click(2);
    r.collect();
    // The old device hears the note-offs of the local channel's sounding notes before it closes.
    EXPECT_EQ(r.rig.output.sent, std::vector<ShortMessage>{makeShortMessage(0x80, 60, 0)});
    EXPECT_TRUE(r.rig.keys.lit.empty());
    EXPECT_EQ(r.timeline, (std::vector<std::string>{"out close 0", "out open 1"}));
    EXPECT_EQ(r.view.checkedOutputs(), std::vector<int>{2});
    EXPECT_EQ(r.settings.writes, QStringList{"Devices/OutDevice=1"});

    // The item already checked closes and reopens the same device.
    r.timeline.clear();
    r.choice.mnuOutDevice_Click(2);
    r.collect();
    EXPECT_EQ(r.timeline, (std::vector<std::string>{"out close 1", "out open 1"}));

    // "(None)": silences, closes, opens nothing, stores -1, shows nothing.
    r.timeline.clear();
    r.choice.mnuOutDevice_Click(0);
    r.collect();
    EXPECT_EQ(r.timeline, (std::vector<std::string>{"out close 1"}));
    EXPECT_FALSE(r.rig.output.isOpen());
    EXPECT_EQ(r.view.checkedOutputs(), std::vector<int>{0});
    EXPECT_EQ(r.settings.values.value("Devices/OutDevice"), "-1");
    EXPECT_TRUE(r.boxes.shown.empty());
}

TEST(DeviceClicks, FailedOutputOpenShowsTheErrorAndStillChecksAndStores)
{
    ChoiceRig r;
    r.restore();
    r.rig.output.failing = {1};
    r.choice.mnuPCSpeaker_Click();
    r.choice.mnuOutDevice_Click(2);
    ASSERT_EQ(r.boxes.shown.size(), 1u);
    EXPECT_EQ(r.boxes.shown[0], (ShownBox{kOutputError, "Error", MessageBoxes::Icon::Critical}));
    EXPECT_FALSE(r.rig.output.isOpen());
    EXPECT_FALSE(r.view.pcSpeakerChecked);
    EXPECT_FALSE(r.rig.engine.UsePCSpeaker);
    EXPECT_EQ(r.view.checkedOutputs(), std::vector<int>{2});
    EXPECT_EQ(r.settings.values.value("Devices/OutDevice"), "1");

    const auto writes = r.settings.writes.size();
    r.choice.mnuOutDevice_Click(3); // no such item: only a faulty view could ask
    r.choice.mnuOutDevice_Click(-1);
    EXPECT_EQ(r.settings.writes.size(), writes);
}

TEST(DeviceClicks, PCSpeakerClosesWithoutNoteOffsAndLeavingItClearsHeldNotes)
{
    ChoiceRig r;
    r.restore();
    r.rig.engine.StartNote(64, 127, 0, false);
    r.rig.output.sent.clear();
    r.timeline.clear();

    r.choice.mnuPCSpeaker_Click();
    r.collect();
    EXPECT_TRUE(r.rig.output.sent.empty()) << "no note-offs before the close";
    EXPECT_EQ(r.timeline, (std::vector<std::string>{"out close 0"}));
    EXPECT_TRUE(r.view.pcSpeakerChecked);
    EXPECT_TRUE(r.view.checkedOutputs().empty());
    EXPECT_TRUE(r.rig.engine.UsePCSpeaker);
    EXPECT_EQ(r.audio.starts, 1);
    EXPECT_EQ(r.settings.writes, QStringList{"Devices/OutDevice=-2"});

    r.rig.engine.StartNote(69, 127, 0, false);
    ASSERT_TRUE(r.rig.engine.NoteHeld[69]);
    r.choice.mnuOutDevice_Click(1);
    EXPECT_FALSE(r.rig.engine.NoteHeld[69]);
    EXPECT_FALSE(r.rig.engine.UsePCSpeaker);
    EXPECT_FALSE(r.view.pcSpeakerChecked);
    EXPECT_EQ(r.view.checkedOutputs(), std::vector<int>{1});
    EXPECT_EQ(r.rig.output.openDevice, 0);
    EXPECT_EQ(r.settings.values.value("Devices/OutDevice"), "0");
}

TEST(DeviceClicks, InputItemOpensStartsAndReportsFailuresInOrder)
{
    ChoiceRig r;
    r.restore();
    r.timeline.clear();
    r.inputs.failingOpen = {0};
    r.choice.mnuInDevice_Click(1);
    r.collect();
    ASSERT_EQ(r.boxes.shown.size(), 2u);
    EXPECT_EQ(r.boxes.shown[0], (ShownBox{kInputOpenError, "Error", MessageBoxes::Icon::Critical}));
    EXPECT_EQ(r.boxes.shown[1],
              (ShownBox{kInputStartError, "Error", MessageBoxes::Icon::Critical}));
    EXPECT_EQ(r.timeline,
              (std::vector<std::string>{"in open 0", "box Error", "in start", "box Error"}));
    EXPECT_EQ(r.view.checkedInputs(), std::vector<int>{1});
    EXPECT_EQ(r.settings.values.value("Devices/InDevice"), "0");
    EXPECT_FALSE(r.view.pcSpeakerChecked);

    r.boxes.shown.clear();
    r.inputs.failingOpen.clear();
    r.inputs.failingStart = true;
    r.choice.mnuInDevice_Click(1);
    ASSERT_EQ(r.boxes.shown.size(), 1u);
    EXPECT_EQ(r.boxes.shown[0].text, kInputStartError);
    EXPECT_TRUE(r.inputs.isOpen()) << "opened but not started stays open";

    r.boxes.shown.clear();
    r.inputs.log.clear();
    r.choice.mnuInDevice_Click(0);
    EXPECT_EQ(r.inputs.log, (std::vector<std::string>{"close 0"})) << "(None) tries no start";
    EXPECT_TRUE(r.boxes.shown.empty());
    EXPECT_EQ(r.view.checkedInputs(), std::vector<int>{0});
    EXPECT_EQ(r.settings.values.value("Devices/InDevice"), "-1");
}

TEST(DeviceClicks, InputClickSilencesFirstAndLeavesThePCSpeakerAlone)
{
    ChoiceRig r;
    r.settings.values = {{"Devices/OutDevice", "-2"}};
    r.restore();
    r.rig.engine.StartNote(70, 127, 0, false);
    r.choice.mnuInDevice_Click(1);
    EXPECT_FALSE(r.rig.engine.NoteHeld[70]);
    EXPECT_TRUE(r.view.pcSpeakerChecked);
    EXPECT_TRUE(r.rig.engine.UsePCSpeaker);
}

TEST(DeviceClicks, CloseMidiDevicesClosesOutputThenInput)
{
    ChoiceRig r;
    r.settings.values = {{"Devices/InDevice", "0"}};
    r.restore();
    r.timeline.clear();
    r.choice.CloseMidiDevices();
    r.collect();
    EXPECT_EQ(r.timeline, (std::vector<std::string>{"out close 0", "in close 0"}));
    r.choice.CloseMidiDevices(); // nothing open: nothing happens
    r.collect();
    EXPECT_EQ(r.timeline.size(), 2u);
}
