// Prints the dominant frequency (Hz) of the loudest stretch of a WAV file, such as one that
// jack_rec records. Prints nothing and exits 1 when the file is silent or has no clear pitch;
// exits 2 when the file cannot be read.
//
//   wav-pitch [--window SECONDS] [--min-rms LEVEL] [--rms] FILE
#include "WavPitch.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    double window = 0.2;
    double minRms = 1e-3;
    bool printRms = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0 && i + 1 < argc) {
            window = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--min-rms") == 0 && i + 1 < argc) {
            minRms = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--rms") == 0) {
            printRms = true;
        } else if (argv[i][0] != '-' && !path) {
            path = argv[i];
        } else {
            path = nullptr;
            break;
        }
    }
    if (!path || window <= 0) {
        std::fprintf(stderr,
                     "usage: wav-pitch [--window SECONDS] [--min-rms LEVEL] [--rms] FILE\n");
        return 2;
    }

    std::string error;
    const auto wave = tamber::audio::readWav(path, &error);
    if (!wave) {
        std::fprintf(stderr, "wav-pitch: %s: %s\n", path, error.c_str());
        return 2;
    }
    const auto stretch = tamber::audio::loudestStretch(*wave, window);
    if (printRms)
        std::fprintf(stderr, "loudest %.3f s stretch at %.3f s: RMS %.5f\n", window,
                     double(stretch.begin) / wave->sampleRate, stretch.rms);
    const auto hz = tamber::audio::estimatePitch(*wave, stretch, minRms);
    if (!hz)
        return 1;
    std::printf("%.1f\n", *hz);
    return 0;
}
