#include "DeviceChoice.h"

#include "client/engine/NoteEngine.h"
#include "client/platform/SettingsStore.h"
#include "client/synth/ToneGenerator.h"

#include <QCoreApplication>
#include <cmath>

namespace tamber {

namespace {

const QString kDevices = QStringLiteral("Devices");
const QString kOutDevice = QStringLiteral("OutDevice");
const QString kInDevice = QStringLiteral("InDevice");
// Built when the menus are, once the language's translator is installed.
QString noneItem()
{
    return QCoreApplication::translate("DeviceChoice", "(None)");
}

constexpr int kMaxNameLength = 31;

} // namespace

QString deviceCaption(const QByteArray& name)
{
    QByteArray cut = name.left(name.indexOf('\0') < 0 ? name.size() : name.indexOf('\0'));
    return QString::fromLatin1(cut.left(kMaxNameLength));
}

std::optional<int> readDeviceNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // Whole numbers are what is stored. A hand-edited fraction rounds half to even, so a
    // settings file shared with earlier versions of the piano picks the same device in each.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768 || rounded > 32767)
        return std::nullopt;
    return int(rounded);
}

DeviceChoice::DeviceChoice(Links links) : m_links(links) {}

void DeviceChoice::buildMenus()
{
    QStringList outputs{noneItem()};
    for (int d = 0; d < m_links.outputs.count(); ++d)
        outputs.append(deviceCaption(m_links.outputs.name(d)));
    QStringList inputs{noneItem()};
    for (int d = 0; d < m_links.inputs.count(); ++d)
        inputs.append(deviceCaption(m_links.inputs.name(d)));
    m_outputItems = int(outputs.size());
    m_inputItems = int(inputs.size());
    m_links.view.setOutputItems(outputs);
    m_links.view.setInputItems(inputs);
}

void DeviceChoice::restoreAtStartup()
{
    restoreOutputAtStartup();
    restoreInputAtStartup();
}

void DeviceChoice::restoreOutputAtStartup()
{
    SettingsStore& settings = m_links.settings;

    // A value that is no 16-bit number leaves the start value 0.
    int out =
        readDeviceNumber(settings.read(kDevices, kOutDevice, QStringLiteral("0"))).value_or(0);
    if (out + 1 > m_outputItems - 1)
        out = -1;
    if (out + 1 >= 0)
        m_links.view.setOutputChecked(out + 1, true);

    int in = readDeviceNumber(settings.read(kDevices, kInDevice, QStringLiteral("-1"))).value_or(0);
    if (in + 1 > m_inputItems - 1)
        in = -1;
    if (in + 1 >= 0)
        m_links.view.setInputChecked(in + 1, true);
    m_savedInput = in;

    if (out >= 0) {
        if (!m_links.outputs.open(out))
            m_links.report(DeviceError::StartOutputOpen);
    } else if (out == -2) {
        m_links.engine.UsePCSpeaker = true;
        m_links.view.setPCSpeakerChecked(true);
        // The tones play through the synthesizer's stream; without any audio output the
        // voice is silent, which is no error.
        m_links.audio.start();
    }
}

void DeviceChoice::afterStartupOutput(std::function<void()> then)
{
    m_links.outputs.whenSettled([this, then = std::move(then)](bool failed) {
        if (failed)
            m_links.report(DeviceError::StartOutputOpen);
        then();
    });
}

void DeviceChoice::restoreInputAtStartup()
{
    if (m_savedInput >= 0) {
        if (!m_links.inputs.open(m_savedInput))
            m_links.report(DeviceError::StartInputOpen);
        if (!m_links.inputs.start())
            m_links.report(DeviceError::StartInputStart);
    }
}

void DeviceChoice::mnuOutDevice_Click(int index)
{
    if (index < 0 || index >= m_outputItems)
        return;
    m_links.engine.SilenceAll();
    m_links.outputs.close();
    if (index > 0 && !m_links.outputs.open(index - 1))
        m_links.report(DeviceError::OutputOpen);
    // One that opens in the background may still fail: the same error, a moment later.
    m_links.outputs.whenSettled([this](bool failed) {
        if (failed)
            m_links.report(DeviceError::OutputOpen);
    });
    m_links.view.setPCSpeakerChecked(false);
    m_links.engine.UsePCSpeaker = false;
    checkOutputItem(index);
    m_links.settings.write(kDevices, kOutDevice, QString::number(index - 1));
}

void DeviceChoice::mnuInDevice_Click(int index)
{
    if (index < 0 || index >= m_inputItems)
        return;
    m_links.engine.SilenceAll();
    m_links.inputs.close();
    if (index > 0) {
        if (!m_links.inputs.open(index - 1))
            m_links.report(DeviceError::InputOpen);
        if (!m_links.inputs.start())
            m_links.report(DeviceError::InputStart);
    }
    checkInputItem(index);
    m_links.settings.write(kDevices, kInDevice, QString::number(index - 1));
}

void DeviceChoice::mnuPCSpeaker_Click()
{
    checkOutputItem(-1);
    m_links.view.setPCSpeakerChecked(true);
    // The device's own close turns its notes off, so nothing hangs on an external synthesizer.
    m_links.outputs.close();
    m_links.engine.UsePCSpeaker = true;
    // Chosen after an external device the stream may not run yet; the tones need it.
    m_links.audio.start();
    m_links.settings.write(kDevices, kOutDevice, QStringLiteral("-2"));
}

void DeviceChoice::CloseMidiDevices()
{
    m_links.outputs.close();
    m_links.inputs.close();
}

void DeviceChoice::checkOutputItem(int item)
{
    for (int j = 0; j < m_outputItems; ++j)
        m_links.view.setOutputChecked(j, j == item);
}

void DeviceChoice::checkInputItem(int item)
{
    for (int j = 0; j < m_inputItems; ++j)
        m_links.view.setInputChecked(j, j == item);
}

} // namespace tamber
