#!/usr/bin/env bash
# Installs every Debian 12 package needed to build, run and test both programs and the
# browser piano, then the browser piano's npm packages as pinned in web/package-lock.json.
# Idempotent and non-interactive; quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev
  qt6-base-dev qt6-websockets-dev qt6-l10n-tools qt6-translations-l10n libgl-dev librtmidi-dev libfluidsynth-dev libasound2-dev libjack-jackd2-dev timgm6mb-soundfont libgtest-dev
  libxkbcommon-dev libxkbcommon-x11-dev xkb-data
  xvfb xdotool x11-utils jackd2 util-linux iproute2 imagemagick ncat xclip libxtst-dev
  librsvg2-bin file dpkg-dev lintian desktop-file-utils appstream systemd
  chromium openssl
  python3-mido gdb
)
# A machine that brings its own Node.js keeps it; Debian's is the fallback.
command -v npm >/dev/null || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  # jackd2 asks whether to enable realtime limits; answer before it can prompt.
  echo "jackd2 jackd/tweak_rt_limits boolean false" | $SUDO debconf-set-selections
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# npm ci again only when the lock file changed since the last install.
web="$(dirname "$0")/../web"
stamp="$web/node_modules/.installed-package-lock.json"
if ! cmp -s "$web/package-lock.json" "$stamp"; then
  (cd "$web" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$web/package-lock.json" "$stamp"
fi

# nginx checks the relay guide's reverse proxy example. Its package would start a web server, so
# only its binary is unpacked, into .cache/nginx (the libraries it needs are installed above).
root="$(dirname "$0")/.."
nginx_dir="$root/.cache/nginx"
if [ ! -x "$nginx_dir/usr/sbin/nginx" ]; then
  debs=$(mktemp -d)
  (cd "$debs" && apt-get download -qq -o APT::Sandbox::User="$(id -un)" nginx >/dev/null)
  mkdir -p "$nginx_dir"
  dpkg-deb -x "$debs"/nginx_*.deb "$nginx_dir"
  rm -rf "$debs"
fi
