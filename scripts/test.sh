#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit, widget, integration,
# end-to-end, and a bounded fuzzing run of the wire protocol and the relay.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh

# The fuzzer needs clang's instrumentation, so it has a build folder of its own.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTAMBER_BUILD_FUZZERS=ON >/dev/null
cmake --build build-fuzz --target relay_fuzz
ctest --test-dir build-fuzz -L fuzz --output-on-failure

cd build
ctest --output-on-failure --timeout 300 -j2 "$@"
