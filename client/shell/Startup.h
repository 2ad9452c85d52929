#pragma once

#include "client/platform/SettingsStore.h"

#include <functional>

namespace tamber {

enum class StartupMessage
{
    NoOutputDevice, // fatal: the program ends after it
    Welcome,        // the first run
};

// The order in which the piano starts. Each step is done by the part that owns it;
// this class only keeps the order, the fatal check and the welcome.
class Startup
{
public:
    struct Steps
    {
        std::function<void()> loadDefaultKeymap;
        std::function<int()> outputDeviceCount;
        std::function<void()> loadMainWindow; // lists the devices into the menus
        std::function<void()> restoreDevices; // check marks and opens from the settings
        std::function<void()> captionNoteLabels;
        std::function<void()> initInstruments; // fills the list and selects program 0
        std::function<void()> resetBaseOctave;
        std::function<void()> showMainWindow;
        // True once the program was asked to end (while a box of an earlier step was open):
        // start-up stops there, before anything more is opened, shown or stored.
        std::function<bool()> ended;
    };

    Startup(std::function<void(StartupMessage)> report, SettingsStore& settings);

    // Returns false when the program must end at once (no MIDI output device, or it was
    // asked to end during start-up).
    bool Main(const Steps& steps);

private:
    std::function<void(StartupMessage)> m_report;
    SettingsStore& m_settings;
};

} // namespace tamber
