#pragma once

#include <QByteArrayList>
#include <QStringList>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace tamber {

// What the machine's MIDI systems offer, looked at once at start-up: whether there is an ALSA
// sequencer and a JACK server, and JACK's MIDI ports (the device menus are built once a run).
struct MidiSystems
{
    bool alsaSequencer = false;
    bool jackServer = false;
    double jackSampleRate = 0;
    QByteArrayList jackPlayable; // MIDI ports that take messages: our outputs
    QByteArrayList jackAudible;  // MIDI ports that send messages: our inputs
    bool answered = true;        // false: the look gave no answer in time
};

// Looks at both systems with one client each. A system that is not there costs a debug line
// or two (the libraries' own complaints, see routeLibraryMessages()), nothing on stderr.
MidiSystems probeMidiSystems();

// What a look found, and what it still has to do once its answer is given (close its JACK
// client).
struct MidiLook
{
    MidiSystems systems;
    std::function<void()> thenClose;
};

// The same look, in a process of its own from construction on, so that it overlaps the rest of
// start-up without touching the program's memory or libjack's state:
// - libjack locks the server's shared memory into the client (mlock), which holds the address
//   space's lock for milliseconds that the program's own allocations would wait for;
// - libjack's jack_client_close can hang for good (its notification thread cancelled while it
//   holds the lock close then takes), and libjack holds its global lock meanwhile, so every
//   later JACK client of the process would hang with it.
// The look's process ends itself once `timeLimit` has passed; a look that has not answered by
// then counts as one that found nothing, and says so. Construct it while the program has one
// thread (before the application object): fork() copies only the thread that calls it.
class MidiSystemsProbe
{
public:
    using Look = std::function<MidiLook()>;
    static constexpr std::chrono::seconds kTimeLimit{5};

    explicit MidiSystemsProbe(Look look = lookAtMidiSystems,
                              std::chrono::seconds timeLimit = kTimeLimit);
    ~MidiSystemsProbe();
    MidiSystemsProbe(const MidiSystemsProbe&) = delete;
    MidiSystemsProbe& operator=(const MidiSystemsProbe&) = delete;

    // Waits for the look's answer the first time.
    const MidiSystems& result();
    // Waits for the look's process to end (its JACK client closed, or its time up).
    void finish();

    // The real look: the ALSA sequencer and the JACK server, under a client name of its own so
    // that the program's own clients, opened meanwhile, keep theirs.
    static MidiLook lookAtMidiSystems();

private:
    std::future<MidiSystems> m_answer;
    std::thread m_waiter;
    MidiSystems m_result;
    bool m_taken = false;
};

// One line for each system that is missing, saying what it takes away and what still plays:
// what the piano prints at start-up in place of the libraries' own complaints.
QStringList missingSystemLines(const MidiSystems& systems, bool builtInSynth);
// Logs those lines (tamber.midi, information).
void reportMissingSystems(const MidiSystems& systems, bool builtInSynth);

} // namespace tamber
