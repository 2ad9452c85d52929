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
        std::function<void()> restoreDevices; // check marks and the output (or both) opened
        std::function<void()> captionNoteLabels;
        std::function<void()> initInstruments; // fills the list and selects program 0
        std::function<void()> resetBaseOctave;
        std::function<void()> showMainWindow;
        // True once the program was asked to end (while a box of an earlier step was open):
        // start-up stops there, before anything more is opened, shown or stored.
        std::function<bool()> ended;
        // The output may go on opening after the window is up (the built-in synthesizer):
        // this runs its argument once the output is settled, its warning shown if it failed.
        // Then the input opens (when restoreDevices left it) and the welcome comes. Unset: at once.
        std::function<void(std::function<void()>)> afterOutputSettles;
        std::function<void()> restoreInputDevice;
    };

    Startup(std::function<void(StartupMessage)> report, SettingsStore& settings);

    // Returns false when the program must end at once (no MIDI output device, or it was
    // asked to end during start-up). The steps after the window may run later, from the
    // event loop (see afterOutputSettles).
    bool Main(const Steps& steps);

private:
    // After the window: the input device, then the welcome.
    static void finish(const Steps& steps, const std::function<void(StartupMessage)>& report,
                       SettingsStore& settings);

    std::function<void(StartupMessage)> m_report;
    SettingsStore& m_settings;
};

} // namespace tamber
