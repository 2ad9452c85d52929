#!/usr/bin/env bash
# Installs what is missing, checks the layout of every C++ file, builds with warnings as errors,
# and runs every test: the unit and integration tests under AddressSanitizer and UBSan, bounded
# fuzzing runs of the wire protocol and the relay, the keymap loader, the recording player and
# the MIDI file reader; then the widget, end-to-end, web and packaging tests on the programs as
# they ship. Arguments go to that last ctest run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Every tracked C++ file as .clang-format lays it out; `clang-format -i FILE` fixes one.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# One clang build folder for the sanitizers: ASan and UBSan on everything in it, libFuzzer on
# top for the fuzzers. Only what the unit and integration tests and the fuzzers need is built,
# in batches of sources as scripts/build.sh builds.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-sanitize -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTAMBER_SANITIZE=ON \
    -DTAMBER_WERROR=ON -DTAMBER_BUILD_FUZZERS=ON -DTAMBER_BUILD_WEB=OFF \
    -DCMAKE_UNITY_BUILD="${TAMBER_UNITY_BUILD:-ON}" >/dev/null
cmake --build build-sanitize \
    --target unit_integration_tests relay_fuzz keymap_fuzz recording_fuzz midi_file_fuzz
ctest --test-dir build-sanitize -L 'unit|integration|fuzz' -j2 --output-on-failure --timeout 300

# The programs as they ship, with the widget and end-to-end tests; the unit and integration
# tests were built and run once, above.
TAMBER_WERROR=ON TAMBER_UNIT_TESTS=OFF scripts/build.sh

cd build
ctest --output-on-failure --timeout 300 -j2 "$@"
