#!/usr/bin/env bash
# Configures and builds everything (programs, tests, tools) into build/.
# TAMBER_WERROR=ON turns compiler warnings into errors, as CI does. TAMBER_UNIT_TESTS=OFF leaves
# out the unit and integration tests (the full test run builds those in its sanitizer build).
# Sources build in batches (CMake's unity build), which parse Qt's and GoogleTest's headers once
# for several files and halve a full build; TAMBER_UNITY_BUILD=OFF builds file by file, quicker
# when one file changes at a time.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAMBER_WERROR="${TAMBER_WERROR:-OFF}" -DTAMBER_UNIT_TESTS="${TAMBER_UNIT_TESTS:-ON}" \
    -DCMAKE_UNITY_BUILD="${TAMBER_UNITY_BUILD:-ON}" >/dev/null
cmake --build build
