#pragma once

#include "Startup.h"

#include "client/formats/KeymapFile.h"
#include "client/formats/MidiExport.h"
#include "client/presenters/DeviceChoice.h"
#include "client/recording/Player.h"
#include "client/recording/Recorder.h"
#include "client/session/SessionClient.h"
#include "common/platform/MessageBoxes.h"

namespace tamber {

// Turns what the program's parts report into the boxes the user sees: each report's text,
// title and icon are here and nowhere else. A new kind of report is one more show().
//
// Boxes are posted: the handler that reported goes on and the program keeps running while
// the box is open; boxes reported together open one after the other, in order. Only
// start-up waits for each box (see setWaitForEachBox).
class Presenter
{
public:
    explicit Presenter(MessageBoxes& boxes);

    void show(StartupMessage message);
    void show(const KeymapReport& report);
    void show(const RecordingError& error);
    void show(DeviceError error);
    void show(SessionError error);
    void show(const SessionFarewell& farewell);
    void show(const AddressError& error);
    void show(const SessionReport& report);
    void show(const PlaybackError& error);
    // Nothing when the export succeeded.
    void show(const MidiExportResult& result);

    // A report function for any part: `links.report = presenter.reporter()`.
    auto reporter()
    {
        return [this](const auto& report) { show(report); };
    }

    // While true, show() returns only once the user has closed the box: start-up goes on
    // only after each of its messages has been read, and the fatal one ends the program.
    void setWaitForEachBox(bool wait) { m_wait = wait; }

private:
    void box(const QString& text, const QString& title, MessageBoxes::Icon icon);

    MessageBoxes& m_boxes;
    bool m_wait = false;
};

} // namespace tamber
