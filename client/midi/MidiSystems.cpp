#include "MidiSystems.h"

#include "LibraryLog.h"
#include "MidiBackends.h"
#include "MidiLog.h"

#include <QThread>
#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <vector>

namespace tamber {

namespace {

bool hasAlsaSequencer()
{
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0)
        return false;
    snd_seq_close(sequencer);
    return true;
}

QByteArrayList midiPorts(jack_client_t* client, unsigned long flags)
{
    QByteArrayList names;
    if (const char** ports = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags)) {
        for (const char** port = ports; *port; ++port)
            names.append(QByteArray(*port));
        jack_free(ports);
    }
    return names;
}

// Fills in the JACK part; returns the client, still open, or null without a server.
jack_client_t* lookAtJack(MidiSystems& systems)
{
    jack_client_t* client = jack_client_open(kMidiClientName, JackNoStartServer, nullptr);
    if (!client)
        return nullptr;
    systems.jackServer = true;
    systems.jackSampleRate = jack_get_sample_rate(client);
    systems.jackPlayable = midiPorts(client, JackPortIsInput);
    systems.jackAudible = midiPorts(client, JackPortIsOutput);
    return client;
}

MidiSystems lookAtAlsa()
{
    MidiSystems systems;
    systems.alsaSequencer = hasAlsaSequencer();
    return systems;
}

// What is left to play through, each with whether it is spoken of as many.
struct Left
{
    QString what;
    bool many = false;
};

QString stillPlays(const std::vector<Left>& left)
{
    if (left.empty())
        return QStringLiteral("no MIDI output is left");
    QString text = left.front().what;
    for (std::size_t i = 1; i < left.size(); ++i)
        text += QStringLiteral(" and ") + left[i].what;
    const bool many = left.size() > 1 || left.front().many;
    return text + (many ? QStringLiteral(" still play") : QStringLiteral(" still plays"));
}

} // namespace

MidiSystems probeMidiSystems()
{
    LibraryMessages messages(&lcMidi);
    MidiSystems systems = lookAtAlsa();
    if (jack_client_t* client = lookAtJack(systems))
        jack_client_close(client);
    qCDebug(lcMidi) << "ALSA sequencer:" << systems.alsaSequencer
                    << "JACK server:" << systems.jackServer;
    return systems;
}

MidiSystemsProbe::MidiSystemsProbe() : m_future(m_promise.get_future())
{
    // Qt makes the first thread that asks for its thread data its main thread. The look runs
    // before the application is made, so this thread, which goes on to make it, asks first;
    // else, with a JACK server about, the look's thread could win that race.
    QThread::currentThread();
    m_thread = std::thread([this] {
        LibraryMessages messages(&lcMidi);
        MidiSystems systems = lookAtAlsa();
        jack_client_t* client = lookAtJack(systems);
        qCDebug(lcMidi) << "ALSA sequencer:" << systems.alsaSequencer
                        << "JACK server:" << systems.jackServer;
        m_promise.set_value(std::move(systems));
        if (client)
            jack_client_close(client);
    });
}

MidiSystemsProbe::~MidiSystemsProbe()
{
    finish();
}

void MidiSystemsProbe::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}

const MidiSystems& MidiSystemsProbe::result()
{
    if (!m_taken) {
        m_result = m_future.get();
        m_taken = true;
    }
    return m_result;
}

QStringList missingSystemLines(const MidiSystems& systems, bool builtInSynth)
{
    const QString synth = QStringLiteral("the built-in synthesizer");
    QStringList lines;
    if (!systems.jackServer) {
        std::vector<Left> left;
        if (systems.alsaSequencer)
            left.push_back({QStringLiteral("ALSA MIDI ports"), true});
        if (builtInSynth)
            left.push_back({synth + QStringLiteral(" (through PulseAudio or ALSA)")});
        lines << QStringLiteral("No JACK server is running: no JACK MIDI ports; ") +
                     stillPlays(left);
    }
    if (!systems.alsaSequencer) {
        std::vector<Left> left;
        if (systems.jackServer)
            left.push_back({QStringLiteral("JACK MIDI ports"), true});
        if (builtInSynth)
            left.push_back({synth});
        lines << QStringLiteral("No ALSA sequencer: no ALSA MIDI ports; ") + stillPlays(left);
    }
    return lines;
}

void reportMissingSystems(const MidiSystems& systems, bool builtInSynth)
{
    for (const QString& line : missingSystemLines(systems, builtInSynth))
        qCInfo(lcMidi).noquote() << line;
}

} // namespace tamber
