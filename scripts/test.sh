#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit, widget, integration,
# end-to-end, and bounded fuzzing runs of the wire protocol and the relay, the keymap loader,
# the recording player and the MIDI file reader.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh

# The fuzzers need clang's instrumentation, so they have a build folder of their own.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTAMBER_BUILD_FUZZERS=ON >/dev/null
cmake --build build-fuzz --target relay_fuzz keymap_fuzz recording_fuzz midi_file_fuzz
ctest --test-dir build-fuzz -L fuzz -j2 --output-on-failure

cd build
ctest --output-on-failure --timeout 300 -j2 "$@"
