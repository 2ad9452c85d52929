#pragma once

#include "PlaybackTimer.h"

#include "client/formats/MidiFileReader.h"
#include "client/formats/RecordingFile.h"
#include "client/formats/RecordingFormat.h"
#include "client/platform/TickClock.h"

#include <QString>
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tamber {

// Why a file was not played; the shell tells the user.
struct PlaybackError
{
    enum class Kind
    {
        RecordingCannotOpen, // reason says why
        RecordingTooLong,    // more than Player::kMaxPlayEvents events
        MidiFileCannotOpen,  // reason says why
        MidiFileInvalid,     // reason is the reader's sentence: malformed, too large
    };
    Kind kind = Kind::RecordingCannotOpen;
    QString fileName;
    QString reason;
};

// Plays a recording (.tbr) or a Standard MIDI File (.mid, .midi) at its timing, driven by a
// timer: Play loads the file and returns; each wake-up of the timer plays what is due and
// sets the next one, so the program's other events run between them as usual.
//
// A recording goes back through the program's MIDI input path, one event per wake-up, every
// channel's notes as the local player's own. Each
// Delay counts from the moment the previous event was played (the first: from the press of
// Play), so lateness is never made up and the playback can only run long, never short.
//
// A MIDI file plays every channel to the output, each event at its time from the start, so
// the song keeps its tempo; its notes light in their channel's colour. Stopping it ends the
// notes it started and resets the controllers it moved.
class Player
{
public:
    struct Links
    {
        const TickClock& clock;
        PlaybackTimer& timer;
        std::function<void(uint32_t)> midiIn;  // a recording's events: MidiInput::playRecorded
        std::function<void(uint32_t)> fileOut; // a MIDI file's channel messages
        std::function<void()> silenceAll;      // the note engine's SilenceAll
        std::function<void()> restoreProgram;  // the local instrument, after a MIDI file
    };

    explicit Player(Links links);
    ~Player();

    // The longest recording that is played (128 MiB of events); a longer one is refused
    // rather than taking the machine's memory.
    static constexpr int32_t kMaxPlayEvents = kMaxLoadedRecordingEvents;
    // Events of a MIDI file due at the same moment are played together, up to this many
    // before the event loop gets its turn again.
    static constexpr int kMaxEventsPerWake = 64;

    // A .mid or .midi file is played as a MIDI file, anything else as a recording.
    static bool isMidiFile(const QString& FileName);

    // Stops a playback that runs, loads the whole file and starts playing it; returns at
    // once. A file that is not a recording is ignored without an error; a MIDI file that
    // cannot be read, or a recording that cannot be opened or is too long, gives one.
    std::optional<PlaybackError> PlayRecording(const QString& FileName);
    // Plays what is due (a recording: the next event, if it is due) and sets the timer for
    // what comes next.
    void PlaybackTick();
    // Ends the playback at once and silences what it sounded.
    void StopPlayback();
    bool IsPlaying() const { return m_isPlaying; }

    // Caption and enabled states of the controls follow these.
    void setStartedHandler(std::function<void()> handler) { m_started = std::move(handler); }
    void setStoppedHandler(std::function<void()> handler) { m_stopped = std::move(handler); }

    // Milliseconds until a recording's next event is due; 0 when it is due now or nothing
    // plays.
    uint32_t msUntilDue() const;

private:
    std::optional<PlaybackError> loadRecording(const QString& FileName);
    std::optional<PlaybackError> loadMidiFile(const QString& FileName);
    void start();
    void scheduleNext();
    void playRecordingEvent();
    void playMidiEvents();
    void sendFileMessage(uint32_t message);
    void silenceMidiFile();

    Links m_links;
    std::function<void()> m_started;
    std::function<void()> m_stopped;

    // A recording.
    std::vector<RecordingEvent> PlayEvents;
    int32_t PlayEventCount = 0;
    int32_t PlayIndex = 0; // 1-based; 0 when nothing plays
    uint32_t PlayLastTick = 0;

    // A MIDI file.
    bool m_playingMidiFile = false;
    std::vector<MidiFileEvent> m_midiEvents;
    size_t m_midiIndex = 0;
    int64_t m_startUs = 0;
    std::array<std::bitset<128>, 16> m_fileNotes; // sounding, started by the file
    std::bitset<16> m_controlledChannels;         // controllers, pressure or bend sent
    bool m_programChanged = false;

    bool m_isPlaying = false;
};

} // namespace tamber
