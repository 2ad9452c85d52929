#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamber::audio {

// One channel of a WAV file, as samples scaled to -1..1.
struct Wave
{
    double sampleRate = 0;
    std::vector<double> samples;
};

// Reads the first channel of a RIFF/WAVE file: integer PCM of 8, 16, 24 or 32 bits and
// 32/64-bit float, plain or in the extensible header (libsndfile, and so jack_rec, writes
// either). Returns nothing and says why in `error` for anything else.
std::optional<Wave> parseWav(const std::vector<uint8_t>& bytes, std::string* error = nullptr);
std::optional<Wave> readWav(const std::string& path, std::string* error = nullptr);

// The stretch of `seconds` around the loudest part of the wave.
struct Stretch
{
    std::size_t begin = 0;
    std::size_t end = 0;
    double rms = 0;
};
Stretch loudestStretch(const Wave& wave, double seconds);

// The dominant frequency of a stretch, from its normalised autocorrelation: the first lag
// whose peak comes close to the best one, so a tone rich in harmonics (a square wave) is not
// taken an octave too low. Nothing for silence (RMS below `minRms`) or no periodicity.
std::optional<double> estimatePitch(const Wave& wave, Stretch stretch, double minRms = 1e-3,
                                    double lowestHz = 30, double highestHz = 5000);

} // namespace tamber::audio
