// The built-in synthesizer rendered offline: no audio driver, the callback's work run here.
#include "client/synth/SynthEngine.h"
#include "client/midi/MidiBackends.h"
#include "client/midi/MidiRegistry.h"
#include "client/midi/MidiSystems.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

using namespace tamber;

namespace {

constexpr double kRate = 48000;

struct Audio
{
    std::vector<float> left;
    std::vector<float> right;
};

Audio render(SynthEngine& synth, double seconds)
{
    const int frames = int(seconds * kRate);
    Audio a{std::vector<float>(std::size_t(frames)), std::vector<float>(std::size_t(frames))};
    synth.renderOffline(frames, a.left.data(), a.right.data());
    return a;
}

double rms(const std::vector<float>& s, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    to = std::min(to, s.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(std::max<std::size_t>(1, to - from)));
}

// Strength of one frequency in the signal (Goertzel).
double power(const std::vector<float>& s, double hz)
{
    const double w = 2 * std::numbers::pi * hz / kRate;
    const double c = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (float x : s) {
        const double s0 = x + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - c * s1 * s2;
}

// The strongest frequency between lo and hi, in half-hertz steps.
double peak(const std::vector<float>& s, double lo, double hi)
{
    double best = lo, bestPower = -1;
    for (double hz = lo; hz <= hi; hz += 0.5) {
        const double p = power(s, hz);
        if (p > bestPower) {
            bestPower = p;
            best = hz;
        }
    }
    return best;
}

std::vector<float> slice(const std::vector<float>& s, double from, double to)
{
    return {s.begin() + std::ptrdiff_t(from * kRate), s.begin() + std::ptrdiff_t(to * kRate)};
}

double crossingsHz(const std::vector<float>& s)
{
    int crossings = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings / 2.0 / (double(s.size()) / kRate);
}

// Runs the event loop until `done`; false only after a minute, a bound that catches hangs.
template <typename Done> bool waitFor(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 60'000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    return done();
}

struct OfflineSynth
{
    SynthEngine synth;
    OfflineSynth()
    {
        if (!synth.hasSoundFont() || !synth.prepareOffline(kRate))
            ADD_FAILURE() << "the default General MIDI sound font is missing";
        synth.setListening(true);
    }
};

// A note held for a while on one channel with one instrument.
Audio playNote(int channel, int program, double seconds)
{
    OfflineSynth s;
    s.synth.send(makeShortMessage(0xC0 | channel, program, 0));
    s.synth.send(makeShortMessage(0x90 | channel, 69, 100));
    return render(s.synth, seconds);
}

} // namespace

TEST(SynthEngine, NoteOn69SoundsAt440Hz)
{
    const Audio a = playNote(0, 0, 0.6);
    EXPECT_GT(rms(a.left), 0.003);
    EXPECT_NEAR(peak(slice(a.left, 0.1, 0.6), 300, 600), 440, 440 * 0.02);
}

TEST(SynthEngine, AChannelOtherThanZeroSoundsToo)
{
    const Audio a = playNote(5, 0, 0.6);
    EXPECT_GT(rms(a.left), 0.003);
    EXPECT_NEAR(peak(slice(a.left, 0.1, 0.6), 300, 600), 440, 440 * 0.02);
}

TEST(SynthEngine, ProgramChangeTakesEffect)
{
    const Audio piano = playNote(0, 0, 0.5);
    const Audio pianoAgain = playNote(0, 0, 0.5);
    const Audio organ = playNote(0, 19, 0.5);
    double same = 0, different = 0;
    for (std::size_t i = 0; i < piano.left.size(); ++i) {
        same += std::abs(piano.left[i] - pianoAgain.left[i]);
        different += std::abs(piano.left[i] - organ.left[i]);
    }
    EXPECT_LT(same, 1e-3) << "the same instrument renders the same";
    EXPECT_GT(different / double(piano.left.size()), 0.2 * rms(piano.left));
    EXPECT_NEAR(peak(slice(organ.left, 0.1, 0.5), 300, 600), 440, 440 * 0.02);
}

TEST(SynthEngine, NoteOffEndsTheNoteAndSilenceCostsNoRendering)
{
    OfflineSynth s;
    s.synth.send(makeShortMessage(0x90, 69, 100));
    const Audio on = render(s.synth, 0.3);
    EXPECT_FALSE(s.synth.skippedLastPeriod());
    s.synth.send(makeShortMessage(0x80, 69, 0));
    const Audio off = render(s.synth, 3.0);
    EXPECT_LT(rms(off.left, off.left.size() - std::size_t(0.5 * kRate)), 0.01 * rms(on.left));

    // Once voices and reverb tail are gone, periods skip the synthesizer: exact silence.
    const Audio later = render(s.synth, 4.0);
    EXPECT_TRUE(s.synth.skippedLastPeriod());
    EXPECT_EQ(rms(later.left, later.left.size() - 4800), 0.0);

    // A new note wakes it again.
    s.synth.send(makeShortMessage(0x90, 60, 100));
    EXPECT_GT(rms(render(s.synth, 0.2).left), 0.003);
    EXPECT_FALSE(s.synth.skippedLastPeriod());
}

TEST(SynthEngine, NotListeningDropsMessagesAndAllSoundOffCutsVoices)
{
    OfflineSynth s;
    s.synth.setListening(false);
    s.synth.send(makeShortMessage(0x90, 69, 100));
    EXPECT_EQ(rms(render(s.synth, 0.2).left), 0.0);

    s.synth.setListening(true);
    s.synth.send(makeShortMessage(0x93, 69, 100));
    render(s.synth, 0.2);
    s.synth.allSoundOff();
    s.synth.setListening(false);
    const Audio after = render(s.synth, 0.5);
    // Reverb may ring on briefly; the note itself is gone at once.
    EXPECT_LT(rms(after.left, std::size_t(0.3 * kRate)), 0.002);
}

TEST(SynthEngine, TonesPlayAsSquareWavesInOrderWithoutASoundFont)
{
    SynthEngine synth(SynthConfig{.soundFont = "/nonexistent/none.sf2"});
    EXPECT_FALSE(synth.hasSoundFont());
    synth.queueTone(440, 10);
    EXPECT_EQ(synth.queuedMs(), 0) << "no stream: a tone is simply not heard";

    EXPECT_FALSE(synth.prepareOffline(kRate));
    synth.queueTone(262, 100);
    synth.queueTone(392, 100);
    EXPECT_EQ(synth.queuedMs(), 200);
    const Audio a = render(synth, 0.25);
    EXPECT_EQ(synth.queuedMs(), 0);
    EXPECT_NEAR(crossingsHz(slice(a.left, 0.0, 0.1)), 262, 262 * 0.02);
    EXPECT_NEAR(crossingsHz(slice(a.left, 0.1, 0.2)), 392, 392 * 0.02);
    EXPECT_EQ(rms(a.left, std::size_t(0.2 * kRate)), 0.0) << "silent once the queue is empty";
    EXPECT_EQ(a.left, a.right);
}

// A file that looks like a sound font but does not load: FluidSynth's own complaint and the
// failure reach the sound log, not a bare standard error.
TEST(SynthEngine, ASoundFontThatFailsToLoadLeavesLinesInTheSoundLog)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.sf2"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("RIFF\x20\0\0\0sfbk", 12) + QByteArray(20, 'x'));
    file.close();

    static QStringList* lines = nullptr;
    QStringList seen;
    lines = &seen;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type == QtWarningMsg || type == QtCriticalMsg)
                lines->append(QLatin1String(context.category) + QStringLiteral(": ") + text);
        });
    SynthEngine synth(SynthConfig{.soundFont = path});
    const bool listed = synth.hasSoundFont();
    const bool loaded = synth.prepareOffline(kRate);
    qInstallMessageHandler(previous);

    ASSERT_TRUE(listed) << "the header alone makes it look like a sound font";
    EXPECT_FALSE(loaded);
    const QString all = seen.join('\n');
    EXPECT_TRUE(all.contains(QStringLiteral("tamber.sound: FluidSynth: "))) << all.toStdString();
    EXPECT_TRUE(all.contains(
        QStringLiteral("tamber.sound: The sound font \"%1\" could not be loaded").arg(path)))
        << all.toStdString();
}

// Judged by the first twelve bytes, without opening FluidSynth: a RIFF form of type "sfbk".
TEST(SynthEngine, OnlyARiffFormOfTypeSfbkIsOfferedAsASoundFont)
{
    const struct
    {
        QByteArray head;
        bool soundFont;
    } cases[] = {
        {QByteArray("RIFF\x20\0\0\0sfbkLIST", 16), true},
        {QByteArray("RIFF\x20\0\0\0WAVEfmt ", 16), false}, // a RIFF, but a sound file
        {QByteArray("RIFF\x20\0\0\0sfb", 11), false},      // cut short
        {QByteArray(), false},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("font.sf2"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.head);
        file.close();
        EXPECT_EQ(SynthEngine(SynthConfig{.soundFont = path}).hasSoundFont(), c.soundFont)
            << c.head.toHex().toStdString();
    }
}

TEST(BuiltInSynthDevice, IsDeviceZeroWhenASoundFontExistsAndFailsToOpenWithoutAudio)
{
    SynthEngine synth(SynthConfig{.audioDrivers = {}});
    MidiOutputRegistry outputs(makeOutputBackends(&synth, MidiSystems{}));
    ASSERT_GE(outputs.count(), 1);
    EXPECT_EQ(outputs.name(0), QByteArray(kBuiltInSynthName));
    EXPECT_LE(QByteArray(kBuiltInSynthName).size(), 31);
    // It opens in the background: no audio output can be opened, as it tells a moment later.
    std::optional<bool> failed;
    EXPECT_TRUE(outputs.open(0));
    outputs.whenSettled([&failed](bool f) { failed = f; });
    ASSERT_TRUE(waitFor([&failed] { return failed.has_value(); }));
    EXPECT_TRUE(*failed);
    EXPECT_FALSE(outputs.isOpen());

    SynthEngine noFont(SynthConfig{.soundFont = "/nonexistent/none.sf2"});
    MidiOutputRegistry withoutSynth(makeOutputBackends(&noFont, MidiSystems{}));
    for (int d = 0; d < withoutSynth.count(); ++d)
        EXPECT_NE(withoutSynth.name(d), QByteArray(kBuiltInSynthName));
    EXPECT_EQ(withoutSynth.count(), outputs.count() - 1);
}

// No audio system opens: the GUI thread hears so, from the event loop; an engine that goes
// while it still opens takes its opening down with it.
TEST(SynthEngine, OpensInTheBackgroundAndTellsTheGuiThread)
{
    SynthEngine synth(SynthConfig{.audioDrivers = {"no-such-system"}});
    std::optional<bool> opened;
    synth.openInBackground([&opened](bool ok) { opened = ok; });
    EXPECT_FALSE(opened) << "told from the event loop, never inside the call";
    ASSERT_TRUE(waitFor([&opened] { return opened.has_value(); }));
    EXPECT_FALSE(*opened);
    EXPECT_FALSE(synth.isOpening());
    EXPECT_FALSE(synth.isRunning());

    SynthEngine gone(SynthConfig{.audioDrivers = {"no-such-system"}});
    gone.openInBackground([](bool) { ADD_FAILURE() << "no one is left to tell"; });
}

// Held, an opening asked for starts only on release; one no longer wanted does not start.
TEST(SynthEngine, AHeldOpeningStartsOnRelease)
{
    SynthEngine synth(SynthConfig{.audioDrivers = {"no-such-system"}});
    synth.holdOpening();
    std::optional<bool> opened;
    synth.openInBackground([&opened](bool ok) { opened = ok; });
    // The window is shown: only the library loads, meanwhile.
    synth.prepareOpening();
    QCoreApplication::processEvents();
    EXPECT_FALSE(synth.isOpening());
    EXPECT_FALSE(opened);
    synth.releaseOpening();
    EXPECT_TRUE(synth.isOpening());
    ASSERT_TRUE(waitFor([&opened] { return opened.has_value(); }));
    EXPECT_FALSE(*opened);

    SynthEngine unwanted(SynthConfig{.audioDrivers = {"no-such-system"}});
    unwanted.holdOpening();
    unwanted.openInBackground([](bool) { ADD_FAILURE() << "its port closed while it was held"; });
    unwanted.forgetReady();
    unwanted.releaseOpening();
    EXPECT_FALSE(unwanted.isOpening());

    // Shown and ended before it was on screen: the library's loading is waited for.
    SynthEngine shortLived(SynthConfig{.audioDrivers = {"no-such-system"}});
    shortLived.holdOpening();
    shortLived.openInBackground([](bool) { ADD_FAILURE() << "ended while held"; });
    shortLived.prepareOpening();
}
