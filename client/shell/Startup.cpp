#include "Startup.h"

namespace tamber {

Startup::Startup(std::function<void(StartupMessage)> report, SettingsStore& settings)
    : m_report(std::move(report)), m_settings(settings)
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
        m_report(StartupMessage::NoOutputDevice);
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
        m_report(StartupMessage::Welcome);
        m_settings.write(QStringLiteral("General"), QStringLiteral("Welcomed"),
                         QStringLiteral("1"));
    }
    return true;
}

} // namespace tamber
