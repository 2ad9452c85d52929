#include "Startup.h"

namespace tamber {

Startup::Startup(MessageBoxes& messageBoxes, SettingsStore& settings)
    : m_messageBoxes(messageBoxes), m_settings(settings)
{
}

bool Startup::Main(const Steps& steps)
{
    auto ended = [&steps] { return steps.ended && steps.ended(); };
    steps.loadDefaultKeymap();
    if (ended())
        return false;

    // The choice of the PC speaker does not help here: the program needs a MIDI service.
    if (steps.outputDeviceCount() == 0) {
        m_messageBoxes.show(QStringLiteral("Sorry, Tamber Piano cannot run because no MIDI output "
                                           "devices were found on your computer."),
                            QStringLiteral("Fatal Error"), MessageBoxes::Icon::Critical);
        return false;
    }

    for (const auto& step : {steps.loadMainWindow, steps.restoreDevices, steps.captionNoteLabels,
                             steps.initInstruments, steps.resetBaseOctave, steps.showMainWindow}) {
        step();
        if (ended())
            return false;
    }

    bool isNumber = false;
    const double welcomed =
        m_settings.read(QStringLiteral("General"), QStringLiteral("Welcomed"), QStringLiteral("0"))
            .trimmed()
            .toDouble(&isNumber);
    if (!isNumber || welcomed == 0) {
        m_messageBoxes.show(QStringLiteral("Welcome to Tamber Piano!\r\n\r\nPress the keys on your "
                                           "computer keyboard to begin playing."),
                            QStringLiteral("Welcome"), MessageBoxes::Icon::Information);
        m_settings.write(QStringLiteral("General"), QStringLiteral("Welcomed"),
                         QStringLiteral("1"));
    }
    return true;
}

} // namespace tamber
