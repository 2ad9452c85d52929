#pragma once

#include "MidiDevices.h"
#include "SpscQueue.h"
#include "ToneGenerator.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

namespace tamber {

struct SynthConfig
{
    QString soundFont = QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2");
    // Tried in this order; the first that opens is kept.
    std::vector<QByteArray> audioDrivers = {"jack", "pulseaudio", "alsa"};
    double sampleRate = 48000; // a wish: the driver may impose another
    int periodFrames = 256;    // about 5 ms, so a key sounds at once
    QByteArray jackClientName = "TamberPiano";
};

// The built-in General MIDI synthesizer (FluidSynth) and the audio stream it plays through.
//
// Threads: the GUI thread only queues MIDI events and tones; the audio callback owns the
// synthesizer once it is loaded and applies the queued events before each period. The sound
// font loads on a thread of its own, so a large one does not hold up the window; events sent
// meanwhile wait in the queue.
class SynthEngine : public ToneGenerator, public AudioEngine
{
public:
    explicit SynthEngine(SynthConfig config = {});
    ~SynthEngine() override;
    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;

    // True when the sound font is a file FluidSynth can read (looked at, not loaded).
    bool hasSoundFont() const { return m_hasSoundFont; }

    // Starts the stream only: the PC-speaker tones need no sound font.
    bool start() override;
    // Loads the sound font on a thread of its own, once the stream runs; the synthesizer plays
    // from then on. Messages sent meanwhile wait.
    void loadSoundFont();
    bool isRunning() const { return m_driver != nullptr; }
    QByteArray driverName() const { return m_driverName; }
    double sampleRate() const { return m_sampleRate.load(); }

    // The MIDI side. While not listening, sent messages are dropped.
    void setListening(bool on) { m_listening.store(on); }
    bool isListening() const { return m_listening.load(); }
    void send(ShortMessage message);
    // Cuts every voice on every channel, release and reverb included.
    void allSoundOff();

    void queueTone(int frequencyHz, int durationMs) override;
    int queuedMs() const override;

    // Without an audio driver (tests, tools): loads the sound font now; then renderOffline()
    // runs the audio callback's work on the caller's thread.
    bool prepareOffline(double sampleRate);
    void renderOffline(int frames, float* left, float* right);
    // True when the last period skipped the synthesizer because nothing could be heard.
    bool skippedLastPeriod() const { return m_skipped.load(); }

private:
    enum class Load
    {
        Pending,
        Ready,
        Failed
    };
    struct Tone
    {
        double frequency = 0;
        int64_t frames = 0;
    };

    static int audioCallback(void* data, int len, int nfx, float* fx[], int nout, float* out[]);
    void loadSynth();
    void render(int frames, float* left, float* right);
    void applyEvents(_fluid_synth_t* synth);
    void mixTones(int frames, float* left, float* right);

    SynthConfig m_config;
    bool m_hasSoundFont = false;
    bool m_offline = false;
    _fluid_hashtable_t* m_settings = nullptr;
    _fluid_audio_driver_t* m_driver = nullptr;
    QByteArray m_driverName;
    std::thread m_loader;

    std::atomic<_fluid_synth_t*> m_synth{nullptr};
    std::atomic<Load> m_load{Load::Pending};
    std::atomic<double> m_sampleRate;
    std::atomic<bool> m_listening{false};
    std::atomic<bool> m_skipped{true};
    std::atomic<int64_t> m_queuedFrames{0};
    SpscQueue<ShortMessage, 4096> m_events;
    SpscQueue<Tone, 1024> m_tones;

    // Audio thread only.
    int64_t m_quietFrames = INT64_MAX / 2;
    Tone m_tone;
    double m_phase = 0;
};

} // namespace tamber
