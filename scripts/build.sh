#!/usr/bin/env bash
# Configures and builds everything (programs, tests, tools) into build/.
# TAMBER_WERROR=ON turns compiler warnings into errors, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAMBER_WERROR="${TAMBER_WERROR:-OFF}" >/dev/null
cmake --build build
