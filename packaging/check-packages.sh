#!/usr/bin/env bash
# Checks the two Debian packages in a folder the way a distribution would: lintian (no
# errors; warnings and notes are printed), the files each package must hold, its control
# fields, the desktop entries (desktop-file-validate), the AppStream data (appstreamcli) and
# the relay's systemd unit (systemd-analyze verify, and its security exposure).
#
#   check-packages.sh DEB-FOLDER VERSION PIANO-ID SERVER-ID "ICON-SIZES"
set -euo pipefail

debs=$1 version=$2 piano_id=$3 server_id=$4 sizes=$5
piano=$debs/tamber-piano_${version}_$(dpkg --print-architecture).deb
server=$debs/corvent-server_${version}_$(dpkg --print-architecture).deb
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
work=$(mktemp -d /tmp/tp-packages.XXXXXX)
trap 'rm -rf "$work"' EXIT

for deb in "$piano" "$server"; do
    [ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }
done

echo "== lintian"
# Root is warned about but harmless here: lintian only reads the packages.
status=0
lintian --fail-on error --pedantic --display-info --show-overrides --tag-display-limit 0 \
    "$piano" "$server" >"$work/lintian.txt" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.txt" || true
[ "$status" -eq 0 ] || fail "lintian reports errors"

echo "== contents"
# Every file a package must hold (dpkg-deb -c), and no file of the other program.
expect_files() { # DEB PATH...
    local deb=$1 listing
    shift
    listing=$(dpkg-deb -c "$deb" | awk '{print $NF}')
    for path in "$@"; do
        grep -qxF "./$path" <<<"$listing" || fail "$(basename "$deb") lacks /$path"
    done
}
icons() { # NAME
    for size in $sizes; do echo "usr/share/icons/hicolor/${size}x${size}/apps/$1.png"; done
    echo "usr/share/icons/hicolor/scalable/apps/$1.svg"
}
mapfile -t piano_icons < <(icons tamber-piano)
mapfile -t server_icons < <(icons corvent-server)
expect_files "$piano" usr/bin/TamberPiano usr/share/tamber-piano/Default.tmk \
    usr/share/tamber-piano/help/index.html "usr/share/applications/$piano_id.desktop" \
    "usr/share/metainfo/$piano_id.metainfo.xml" usr/share/man/man1/TamberPiano.1.gz \
    usr/share/doc/tamber-piano/copyright usr/share/doc/tamber-piano/changelog.gz \
    "${piano_icons[@]}"
expect_files "$server" usr/bin/CorventServer usr/libexec/corvent-server/corvent-server-window \
    usr/share/corvent-server/web/index.html usr/share/corvent-server/web/room.html \
    usr/share/corvent-server/web/js/main.js \
    usr/share/corvent-server/web/i18n/en.json usr/share/corvent-server/web/i18n/zh-CN.json \
    usr/share/corvent-server/web/js/tables.js usr/share/corvent-server/web/vendor/js-synthesizer.min.js \
    usr/share/doc/corvent-server/examples/nginx.conf \
    usr/lib/systemd/system/corvent-server.service \
    "usr/share/applications/$server_id.desktop" usr/share/man/man1/CorventServer.1.gz \
    usr/share/doc/corvent-server/copyright usr/share/doc/corvent-server/changelog.gz \
    "${server_icons[@]}"
# Every language's compiled translation, for each program, and the piano's help page.
languages=$(grep -E '^[a-z]' "$(dirname "$0")/../translations/languages.txt" | cut -d' ' -f1)
for code in $languages; do
    expect_files "$piano" "usr/share/tamber-piano/translations/tamber-piano_$code.qm" \
        "usr/share/tamber-piano/help/index.$code.html"
    expect_files "$server" "usr/share/corvent-server/translations/corvent-server_$code.qm"
done
dpkg-deb -c "$piano" | grep -q 'CorventServer' && fail "the piano's package holds the relay"
dpkg-deb -c "$server" | grep -qE 'TamberPiano|tamber-piano/' && fail "the relay's package holds the piano"

echo "== control"
for deb in "$piano" "$server"; do
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "$(basename "$deb"): version is not $version"
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6core6' ||
        fail "$(basename "$deb"): no library dependencies (shlibdeps)"
    # Qt's own dialogs and buttons speak the player's language with Qt's translations.
    dpkg-deb -f "$deb" Recommends | grep -q 'qt6-translations-l10n' ||
        fail "$(basename "$deb"): does not recommend qt6-translations-l10n"
done
for package in tamber-piano corvent-server; do
    deb=$debs/${package}_${version}_$(dpkg --print-architecture).deb
    dpkg-deb --fsys-tarfile "$deb" | tar -xOf - "./usr/share/doc/$package/changelog.gz" | gzip -dc |
        head -n1 | grep -qF "$package ($version)" || fail "$package's changelog does not begin at $version"
done
dpkg-deb -f "$piano" Depends | grep -qF 'timgm6mb-soundfont | fluid-soundfont-gm' ||
    fail "the piano does not depend on a General MIDI soundfont"
# Opened at run time, so no link names it.
dpkg-deb -f "$piano" Depends | grep -qE '(^|, )libfluidsynth3( |,|$)' ||
    fail "the piano does not depend on FluidSynth's library"
# The relay speaks HTTP and WebSocket itself, on Qt Core and Network alone.
dpkg-deb -f "$server" Depends | grep -q 'libqt6network6' || fail "the relay does not depend on libqt6network6"
for library in libqt6httpserver6 libqt6websockets6; do
    dpkg-deb -f "$server" Depends | grep -q "$library" && fail "the relay depends on $library"
done
# The relay serves the browser piano the soundfont its path is built with.
dpkg-deb -f "$server" Depends | grep -qE '(^|, )timgm6mb-soundfont(,|$)' ||
    fail "the relay does not depend on the soundfont of the browser piano"

root=$work/root
dpkg-deb -x "$piano" "$root"
dpkg-deb -x "$server" "$root"

echo "== desktop-file-validate"
for entry in "$root"/usr/share/applications/*.desktop; do
    desktop-file-validate "$entry" || fail "desktop-file-validate: $(basename "$entry")"
done
echo "ok"

echo "== appstreamcli validate --no-net"
metainfo=$root/usr/share/metainfo/$piano_id.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli: $(basename "$metainfo")"
# The newest release named in the AppStream data is the version being packaged.
grep -m1 -o '<release version="[^"]*"' "$metainfo" | grep -qF "\"$version\"" ||
    fail "the newest AppStream release is not $version"

echo "== systemd-analyze verify"
unit=$root/usr/lib/systemd/system/corvent-server.service
grep -qx 'ExecStart=/usr/bin/CorventServer --headless' "$unit" ||
    fail "the unit does not start /usr/bin/CorventServer --headless"
# The packaged program is not installed here: verify a copy that starts the unpacked one, with
# the unpacked manual page for its Documentation=.
mkdir -p "$work/unit"
sed "s|^ExecStart=/usr/bin/|ExecStart=$root/usr/bin/|" "$unit" >"$work/unit/corvent-server.service"
# It reports some faults (an unknown value) only as messages, so any message fails.
status=0
MANPATH=$root/usr/share/man systemd-analyze verify "$work/unit/corvent-server.service" \
    >"$work/verify.txt" 2>&1 || status=$?
cat "$work/verify.txt"
if [ "$status" -eq 0 ] && [ ! -s "$work/verify.txt" ]; then
    echo "ok"
else
    fail "systemd-analyze verify"
fi

echo "== systemd-analyze security"
# Exposure runs from 0 (locked down) to 10 (unprotected); a network daemon should stay low.
status=0
systemd-analyze security --offline=yes --threshold=20 "$unit" >"$work/security.txt" 2>&1 || status=$?
grep -E '✗|→' "$work/security.txt"
[ "$status" -eq 0 ] || fail "the unit's exposure is above 2.0"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "packages: ok"
