#include "WavPitch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tamber::audio {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint32_t le(const std::vector<uint8_t>& b, std::size_t at, int size)
{
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | b[at + std::size_t(i)];
    return v;
}

std::optional<Wave> fail(std::string* error, const char* why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

double sampleAt(const std::vector<uint8_t>& b, std::size_t at, uint16_t format, int bits)
{
    if (format == kFormatFloat) {
        if (bits == 32) {
            const uint32_t raw = le(b, at, 4);
            float f;
            std::memcpy(&f, &raw, sizeof f);
            return f;
        }
        const uint64_t raw = uint64_t(le(b, at, 4)) | (uint64_t(le(b, at + 4, 4)) << 32);
        double d;
        std::memcpy(&d, &raw, sizeof d);
        return d;
    }
    if (bits == 8) // unsigned, centred on 128
        return (int(b[at]) - 128) / 128.0;
    const int bytes = bits / 8;
    const uint32_t raw = le(b, at, bytes);
    // Sign-extend from the sample's top bit.
    const int shift = 32 - bits;
    const auto value = int32_t(raw << shift) >> shift;
    return value / std::ldexp(1.0, bits - 1);
}

} // namespace

std::optional<Wave> parseWav(const std::vector<uint8_t>& b, std::string* error)
{
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
        std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return fail(error, "not a RIFF/WAVE file");

    uint16_t format = 0;
    int channels = 0;
    int bits = 0;
    double rate = 0;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const uint32_t size = le(b, at + 4, 4);
        const std::size_t body = at + 8;
        const std::size_t available = std::min<std::size_t>(size, b.size() - body);
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0) {
            if (available < 16)
                return fail(error, "format chunk too short");
            format = uint16_t(le(b, body, 2));
            channels = int(le(b, body + 2, 2));
            rate = le(b, body + 4, 4);
            bits = int(le(b, body + 14, 2));
            if (format == kFormatExtensible) {
                if (available < 26)
                    return fail(error, "extensible format chunk too short");
                format = uint16_t(le(b, body + 24, 2)); // first bytes of the sub-format GUID
            }
            haveFormat = true;
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            if (!haveFormat)
                return fail(error, "data before format");
            const bool pcm =
                format == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
            const bool flt = format == kFormatFloat && (bits == 32 || bits == 64);
            if ((!pcm && !flt) || channels < 1 || rate <= 0)
                return fail(error, "unsupported sample format");
            const std::size_t frameBytes = std::size_t(channels) * std::size_t(bits / 8);
            Wave wave;
            wave.sampleRate = rate;
            // A recorder killed early leaves a size field larger than what was written.
            const std::size_t frames = available / frameBytes;
            wave.samples.reserve(frames);
            for (std::size_t f = 0; f < frames; ++f)
                wave.samples.push_back(sampleAt(b, body + f * frameBytes, format, bits));
            return wave;
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    return fail(error, haveFormat ? "no data chunk" : "no format chunk");
}

std::optional<Wave> readWav(const std::string& path, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(error, "cannot open the file");
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    return parseWav(bytes, error);
}

Stretch loudestStretch(const Wave& wave, double seconds)
{
    const std::size_t total = wave.samples.size();
    const auto length = std::min(total, std::size_t(std::max(1.0, seconds * wave.sampleRate)));
    Stretch best;
    if (length == 0)
        return best;
    // A sliding sum of squares: the window with the most energy wins.
    double energy = 0;
    for (std::size_t i = 0; i < length; ++i)
        energy += wave.samples[i] * wave.samples[i];
    double bestEnergy = energy;
    std::size_t bestBegin = 0;
    for (std::size_t begin = 1; begin + length <= total; ++begin) {
        const double gone = wave.samples[begin - 1];
        const double come = wave.samples[begin + length - 1];
        energy += come * come - gone * gone;
        if (energy > bestEnergy * (1 + 1e-9)) {
            bestEnergy = energy;
            bestBegin = begin;
        }
    }
    best.begin = bestBegin;
    best.end = bestBegin + length;
    best.rms = std::sqrt(std::max(0.0, bestEnergy) / double(length));
    return best;
}

std::optional<double> estimatePitch(const Wave& wave, Stretch stretch, double minRms,
                                    double lowestHz, double highestHz)
{
    if (stretch.end <= stretch.begin || stretch.rms < minRms || wave.sampleRate <= 0)
        return std::nullopt;
    const double* x = wave.samples.data() + stretch.begin;
    const std::size_t n = stretch.end - stretch.begin;
    const auto minLag = std::max<std::size_t>(2, std::size_t(wave.sampleRate / highestHz));
    const auto maxLag = std::min(n / 2, std::size_t(wave.sampleRate / lowestHz) + 1);
    if (maxLag <= minLag + 2)
        return std::nullopt;

    // Normalised square difference: 1 for a perfect repeat at that lag, -1 for an inverted one.
    std::vector<double> nsdf(maxLag + 1, 0.0);
    for (std::size_t lag = 1; lag <= maxLag; ++lag) {
        double r = 0;
        double m = 0;
        for (std::size_t i = 0; i + lag < n; ++i) {
            r += x[i] * x[i + lag];
            m += x[i] * x[i] + x[i + lag] * x[i + lag];
        }
        nsdf[lag] = m > 0 ? 2 * r / m : 0;
    }

    // The peaks of the positive lobes after the curve first drops below zero.
    std::vector<std::size_t> peaks;
    std::size_t lag = 1;
    while (lag <= maxLag && nsdf[lag] > 0)
        ++lag;
    while (lag < maxLag) {
        while (lag < maxLag && nsdf[lag] <= 0)
            ++lag;
        std::size_t top = lag;
        while (lag < maxLag && nsdf[lag] > 0) {
            if (nsdf[lag] > nsdf[top])
                top = lag;
            ++lag;
        }
        if (top >= minLag && top < maxLag && nsdf[top] > 0)
            peaks.push_back(top);
    }
    if (peaks.empty())
        return std::nullopt;
    double highest = 0;
    for (std::size_t p : peaks)
        highest = std::max(highest, nsdf[p]);
    if (highest < 0.5) // noise, not a tone
        return std::nullopt;
    const auto chosen = *std::find_if(peaks.begin(), peaks.end(),
                                      [&](std::size_t p) { return nsdf[p] >= 0.9 * highest; });

    // A parabola through the peak and its neighbours places it between samples.
    const double a = nsdf[chosen - 1];
    const double b = nsdf[chosen];
    const double c = nsdf[chosen + 1];
    const double denominator = a - 2 * b + c;
    const double shift = denominator != 0 ? 0.5 * (a - c) / denominator : 0;
    return wave.sampleRate / (double(chosen) + shift);
}

} // namespace tamber::audio
