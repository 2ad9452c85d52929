#pragma once

#include "RecordingFile.h"
#include "RecordingFormat.h"
#include "client/platform/Dialogs.h"
#include "client/platform/TickClock.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace tamber {

// How the playback loop lets the rest of the program run between two events.
class PlaybackWaiter
{
public:
    virtual ~PlaybackWaiter() = default;
    // Handles every pending event; then, if `milliseconds` is above 0, sleeps until that
    // time has passed or another event has arrived (and been handled), whichever is first.
    virtual void waitFor(uint32_t milliseconds) = 0;
};

// Plays a recording file back through the program's MIDI input path, at the recorded timing.
//
// PlayRecording runs a nested event loop until the playback ends: everything else the
// program does (keyboard, MIDI input, session, menus, the Stop click) runs inside it.
// One event is played per pass; each Delay counts from the moment the previous event was
// played (the first: from the start of playback), so lateness is never made up and the
// playback can only run long, never short. The loop sleeps until the next event is due.
class Player
{
public:
    struct Links
    {
        const TickClock& clock;
        PlaybackWaiter& waiter;
        MessageBoxes& boxes;
        std::function<void(uint32_t)> midiIn; // the MIDI input entry point, MidiInWindowProc
        std::function<void()> silenceAll;     // the note engine's SilenceAll
    };

    explicit Player(Links links);

    // The longest recording that is played (128 MiB of events); a longer one is refused
    // with a box rather than taking the machine's memory.
    static constexpr int32_t kMaxPlayEvents = kMaxLoadedRecordingEvents;

    // Loads the whole file, then plays it to the end or until stopped; returns only when
    // playback has ended. A file that is not a recording is ignored without a message; one
    // that cannot be opened, or holds more than kMaxPlayEvents events, gets a box.
    void PlayRecording(const QString& FileName);
    // One pass of the playback loop: plays the next event if it is due.
    void PlaybackTick();
    // Ends the playback (the loop returns after the handler that called this) and
    // silences every note.
    void StopPlayback();
    bool IsPlaying() const { return m_isPlaying; }
    // True while PlayRecording is on the stack, which may be a little after IsPlaying
    // turned false: a window must not be destroyed before this is false again.
    bool isInsidePlayback() const { return m_depth > 0; }

    // Caption and enabled states of the controls follow these.
    void setStartedHandler(std::function<void()> handler) { m_started = std::move(handler); }
    void setStoppedHandler(std::function<void()> handler) { m_stopped = std::move(handler); }

    // Milliseconds until the next event is due; 0 when it is due now or nothing plays.
    uint32_t msUntilDue() const;

private:
    bool load(const QString& FileName);

    Links m_links;
    std::function<void()> m_started;
    std::function<void()> m_stopped;

    std::vector<RecordingEvent> PlayEvents;
    int32_t PlayEventCount = 0;
    int32_t PlayIndex = 0; // 1-based; 0 when nothing plays
    uint32_t PlayLastTick = 0;
    bool m_isPlaying = false;
    int m_depth = 0;
};

} // namespace tamber
