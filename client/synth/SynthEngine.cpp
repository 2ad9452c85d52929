#include "SynthEngine.h"

#include "FluidLibrary.h"
#include "LibraryMessages.h"
#include "SoundLog.h"

#include "client/platform/SettingsStore.h"

#include <QFile>
#include <QMetaObject>
#include <QStringList>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace tamber {

namespace {

constexpr float kToneLevel = 0.05f;      // square wave amplitude, well below clipping
constexpr double kReverbTailSeconds = 3; // rendering goes on this long after the last voice
constexpr int kOfflineBlock = 512;
constexpr int kWatchMs = 500;

int64_t steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

const char* systemName(const QByteArray& driver)
{
    if (driver == "jack")
        return "JACK";
    if (driver == "pulseaudio")
        return "PulseAudio";
    if (driver == "alsa")
        return "ALSA";
    return driver.constData();
}

// Without this, probing JACK would try to launch a server and give up only after seconds.
// Set on the GUI thread before the opening thread reads it.
void neverStartJack()
{
    if (!qEnvironmentVariableIsSet("JACK_NO_START_SERVER"))
        qputenv("JACK_NO_START_SERVER", "1");
}

QString noOutputLine(const std::vector<QByteArray>& tried)
{
    QStringList names;
    for (const QByteArray& driver : tried)
        names << QLatin1String(systemName(driver));
    const QString what = QStringLiteral("the built-in synthesizer and the PC speaker are silent");
    if (names.isEmpty())
        return QStringLiteral("No audio output: ") + what;
    return QStringLiteral("No audio output could be opened (tried %1): ")
               .arg(names.join(QStringLiteral(", "))) +
           what;
}

} // namespace

SynthConfig SynthConfig::fromSettings(const SettingsStore& settings)
{
    SynthConfig config;
    const QString text =
        settings.read(QStringLiteral("Audio"), QStringLiteral("PeriodFrames"), QString());
    if (text.isEmpty())
        return config;
    bool ok = false;
    const int frames = PeriodPolicy::usable(text.trimmed().toLongLong(&ok));
    if (!ok || frames == 0) {
        qCWarning(lcSound).noquote() << "Audio/PeriodFrames" << text
                                     << "is no period in frames; using" << config.periodFrames;
        return config;
    }
    config.periodFrames = frames;
    return config;
}

SynthConfig SynthConfig::forJack(bool serverRunning) &&
{
    if (!serverRunning)
        std::erase(audioDrivers, QByteArray("jack"));
    return std::move(*this);
}

SynthEngine::SynthEngine(SynthConfig config)
    : m_config(std::move(config)), m_policy(m_config.periodFrames),
      m_sampleRate(m_config.sampleRate)
{
    const QByteArray path = QFile::encodeName(m_config.soundFont);
    m_hasSoundFont = looksLikeSoundFont(path.constData());
    if (!m_hasSoundFont)
        qCInfo(lcSound) << "No sound font at" << m_config.soundFont
                        << "- the built-in synthesizer is not offered";

    m_watch.setSingleShot(true);
    m_watch.setInterval(kWatchMs);
    QObject::connect(&m_watch, &QTimer::timeout, &m_watch, [this] {
        checkUnderruns();
        if (!m_skipped.load())
            m_watch.start();
    });
}

bool SynthEngine::loadLibrary()
{
    if (m_libraryLoader.joinable())
        m_libraryLoader.join();
    if (m_fluid)
        return true;
    const FluidSynthLibrary* fluid = fluidSynth();
    if (!fluid)
        return false;
    m_synthSettings = fluid->new_fluid_settings();
    // FluidSynth's default gain is meant for dense songs; a piano played by hand sounds faint.
    fluid->fluid_settings_setnum(m_synthSettings, "synth.gain", 0.5);
    m_settings = fluid->new_fluid_settings();
    fluid->fluid_settings_setnum(m_settings, "synth.sample-rate", m_config.sampleRate);
    fluid->fluid_settings_setstr(m_settings, "audio.jack.id", m_config.jackClientName.constData());
    fluid->fluid_settings_setint(m_settings, "audio.jack.autoconnect", 1);
    fluid->fluid_settings_setint(m_settings, "audio.jack.multi", 0);
    m_fluid = fluid;
    return true;
}

SynthEngine::~SynthEngine()
{
    // An opening still under way ends first; what it opened is taken down with the rest.
    if (m_opener.joinable()) {
        m_opener.join();
        if (!m_driver)
            m_driver = m_opened.driver;
    }
    if (m_libraryLoader.joinable())
        m_libraryLoader.join();
    if (!m_fluid)
        return; // nothing of FluidSynth's was made
    // The driver goes first so that no callback runs while the rest is taken down.
    if (m_driver)
        m_fluid->delete_fluid_audio_driver(m_driver);
    if (fluid_synth_t* synth = m_synth.exchange(nullptr))
        m_fluid->delete_fluid_synth(synth);
    m_fluid->delete_fluid_settings(m_settings);
    m_fluid->delete_fluid_settings(m_synthSettings);
}

bool SynthEngine::start()
{
    if (m_driver || isOpening())
        return true;
    neverStartJack();
    adopt(openFirstDriver(m_config.periodFrames));
    return m_driver != nullptr;
}

SynthEngine::Opened SynthEngine::openFirstDriver(int periodFrames)
{
    if (!loadLibrary())
        return {};
    for (const QByteArray& name : m_config.audioDrivers) {
        if (_fluid_audio_driver_t* driver = openDriver(name, periodFrames))
            return {driver, name};
        qCDebug(lcSound) << "Audio driver" << name << "could not be opened";
    }
    return {};
}

// On the GUI thread: the driver found (or none) becomes the engine's.
void SynthEngine::adopt(const Opened& opened)
{
    if (!opened.driver) {
        qCWarning(lcSound).noquote() << noOutputLine(m_config.audioDrivers);
        return;
    }
    m_driver = opened.driver;
    m_driverName = opened.name;
    m_policy = PeriodPolicy(m_config.periodFrames, opened.name != "jack");
    describeOutput();
}

void SynthEngine::openInBackground(std::function<void(bool opened)> ready)
{
    m_ready = std::move(ready);
    if (isOpening())
        return;
    if (m_driver && (m_synth.load() || m_load.load() == Load::Failed)) {
        std::exchange(m_ready, nullptr)(true);
        return;
    }
    if (m_held) {
        qCDebug(lcSound) << "The synthesizer opens once the window is up";
        return;
    }
    beginOpening();
}

void SynthEngine::prepareOpening()
{
    if (!m_held || !m_ready || m_fluid || m_libraryLoader.joinable())
        return;
    m_libraryLoader = std::thread([] { fluidSynth(); });
}

void SynthEngine::releaseOpening()
{
    if (!std::exchange(m_held, false))
        return;
    // Asked for while held, and still wanted.
    if (m_ready && !isOpening())
        openInBackground(std::exchange(m_ready, nullptr));
}

void SynthEngine::beginOpening()
{
    const bool needDriver = !m_driver;
    neverStartJack();
    m_opened = {};
    m_opener = std::thread([this, needDriver] {
        // The sound font loads while the driver opens: the wait is the longer of the two.
        const double rate = needDriver ? m_config.sampleRate : m_sampleRate.load();
        fluid_synth_t* synth = nullptr;
        std::thread loader;
        // Without the library no driver opens either: told as no audio output.
        if (m_hasSoundFont && loadLibrary())
            loader = std::thread([this, rate, &synth] {
                m_fluid->loadOnHalfTheCores();
                synth = buildSynth(rate);
            });
        if (needDriver)
            m_opened = openFirstDriver(m_config.periodFrames);
        if (loader.joinable())
            loader.join();
        if (needDriver && !m_opened.driver) {
            // Nothing to play through: the next try loads it again.
            if (synth)
                m_fluid->delete_fluid_synth(synth);
        } else {
            if (synth && m_sampleRate.load() != rate) {
                // The server imposes its own rate (JACK): the voices must be made for it.
                qCDebug(lcSound) << "The sound font loads again at" << m_sampleRate.load()
                                 << "Hz, the audio output's rate";
                m_fluid->delete_fluid_synth(synth);
                synth = buildSynth(m_sampleRate.load());
            }
            publish(synth);
        }
        QMetaObject::invokeMethod(
            &m_watch, [this] { finishOpening(); }, Qt::QueuedConnection);
    });
}

void SynthEngine::finishOpening()
{
    if (!m_opener.joinable())
        return;
    m_opener.join();
    if (!m_driver)
        adopt(m_opened);
    m_opened = {};
    if (auto ready = std::exchange(m_ready, nullptr))
        ready(m_driver != nullptr);
}

void SynthEngine::describeOutput() const
{
    if (m_driverName == "jack")
        qCInfo(lcSound).nospace() << "Audio output: JACK, " << m_sampleRate.load()
                                  << " Hz, the server's period";
    else
        qCInfo(lcSound).nospace() << "Audio output: " << systemName(m_driverName) << ", "
                                  << m_sampleRate.load() << " Hz, period of " << m_policy.frames()
                                  << " frames";
}

// Each audio system's settings for the shortest delay it allows. A period is what one
// callback renders, and the notes of a key reach the synthesizer at the start of the next.
_fluid_audio_driver_t* SynthEngine::openDriver(const QByteArray& name, int periodFrames)
{
    m_fluid->fluid_settings_setstr(m_settings, "audio.driver", name.constData());
    // JACK ignores both: its server sets the period for every client.
    m_fluid->fluid_settings_setint(m_settings, "audio.period-size", periodFrames);
    // ALSA: two periods, one played while the other is written.
    m_fluid->fluid_settings_setint(m_settings, "audio.periods", 2);
    // PulseAudio: the stream's target length is one period. (FluidSynth always lets the server
    // fit its own latency to that; this only lets the stream's queue grow past it, which the
    // blocking writes never use: measured alike either way.)
    m_fluid->fluid_settings_setint(m_settings, "audio.pulseaudio.adjust-latency", 1);

    // No callback runs now, so the audio thread's state may be reset here.
    m_detector.reset();
    m_underruns.store(0);
    m_callbackFrames.store(0);
    // A system that is not there is the next one's turn, not news: the outcome is told.
    LibraryMessages messages(&lcSound, true);
    _fluid_audio_driver_t* driver =
        m_fluid->new_fluid_audio_driver2(m_settings, &SynthEngine::audioCallback, this);
    if (!driver)
        return nullptr;
    // JACK imposes its own rate and writes it back into the settings.
    double rate = m_config.sampleRate;
    m_fluid->fluid_settings_getnum(m_settings, "synth.sample-rate", &rate);
    m_sampleRate.store(rate);
    return driver;
}

int SynthEngine::periodFrames() const
{
    const int frames = m_callbackFrames.load();
    return frames > 0 ? frames : m_policy.frames();
}

void SynthEngine::watchStream()
{
    if (m_driver && !m_watch.isActive())
        m_watch.start();
}

void SynthEngine::checkUnderruns()
{
    const int count = m_underruns.exchange(0);
    const int64_t nowMs = steadyNs() / 1'000'000;
    for (int i = 0; i < count; ++i) {
        const int before = periodFrames();
        switch (m_policy.underrun(nowMs)) {
        case PeriodPolicy::Verdict::Keep:
            continue;
        case PeriodPolicy::Verdict::AtLimit:
            if (!m_toldAtLimit) {
                m_toldAtLimit = true;
                if (m_driverName == "jack")
                    qCWarning(lcSound).nospace()
                        << "Audio underruns: JACK's period of " << before
                        << " frames is too short for this machine; choose a longer one in "
                           "the JACK server";
                else
                    qCWarning(lcSound).nospace() << "Audio underruns at a period of " << before
                                                 << " frames, the longest this program uses";
            }
            return;
        case PeriodPolicy::Verdict::Grow:
            qCWarning(lcSound).nospace()
                << "Audio underruns: the period grows from " << before << " to "
                << m_policy.frames() << " frames (" << systemName(m_driverName)
                << "; Audio/PeriodFrames sets it)";
            reopen();
            return;
        case PeriodPolicy::Verdict::StepBack:
            qCWarning(lcSound).nospace()
                << "Audio underruns went on at " << before << " frames as often as before: "
                << "the sound system loses time of its own, so the period goes back to "
                << m_policy.frames() << " frames and stays";
            reopen();
            return;
        }
    }
}

void SynthEngine::reopen()
{
    const int frames = m_policy.frames();
    m_fluid->delete_fluid_audio_driver(m_driver);
    m_driver = nullptr;
    // The system that played a moment ago should take the new period; if it is gone, the
    // others are tried as at the start.
    m_driver = openDriver(m_driverName, frames);
    for (size_t i = 0; !m_driver && i < m_config.audioDrivers.size(); ++i) {
        m_driver = openDriver(m_config.audioDrivers[i], frames);
        if (m_driver) {
            m_driverName = m_config.audioDrivers[i];
            describeOutput();
        }
    }
    if (!m_driver) {
        qCWarning(lcSound) << "The audio output could not be opened again";
        return;
    }
    // The policy keeps what it has learnt, unless JACK took over and imposes its period.
    if (m_driverName == "jack")
        m_policy = PeriodPolicy(frames, false);
}

// On a thread of the opening (or the caller's, offline). The synthesizer has settings of its
// own, so that the driver opening beside it cannot change its rate under it.
fluid_synth_t* SynthEngine::buildSynth(double rate)
{
    m_fluid->fluid_settings_setnum(m_synthSettings, "synth.sample-rate", rate);
    fluid_synth_t* synth = m_fluid->new_fluid_synth(m_synthSettings);
    const QByteArray path = QFile::encodeName(m_config.soundFont);
    if (!synth || m_fluid->fluid_synth_sfload(synth, path.constData(), 1) == FLUID_FAILED) {
        if (synth)
            m_fluid->delete_fluid_synth(synth);
        // Looked like a sound font, yet would not load: the synthesizer stays silent.
        qCWarning(lcSound) << "The sound font" << m_config.soundFont << "could not be loaded";
        return nullptr;
    }
    return synth;
}

// The audio callback plays it from its next period; without one, it drops what it is sent.
void SynthEngine::publish(fluid_synth_t* synth)
{
    if (!synth) {
        m_load.store(Load::Failed);
        return;
    }
    m_synth.store(synth, std::memory_order_release);
    m_load.store(Load::Ready);
}

bool SynthEngine::prepareOffline(double sampleRate)
{
    if (m_driver)
        return false;
    if (m_opener.joinable())
        return false;
    if (m_synth.load())
        return true;
    if (m_load.load() != Load::Pending)
        return false;
    m_offline = true;
    m_sampleRate.store(sampleRate);
    publish(m_hasSoundFont && loadLibrary() ? buildSynth(sampleRate) : nullptr);
    return m_load.load() == Load::Ready;
}

void SynthEngine::renderOffline(int frames, float* left, float* right)
{
    std::fill(left, left + frames, 0.0f);
    std::fill(right, right + frames, 0.0f);
    for (int done = 0; done < frames; done += kOfflineBlock) {
        const int n = std::min(kOfflineBlock, frames - done);
        render(n, left + done, right + done);
    }
}

void SynthEngine::send(ShortMessage message)
{
    if (!m_listening.load())
        return;
    m_events.push(message);
    watchStream();
}

void SynthEngine::allSoundOff()
{
    for (uint8_t channel = 0; channel < 16; ++channel)
        m_events.push(makeShortMessage(0xB0 | channel, 120, 0));
}

void SynthEngine::queueTone(int frequencyHz, int durationMs)
{
    // With no stream nothing would drain the queue: the tone is simply not heard.
    if (!m_driver && !m_offline)
        return;
    if (frequencyHz <= 0 || durationMs <= 0)
        return;
    const auto frames = int64_t(std::llround(m_sampleRate.load() * durationMs / 1000.0));
    if (m_tones.push({double(frequencyHz), frames}))
        m_queuedFrames.fetch_add(frames);
    watchStream();
}

int SynthEngine::queuedMs() const
{
    return int(m_queuedFrames.load() * 1000 / int64_t(m_sampleRate.load()));
}

int SynthEngine::audioCallback(void* data, int len, int /*nfx*/, float* /*fx*/[], int nout,
                               float* out[])
{
    if (nout < 2)
        return FLUID_OK;
    auto* self = static_cast<SynthEngine*>(data);
    const bool audible = self->render(len, out[0], out[1]);
    self->m_callbackFrames.store(len, std::memory_order_relaxed);
    if (self->m_detector.finished(steadyNs(), len, self->m_sampleRate.load(), audible))
        self->m_underruns.fetch_add(1, std::memory_order_relaxed);
    return FLUID_OK;
}

void SynthEngine::applyEvents(fluid_synth_t* synth)
{
    while (const auto message = m_events.pop()) {
        const int status = *message & 0xF0;
        const int channel = *message & 0x0F;
        const int data1 = (*message >> 8) & 0x7F;
        const int data2 = (*message >> 16) & 0x7F;
        switch (status) {
        case 0x80:
            m_fluid->fluid_synth_noteoff(synth, channel, data1);
            break;
        case 0x90:
            m_fluid->fluid_synth_noteon(synth, channel, data1, data2);
            break;
        case 0xB0:
            m_fluid->fluid_synth_cc(synth, channel, data1, data2);
            break;
        case 0xC0:
            m_fluid->fluid_synth_program_change(synth, channel, data1);
            break;
        case 0xE0:
            m_fluid->fluid_synth_pitch_bend(synth, channel, data1 | (data2 << 7));
            break;
        default:
            break;
        }
        m_quietFrames = 0;
    }
}

// Runs on the audio thread (or the caller's, offline). The buffers arrive zeroed.
bool SynthEngine::render(int frames, float* left, float* right)
{
    bool voices = false;
    fluid_synth_t* synth = m_synth.load(std::memory_order_acquire);
    if (synth) {
        applyEvents(synth);
        voices = m_fluid->fluid_synth_get_active_voice_count(synth) > 0;
        if (voices)
            m_quietFrames = 0;
        const bool skip = m_quietFrames >= int64_t(kReverbTailSeconds * m_sampleRate.load());
        m_quietFrames += frames;
        m_skipped.store(skip);
        if (!skip) {
            float* fx[4] = {left, right, left, right};
            float* out[2] = {left, right};
            m_fluid->fluid_synth_process(synth, frames, 4, fx, 2, out);
        }
    } else if (m_load.load() == Load::Failed) {
        while (m_events.pop()) {
        }
    }
    return mixTones(frames, left, right) || voices;
}

bool SynthEngine::mixTones(int frames, float* left, float* right)
{
    const double rate = m_sampleRate.load();
    int i = 0;
    while (i < frames) {
        if (m_tone.frames == 0) {
            const auto next = m_tones.pop();
            if (!next)
                break;
            if (next->frequency != m_tone.frequency)
                m_phase = 0;
            m_tone = *next;
        }
        const int n = int(std::min<int64_t>(m_tone.frames, frames - i));
        const double step = m_tone.frequency / rate;
        for (int k = 0; k < n; ++k, ++i) {
            const float sample = m_phase < 0.5 ? kToneLevel : -kToneLevel;
            left[i] += sample;
            right[i] += sample;
            m_phase += step;
            if (m_phase >= 1.0)
                m_phase -= 1.0;
        }
        m_tone.frames -= n;
        m_queuedFrames.fetch_sub(n);
    }
    return i > 0;
}

} // namespace tamber
