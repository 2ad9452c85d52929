// The pitch tool that the audio end-to-end tests rely on: it must read what jack_rec writes
// and find the fundamental of a piano tone and of a square wave, and call silence silence.
#include "tools/audio/WavPitch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>

namespace tamber::audio {
namespace {

void put(std::vector<uint8_t>& b, uint32_t v, int size)
{
    for (int i = 0; i < size; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

void tag(std::vector<uint8_t>& b, const char* name)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(name[i]));
}

// A mono WAV file; `extensible` wraps the format in WAVE_FORMAT_EXTENSIBLE as libsndfile does.
std::vector<uint8_t> makeWav(const std::vector<double>& samples, int bits, bool isFloat,
                             bool extensible, uint32_t rate = 48000)
{
    std::vector<uint8_t> data;
    for (double s : samples) {
        if (isFloat) {
            const auto f = float(s);
            uint32_t raw;
            std::memcpy(&raw, &f, 4);
            put(data, raw, 4);
        } else if (bits == 8) {
            data.push_back(uint8_t(std::lround(s * 127) + 128));
        } else {
            const double scale = std::ldexp(1.0, bits - 1) - 1;
            put(data, uint32_t(int32_t(std::lround(s * scale))), bits / 8);
        }
    }
    std::vector<uint8_t> fmt;
    put(fmt, extensible ? 0xFFFE : (isFloat ? 3 : 1), 2);
    put(fmt, 1, 2);
    put(fmt, rate, 4);
    put(fmt, rate * uint32_t(bits / 8), 4);
    put(fmt, uint32_t(bits / 8), 2);
    put(fmt, uint32_t(bits), 2);
    if (extensible) {
        put(fmt, 22, 2);
        put(fmt, uint32_t(bits), 2);
        put(fmt, 4, 4);               // channel mask
        put(fmt, isFloat ? 3 : 1, 2); // sub-format GUID starts with the format tag
        fmt.insert(fmt.end(), 14, uint8_t(0x11));
    }
    std::vector<uint8_t> b;
    tag(b, "RIFF");
    put(b, uint32_t(4 + 8 + fmt.size() + 8 + data.size() + 10), 4);
    tag(b, "WAVE");
    tag(b, "PEAK"); // an odd-sized chunk before the format, to be skipped with its pad byte
    put(b, 1, 4);
    b.push_back(0);
    b.push_back(0);
    tag(b, "fmt ");
    put(b, uint32_t(fmt.size()), 4);
    b.insert(b.end(), fmt.begin(), fmt.end());
    tag(b, "data");
    put(b, uint32_t(data.size()), 4);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

std::vector<double> signal(double seconds, const std::function<double(double)>& at,
                           double rate = 48000)
{
    std::vector<double> s(std::size_t(seconds * rate));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = at(double(i) / rate);
    return s;
}

double square(double hz, double t)
{
    return std::fmod(t * hz, 1.0) < 0.5 ? 0.05 : -0.05;
}

std::optional<double> pitchOf(const std::vector<uint8_t>& file)
{
    const auto wave = parseWav(file);
    if (!wave)
        return std::nullopt;
    return estimatePitch(*wave, loudestStretch(*wave, 0.2));
}

TEST(WavPitch, FindsTheFundamentalInEverySampleFormat)
{
    const auto sine =
        signal(0.5, [](double t) { return 0.5 * std::sin(2 * std::numbers::pi * 440 * t); });
    for (int bits : {8, 16, 24, 32}) {
        for (bool ext : {false, true}) {
            const auto hz = pitchOf(makeWav(sine, bits, false, ext));
            ASSERT_TRUE(hz) << bits << " bits";
            EXPECT_NEAR(*hz, 440.0, 1.0) << bits << " bits";
        }
    }
    const auto hz = pitchOf(makeWav(sine, 32, true, true));
    ASSERT_TRUE(hz);
    EXPECT_NEAR(*hz, 440.0, 1.0);
}

TEST(WavPitch, SquareWaveAndHarmonicRichToneGiveTheFundamentalNotAnOctave)
{
    const auto sq =
        pitchOf(makeWav(signal(0.5, [](double t) { return square(523, t); }), 16, false, false));
    ASSERT_TRUE(sq);
    EXPECT_NEAR(*sq, 523.0, 2.0);

    // A decaying tone whose second harmonic is stronger than the fundamental.
    const auto piano = signal(1.0, [](double t) {
        const double w = 2 * std::numbers::pi * 523.25 * t;
        return std::exp(-3 * t) *
               (0.2 * std::sin(w) + 0.4 * std::sin(2 * w) + 0.1 * std::sin(3 * w));
    });
    const auto hz = pitchOf(makeWav(piano, 32, true, false));
    ASSERT_TRUE(hz);
    EXPECT_NEAR(*hz, 523.25, 2.0);

    // A low note and a high one stay inside the search.
    for (double f : {65.0, 2093.0}) {
        const auto s =
            pitchOf(makeWav(signal(0.5, [f](double t) { return square(f, t); }), 16, false, false));
        ASSERT_TRUE(s) << f;
        EXPECT_NEAR(*s, f, f * 0.01);
    }
}

TEST(WavPitch, TheLoudestStretchIsMeasuredSilenceAndNoiseGiveNothing)
{
    // Half a second of silence, then the tone: the tone is found.
    auto late = signal(0.5, [](double) { return 0.0; });
    const auto tone = signal(0.5, [](double t) { return square(330, t); });
    late.insert(late.end(), tone.begin(), tone.end());
    const auto wave = parseWav(makeWav(late, 16, false, false));
    ASSERT_TRUE(wave);
    const auto stretch = loudestStretch(*wave, 0.2);
    EXPECT_GE(stretch.begin, std::size_t(24000));
    const auto hz = estimatePitch(*wave, stretch);
    ASSERT_TRUE(hz);
    EXPECT_NEAR(*hz, 330.0, 2.0);

    EXPECT_FALSE(pitchOf(makeWav(signal(0.5, [](double) { return 0.0; }), 16, false, false)));
    EXPECT_FALSE(pitchOf(makeWav(signal(0.5, [](double t) { return 1e-4 * std::sin(3000 * t); }),
                                 16, false, false)));
    uint32_t seed = 1;
    const auto noise = signal(0.5, [&seed](double) {
        seed = seed * 1664525u + 1013904223u;
        return (double(seed >> 8) / double(1u << 24)) - 0.5;
    });
    EXPECT_FALSE(pitchOf(makeWav(noise, 16, false, false)));
}

TEST(WavPitch, BadAndCutFilesAreRefusedOrReadAsFarAsTheyGo)
{
    std::string error;
    EXPECT_FALSE(parseWav({}, &error));
    EXPECT_FALSE(error.empty());
    const std::vector<uint8_t> text{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'};
    EXPECT_FALSE(parseWav(text));
    // 12-bit samples are no format jack_rec writes.
    EXPECT_FALSE(parseWav(makeWav(std::vector<double>(100, 0.0), 12, false, false), &error));
    EXPECT_EQ(error, "unsupported sample format");

    // A recorder stopped early leaves fewer bytes than the data chunk claims.
    auto file = makeWav(signal(0.5, [](double t) { return square(440, t); }), 16, false, false);
    file.resize(file.size() - 10001);
    const auto cut = parseWav(file);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->samples.size(), std::size_t(24000 - 5001));
    file.resize(50); // the data chunk's header cut off
    EXPECT_FALSE(parseWav(file));
}

} // namespace
} // namespace tamber::audio
