#pragma once

#include <QByteArrayList>
#include <QStringList>
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
};

// Looks at both systems with one client each. A system that is not there costs a debug line
// or two (the libraries' own complaints, see routeLibraryMessages()), nothing on stderr.
MidiSystems probeMidiSystems();

// The same look, on a thread of its own from construction on, so that it overlaps the rest of
// start-up. JACK's client goes on closing after the answer is in (closing takes a JACK cycle
// or more); the destructor waits for that.
class MidiSystemsProbe
{
public:
    MidiSystemsProbe();
    ~MidiSystemsProbe();
    MidiSystemsProbe(const MidiSystemsProbe&) = delete;
    MidiSystemsProbe& operator=(const MidiSystemsProbe&) = delete;

    // Waits for the look to end the first time.
    const MidiSystems& result();
    // Waits for the look's thread to end, its JACK client closed.
    void finish();

private:
    std::promise<MidiSystems> m_promise;
    std::future<MidiSystems> m_future;
    std::thread m_thread;
    MidiSystems m_result;
    bool m_taken = false;
};

// One line for each system that is missing, saying what it takes away and what still plays:
// what the piano prints at start-up in place of the libraries' own complaints.
QStringList missingSystemLines(const MidiSystems& systems, bool builtInSynth);
// Logs those lines (tamber.midi, information).
void reportMissingSystems(const MidiSystems& systems, bool builtInSynth);

} // namespace tamber
