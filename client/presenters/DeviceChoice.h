#pragma once

#include "client/engine/MidiDevices.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tamber {

class AudioEngine;
class NoteEngine;
class SettingsStore;

// The Output Device and Input Device submenus as the main window shows them. The output
// submenu holds "(PC Speaker)" and then the output items; item 0 of each list is "(None)",
// item k > 0 stands for device k - 1. Captions are shown as given ('&' is no shortcut).
// A click on output item k calls DeviceChoice::mnuOutDevice_Click(k), and so on.
class DeviceMenuView
{
public:
    virtual ~DeviceMenuView() = default;
    virtual void setOutputItems(const QStringList& captions) = 0;
    virtual void setInputItems(const QStringList& captions) = 0;
    virtual void setOutputChecked(int item, bool checked) = 0;
    virtual void setInputChecked(int item, bool checked) = 0;
    virtual void setPCSpeakerChecked(bool checked) = 0;
};

// A device that failed to open or start: at start-up (the saved choice) or when the user
// picked it from a menu.
enum class DeviceError
{
    StartOutputOpen,
    StartInputOpen,
    StartInputStart,
    OutputOpen,
    InputOpen,
    InputStart,
};

// Which MIDI devices are in use: the device submenus, the restore of the saved choice at
// start-up, and the closing of both devices at exit.
class DeviceChoice
{
public:
    struct Links
    {
        NoteEngine& engine;
        SettingsStore& settings;
        std::function<void(DeviceError)> report;
        MidiOutputDevices& outputs;
        MidiInputDevices& inputs;
        AudioEngine& audio; // the stream of the built-in synthesizer and the PC-speaker tones
        DeviceMenuView& view;
    };

    explicit DeviceChoice(Links links);

    // Lists the devices into both submenus (once, at the main window's load).
    void buildMenus();
    // Start-up: reads the saved choices, sets the check marks and opens the devices.
    void restoreAtStartup();
    // The same in two halves, so that the window can come up in between: the check marks and
    // the output (which may go on opening in the background), then the input.
    void restoreOutputAtStartup();
    void restoreInputAtStartup();
    // Runs `then` once the output opened at start-up is settled; when it failed after all,
    // the start-up warning comes first.
    void afterStartupOutput(std::function<void()> then);

    void mnuOutDevice_Click(int index);
    void mnuInDevice_Click(int index);
    void mnuPCSpeaker_Click();
    // Exit: the output, then the input.
    void CloseMidiDevices();

private:
    void checkOutputItem(int item);
    void checkInputItem(int item);

    Links m_links;
    int m_outputItems = 1; // "(None)" plus one per device
    int m_inputItems = 1;
    int m_savedInput = -1; // read at start-up with the output, opened after it
};

// A device's name as a menu caption: cut at the first NUL and at 31 characters.
QString deviceCaption(const QByteArray& name);

// A stored device choice read as a 16-bit signed whole number; none when the text is no
// number or lies outside -32768..32767.
std::optional<int> readDeviceNumber(const QString& text);

} // namespace tamber
