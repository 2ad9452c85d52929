#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian packages tamber-piano and
# corvent-server in build/packages/; install them with
#   sudo apt install ./build/packages/*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
rm -f build/packages/*.deb
mkdir -p build/packages
(cd build && cpack >packages/cpack.log 2>&1) || { cat build/packages/cpack.log >&2; exit 1; }
ls build/packages/*.deb
