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

    if (steps.afterOutputSettles)
        steps.afterOutputSettles([steps, report = m_report, &settings = m_settings] {
            finish(steps, report, settings);
        });
    else
        finish(steps, m_report, m_settings);
    return true;
}

void Startup::finish(const Steps& steps, const std::function<void(StartupMessage)>& report,
                     SettingsStore& settings)
{
    auto ended = [&steps] { return steps.ended && steps.ended(); };
    if (ended())
        return;
    if (steps.restoreInputDevice) {
        steps.restoreInputDevice();
        if (ended())
            return;
    }

    bool isNumber = false;
    const double welcomed =
        settings.read(QStringLiteral("General"), QStringLiteral("Welcomed"), QStringLiteral("0"))
            .trimmed()
            .toDouble(&isNumber);
    if (!isNumber || welcomed == 0) {
        report(StartupMessage::Welcome);
        settings.write(QStringLiteral("General"), QStringLiteral("Welcomed"), QStringLiteral("1"));
    }
}

} // namespace tamber
