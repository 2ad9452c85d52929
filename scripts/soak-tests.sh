#!/usr/bin/env bash
# Runs a layer of tests N times and prints, per test, in how many runs it failed: a measure of
# flakiness. Arguments after N go to ctest, e.g. `scripts/soak-tests.sh 20 -j2` for the whole
# last layer of scripts/test.sh, or `scripts/soak-tests.sh 10 -R e2e_record`. The tests run in
# build/ (SOAK_BUILD_DIR sets another folder); each run's output is kept in
# build/soak/run-K.log. Exit status 1 when any run had a failure. An end-to-end test whose try
# failed while JACK lost cycles runs again (the machine's fault, not the program's), as does a
# JACK tool that hung closing its client (libjack's): these are counted apart, by script.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || ! [[ $1 =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/soak-tests.sh N [ctest arguments...]" >&2
    exit 2
fi
runs=$1
shift
build=${SOAK_BUILD_DIR:-build}
logs="$build/soak"
rm -rf "$logs"
mkdir -p "$logs"
export E2E_RETRY_LOG="$(cd "$logs" && pwd)/retries.log"

declare -A ran failed
unnamed=0
counted=0
for ((k = 1; k <= runs; k++)); do
    start=$SECONDS
    status=0
    ctest --test-dir "$build" --output-on-failure "$@" >"$logs/run-$k.log" 2>&1 || status=$?
    # "12/40 Test #7: name ......   Passed  1.2 sec", or "***Failed", "***Timeout", ...; a
    # parameterised test's name is followed by its parameters ("  # GetParam() = ...").
    bad=0
    while read -r name outcome; do
        ran[$name]=$((${ran[$name]:-0} + 1))
        counted=$((counted + 1))
        if [ "$outcome" != Passed ]; then
            failed[$name]=$((${failed[$name]:-0} + 1))
            bad=$((bad + 1))
        fi
    done < <(sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+).* \.+ *(\*\*\*)?([A-Za-z]+).*/\1 \3/p' \
        "$logs/run-$k.log")
    # ctest's own verdict too: a failure this count cannot name still fails the run.
    if [ $status -ne 0 ] && [ $bad -eq 0 ]; then
        unnamed=$((unnamed + 1))
        bad=1
    fi
    echo "run $k of $runs: $bad failed, $((SECONDS - start)) s"
done

echo
echo "failed/runs  test"
any=0
for name in $(printf '%s\n' "${!ran[@]}" | sort); do
    n=${failed[$name]:-0}
    [ "$n" -gt 0 ] && any=1
    printf '%6s/%-4s %s\n' "$n" "${ran[$name]}" "$name"
done
if [ $unnamed -gt 0 ]; then
    echo "$unnamed run(s) failed by ctest's verdict without a failed test to name (see their logs)"
    any=1
fi
if [ -s "$E2E_RETRY_LOG" ]; then
    echo
    echo "done again, and why (the machine's or libjack's fault, not the program's):"
    cut -f1,2 "$E2E_RETRY_LOG" | sort | uniq -c
    echo "each try, with the machine's state and what failed in it: $E2E_RETRY_LOG"
fi
[ $counted -gt 0 ] || { echo "no test ran" >&2; exit 1; }
exit $any
