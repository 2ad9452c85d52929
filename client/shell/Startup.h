#pragma once

#include "client/platform/Dialogs.h"
#include "client/platform/SettingsStore.h"

#include <functional>

namespace tamber {

// The order in which the piano starts and stops. Each step is done by the part that owns it;
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
    };

    struct ShutdownSteps
    {
        std::function<void()> stopPlayback;  // if playing
        std::function<void()> stopRecording; // if recording: the file is completed
        std::function<void()> unloadChat;    // leaves a running session
        std::function<void()> unhookMidiInput;
        std::function<void()> closeMidiDevices;
    };

    Startup(MessageBoxes& messageBoxes, SettingsStore& settings);

    // Returns false when the program must end at once (no MIDI output device).
    bool Main(const Steps& steps);
    static void Shutdown(const ShutdownSteps& steps);

private:
    MessageBoxes& m_messageBoxes;
    SettingsStore& m_settings;
};

} // namespace tamber
