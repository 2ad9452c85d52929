#pragma once

#include "PeriodPolicy.h"
#include "SpscQueue.h"
#include "ToneGenerator.h"
#include "UnderrunDetector.h"

#include "client/engine/MidiDevices.h"

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

namespace tamber {

class SettingsStore;
struct FluidSynthLibrary;

struct SynthConfig
{
    static constexpr int kDefaultPeriodFrames = 128; // 2.7 ms at 48 kHz

    QString soundFont = QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2");
    // Tried in this order; the first that opens is kept. A JACK server runs only where
    // someone started it for low latency; PulseAudio (or PipeWire's PulseAudio server) is
    // every desktop's; bare ALSA is what is left.
    std::vector<QByteArray> audioDrivers = {"jack", "pulseaudio", "alsa"};
    double sampleRate = 48000; // a wish: the driver may impose another
    // Where the program chooses its period (PulseAudio, ALSA); JACK's is the server's. It
    // grows by itself when the machine cannot keep up.
    int periodFrames = kDefaultPeriodFrames;
    QByteArray jackClientName = "TamberPiano";

    // The defaults, with the period from the settings ("Audio"/"PeriodFrames") if it holds one.
    static SynthConfig fromSettings(const SettingsStore& settings);
    // Without a JACK server running JACK is not tried: the piano never starts one.
    SynthConfig forJack(bool serverRunning) &&;
};

// The built-in General MIDI synthesizer (FluidSynth) and the audio stream it plays through.
//
// Threads: the GUI thread only queues MIDI events and tones; the audio callback owns the
// synthesizer once it is loaded and applies the queued events at the start of each period, so
// a note sent now sounds from the first frame of the next one. The audio output opens and the
// sound font loads on a thread of their own (openInBackground), so neither holds up the
// window; the GUI thread learns the outcome by a queued call and touches neither meanwhile.
// FluidSynth's library itself is opened only when the engine first needs it (FluidLibrary.h).
// The callback times itself; when it reports underruns again and again while something plays,
// the GUI thread restarts the stream with a longer period (PeriodPolicy).
class SynthEngine : public ToneGenerator, public AudioEngine
{
public:
    explicit SynthEngine(SynthConfig config = {});
    ~SynthEngine() override;
    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;

    // True when the sound font is a file FluidSynth can read (looked at, not loaded).
    bool hasSoundFont() const { return m_hasSoundFont; }

    // Starts the stream only, here and now: the PC-speaker tones need no sound font. While
    // the background opening runs, true: the stream is on its way.
    bool start() override;
    // Opens the stream (unless it runs) and loads the sound font, on a thread of their own;
    // `ready` then runs on this thread: true once the synthesizer plays (or the stream runs
    // and the sound font would not load: it stays silent, as logged), false when no audio
    // output could be opened. At once when there is nothing left to open.
    void openInBackground(std::function<void(bool opened)> ready);
    // While held, an opening asked for waits for the release: the window maps first, with
    // the machine to itself. Released, it starts.
    void holdOpening() { m_held = true; }
    // While held, an opening asked for has FluidSynth's library loaded (on a thread of its own)
    // from now on: once the window is shown, the library's forty-odd libraries load while it
    // maps instead of at exec or while it is built.
    void prepareOpening();
    void releaseOpening();
    // The one who asked no longer waits (its port closed).
    void forgetReady() { m_ready = nullptr; }
    bool isOpening() const { return m_opener.joinable(); }
    bool isRunning() const { return m_driver != nullptr; }
    QByteArray driverName() const { return m_driverName; }
    double sampleRate() const { return m_sampleRate.load(); }
    // Frames per period of the running stream: the last callback's (under JACK, the server's
    // period), or the period asked for until the first callback.
    int periodFrames() const;

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

    // What the opening thread found, handed over when it is joined.
    struct Opened
    {
        _fluid_audio_driver_t* driver = nullptr;
        QByteArray name;
    };

    static int audioCallback(void* data, int len, int nfx, float* fx[], int nout, float* out[]);
    // Opens FluidSynth and makes the settings, once; false when the library cannot be opened.
    // Any thread, while no other opens.
    bool loadLibrary();
    // Tries the audio systems in turn; any thread, while no driver runs.
    Opened openFirstDriver(int periodFrames);
    _fluid_audio_driver_t* openDriver(const QByteArray& name, int periodFrames);
    void adopt(const Opened& opened);
    void beginOpening();
    void finishOpening();
    void describeOutput() const;
    void watchStream();
    void checkUnderruns();
    // Restarts the stream with the policy's period, which it keeps knowing.
    void reopen();
    _fluid_synth_t* buildSynth(double rate);
    void publish(_fluid_synth_t* synth);
    // True when something sounded: a voice or a tone.
    bool render(int frames, float* left, float* right);
    void applyEvents(_fluid_synth_t* synth);
    bool mixTones(int frames, float* left, float* right);

    SynthConfig m_config;
    bool m_hasSoundFont = false;
    std::thread m_libraryLoader;
    // Set before any settings, driver or synthesizer is made; read-only after (the audio
    // callback calls through it).
    const FluidSynthLibrary* m_fluid = nullptr;
    bool m_offline = false;
    _fluid_hashtable_t* m_settings = nullptr;      // the audio driver's
    _fluid_hashtable_t* m_synthSettings = nullptr; // the synthesizer's
    _fluid_audio_driver_t* m_driver = nullptr;
    QByteArray m_driverName;
    std::thread m_opener;
    Opened m_opened; // written by the opening thread, read after it is joined
    std::function<void(bool)> m_ready;
    bool m_held = false;
    PeriodPolicy m_policy;
    bool m_toldAtLimit = false;
    QTimer m_watch; // runs while something plays, to look at the underruns

    std::atomic<_fluid_synth_t*> m_synth{nullptr};
    std::atomic<Load> m_load{Load::Pending};
    std::atomic<double> m_sampleRate;
    std::atomic<bool> m_listening{false};
    std::atomic<bool> m_skipped{true};
    std::atomic<int64_t> m_queuedFrames{0};
    std::atomic<int> m_underruns{0};
    std::atomic<int> m_callbackFrames{0};
    SpscQueue<ShortMessage, 4096> m_events;
    SpscQueue<Tone, 1024> m_tones;

    // Audio thread only (or the GUI thread while no driver runs).
    UnderrunDetector m_detector;
    int64_t m_quietFrames = INT64_MAX / 2;
    Tone m_tone;
    double m_phase = 0;
};

} // namespace tamber
