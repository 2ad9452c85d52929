#include "Presenter.h"

#include <QCoreApplication>

namespace tamber {

namespace {

using Icon = MessageBoxes::Icon;

QString deviceText(DeviceError error)
{
    switch (error) {
    case DeviceError::StartOutputOpen:
        return QCoreApplication::translate(
            "Presenter", "The MIDI output device could not be opened. Please ensure that it "
                         "is not busy, or select a different device from the Options menu.");
    case DeviceError::StartInputOpen:
        return QCoreApplication::translate(
            "Presenter", "The MIDI input device could not be opened. Please ensure that it "
                         "is not busy, or select a different device from the Options menu.");
    case DeviceError::StartInputStart:
        return QCoreApplication::translate(
            "Presenter", "The MIDI input device could not be started. Please ensure that it "
                         "is not busy, or select a different device from the Options menu.");
    case DeviceError::OutputOpen:
        return QCoreApplication::translate(
            "Presenter", "Tamber Piano could not open the selected output device. Please "
                         "ensure no other applications are using the device and try again.");
    case DeviceError::InputOpen:
        return QCoreApplication::translate(
            "Presenter", "Tamber Piano could not open the selected input device. Please "
                         "ensure no other applications are using the device and try again.");
    case DeviceError::InputStart:
        return QCoreApplication::translate(
            "Presenter", "Tamber Piano could not start the selected input device. Please "
                         "ensure no other applications are using the device and try again.");
    }
    return {};
}

QString addressText(const AddressError& error)
{
    const QString roomRule =
        QCoreApplication::translate("Presenter", "A room name is 1 to 24 letters, digits, - or _.");
    switch (error.kind) {
    case AddressError::Kind::Empty:
        return QCoreApplication::translate(
            "Presenter", "Please enter the server's address, for example 192.168.1.20, "
                         "piano.example.org:9051 or piano.example.org/jazz.");
    case AddressError::Kind::MissingHost:
        return QCoreApplication::translate(
            "Presenter", "The address has no host: write the server's name or IP address "
                         "before the port or the room, as in piano.example.org:9051/jazz.");
    case AddressError::Kind::BadHost:
        return QCoreApplication::translate("Presenter", "\"%1\" is not a host name or IP address.")
            .arg(error.part);
    case AddressError::Kind::BadIpv6:
        return QCoreApplication::translate(
                   "Presenter", "\"%1\" is not an address. An IPv6 address goes in brackets, as in "
                                "[::1] or [::1]:9051/jazz.")
            .arg(error.part);
    case AddressError::Kind::BadPort:
        if (error.part.isEmpty())
            return QCoreApplication::translate(
                "Presenter", "The port is missing after the colon: it is a number from 1 to "
                             "65535.");
        return QCoreApplication::translate(
                   "Presenter", "\"%1\" is not a port: a port is a number from 1 to 65535.")
            .arg(error.part);
    case AddressError::Kind::BadRoom:
        if (error.part.isEmpty())
            return QCoreApplication::translate("Presenter",
                                               "The room is missing after the slash. ") +
                   roomRule;
        return QCoreApplication::translate("Presenter", "\"%1\" is not a room name. ")
                   .arg(error.part) +
               roomRule;
    }
    return {};
}

} // namespace

Presenter::Presenter(MessageBoxes& boxes) : m_boxes(boxes) {}

void Presenter::box(const QString& text, const QString& title, Icon icon)
{
    if (m_wait)
        m_boxes.show(text, title, icon);
    else
        m_boxes.post(text, title, icon);
}

void Presenter::show(StartupMessage message)
{
    switch (message) {
    case StartupMessage::NoOutputDevice:
        box(QCoreApplication::translate(
                "Presenter", "Sorry, Tamber Piano cannot run because no MIDI output devices were "
                             "found on your computer."),
            QCoreApplication::translate("Presenter", "Fatal Error"), Icon::Critical);
        break;
    case StartupMessage::Welcome:
        box(QCoreApplication::translate("Presenter", "Welcome to Tamber Piano!") +
                QStringLiteral("\r\n\r\n") +
                QCoreApplication::translate(
                    "Presenter", "Press the keys on your computer keyboard to begin playing."),
            QCoreApplication::translate("Presenter", "Welcome"), Icon::Information);
        break;
    }
}

void Presenter::show(const KeymapReport& report)
{
    using Kind = KeymapReport::Kind;
    const QString warning = QCoreApplication::translate("Presenter", "Warning");
    switch (report.kind) {
    case Kind::NotKeymap:
        box(QCoreApplication::translate("Presenter", "This is not a valid keymap file."),
            QCoreApplication::translate("Presenter", "Invalid File"), Icon::Exclamation);
        break;
    case Kind::CannotOpen:
        box(QCoreApplication::translate("Presenter",
                                        "The keymap file \"%1\" could not be opened: %2")
                .arg(report.path, report.reason),
            QCoreApplication::translate("Presenter", "Error"), Icon::Exclamation);
        break;
    case Kind::OtherMajor:
        box(QCoreApplication::translate(
                "Presenter", "This keymap was designed to work with Tamber Piano v%1.x.x. It will "
                             "not work with this version of Tamber Piano.")
                .arg(report.major),
            QCoreApplication::translate("Presenter", "Error"), Icon::Exclamation);
        break;
    case Kind::OtherMinor:
        box(QCoreApplication::translate(
                "Presenter", "This keymap was designed to work with Tamber Piano v%1.%2.x. It may "
                             "not work correctly with this version of Tamber Piano.")
                .arg(report.major)
                .arg(report.minor),
            warning, Icon::Exclamation);
        break;
    case Kind::InvalidValue:
        box(QCoreApplication::translate("Presenter",
                                        "Warning: An invalid value was detected in this keymap."),
            warning, Icon::Exclamation);
        break;
    case Kind::MoreInvalidValues:
        // English has two forms (the source texts); each translation has its language's own.
        box(report.count == 1
                ? QCoreApplication::translate("Presenter",
                                              "Warning: %n more invalid value was detected in "
                                              "this keymap and skipped.",
                                              nullptr, report.count)
                : QCoreApplication::translate("Presenter",
                                              "Warning: %n more invalid values were detected in "
                                              "this keymap and skipped.",
                                              nullptr, report.count),
            warning, Icon::Exclamation);
        break;
    case Kind::CannotSave:
        box(QCoreApplication::translate("Presenter", "The keymap could not be saved to \"%1\": %2")
                .arg(report.path, report.reason),
            QCoreApplication::translate("Presenter", "Error"), Icon::Critical);
        break;
    case Kind::Saved:
        box(QCoreApplication::translate("Presenter", "Keymap Saved!"),
            QCoreApplication::translate("Presenter", "Success"), Icon::Information);
        break;
    }
}

void Presenter::show(const RecordingError& error)
{
    box(QCoreApplication::translate("Presenter", "The recording could not be written to \"%1\": %2")
            .arg(error.fileName, error.reason),
        QCoreApplication::translate("Presenter", "Error"), Icon::Critical);
}

void Presenter::show(DeviceError error)
{
    const bool atStartup = error == DeviceError::StartOutputOpen ||
                           error == DeviceError::StartInputOpen ||
                           error == DeviceError::StartInputStart;
    box(deviceText(error),
        atStartup ? QCoreApplication::translate("Presenter", "Warning")
                  : QCoreApplication::translate("Presenter", "Error"),
        atStartup ? Icon::Exclamation : Icon::Critical);
}

void Presenter::show(SessionError error)
{
    switch (error) {
    case SessionError::ConnectFailed:
        box(QCoreApplication::translate("Presenter",
                                        "Tamber Piano could not connect to the server!"),
            QCoreApplication::translate("Presenter", "Error"), Icon::Critical);
        break;
    case SessionError::SeatRefused:
        box(QCoreApplication::translate(
                "Presenter", "The server closed the connection before a seat was free for you. The "
                             "session may be full; please try again later."),
            QCoreApplication::translate("Presenter", "Corvent"), Icon::Information);
        break;
    }
}

void Presenter::show(const SessionFarewell& farewell)
{
    box(farewell.reason, QCoreApplication::translate("Presenter", "Corvent"), Icon::Information);
}

void Presenter::show(const AddressError& error)
{
    box(addressText(error), QCoreApplication::translate("Presenter", "Corvent"), Icon::Exclamation);
}

void Presenter::show(const SessionReport& report)
{
    std::visit([this](const auto& r) { show(r); }, report);
}

void Presenter::show(const PlaybackError& error)
{
    QString text;
    switch (error.kind) {
    case PlaybackError::Kind::RecordingCannotOpen:
        text =
            QCoreApplication::translate("Presenter", "The recording \"%1\" could not be opened: %2")
                .arg(error.fileName, error.reason);
        break;
    case PlaybackError::Kind::RecordingTooLong:
        text = QCoreApplication::translate(
                   "Presenter", "The recording \"%1\" cannot be played: it holds more than %2 "
                                "events.")
                   .arg(error.fileName)
                   .arg(Player::kMaxPlayEvents);
        break;
    case PlaybackError::Kind::MidiFileCannotOpen:
        text =
            QCoreApplication::translate("Presenter", "The MIDI file \"%1\" could not be opened: %2")
                .arg(error.fileName, error.reason);
        break;
    case PlaybackError::Kind::MidiFileInvalid:
        text = QCoreApplication::translate("Presenter", "The MIDI file \"%1\" cannot be played: %2")
                   .arg(error.fileName, error.reason);
        break;
    }
    box(text, QCoreApplication::translate("Presenter", "Error"), Icon::Exclamation);
}

void Presenter::show(const MidiExportResult& result)
{
    if (!result.ok())
        box(result.message, QCoreApplication::translate("Presenter", "Error"), Icon::Exclamation);
}

} // namespace tamber
