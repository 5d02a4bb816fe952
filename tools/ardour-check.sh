#!/usr/bin/env bash
# Manual check of the VST 2.4 library in a real third-party host, Ardour 7,
# headless on its Dummy backend. Not part of CTest: Ardour is a large package.
#
#   bash tools/ardour-check.sh [--keep] [path/to/libQuilvern.so]
#
# Steps: Ardour's VST scanner indexes a copy of the library; a Lua session
# records a dry tone, inserts Quilvern, sets parameters through the host and
# saves; ardour7-export renders the session (and a snapshot with the plug-in
# deactivated) in a fresh process, which restores the plug-in from the saved
# chunk; a second Lua session reloads it, checks the parameters and compares
# both exports with the dry take. Exits non-zero if any check fails.
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
keep=0
library=""

for argument in "$@"; do
    case "$argument" in
        --keep) keep=1 ;;
        -h|--help) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) library="$argument" ;;
    esac
done
library="${library:-$root/build/Quilvern_artefacts/RelWithDebInfo/VST/libQuilvern.so}"

# Seconds allowed per step; Ardour must never hang the check.
step_timeout="${ARDOUR_CHECK_TIMEOUT:-120}"
scanner=/usr/lib/ardour7/ardour-vst-scanner

for tool in "$scanner" /usr/bin/ardour7-lua /usr/bin/ardour7-export; do
    if [ ! -x "$tool" ]; then
        echo "ardour-check: $tool not found; install Debian's ardour package" >&2
        exit 2
    fi
done
if [ ! -f "$library" ]; then
    echo "ardour-check: $library not found; build with: bash tools/setup.sh" >&2
    exit 2
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/quilvern-ardour.XXXXXX")"
if [ "$keep" = 1 ]; then
    echo "Working folder (kept): $work"
else
    trap 'rm -rf "$work"' EXIT
fi

# The plug-in writes Quilvern.ini beside the library it was loaded from, so
# Ardour only ever sees a copy. Ardour's configuration and plug-in cache go
# to the work folder too, leaving the user's own untouched.
mkdir -p "$work/vst" "$work/config" "$work/cache"
cp "$library" "$work/vst/libQuilvern.so"
# Ardour trusts the scanner's cache only if it is strictly newer than the
# library, to the second; a copy made in the same second as the scan would
# be ignored and the plug-in not found.
touch -d "@$(( $(date +%s) - 10 ))" "$work/vst/libQuilvern.so"
export LXVST_PATH="$work/vst"
export XDG_CONFIG_HOME="$work/config"
export XDG_CACHE_HOME="$work/cache"
session="$work/session"
log="$work/ardour.log"

passed=0
failed=0

record() {
    local status="$1"; shift
    echo "CHECK $status $*"
    if [ "$status" = PASS ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

# Runs one step under the time limit, shows Ardour's output indented and
# tallies the CHECK lines it prints.
run_step() {
    local title="$1"; shift
    echo
    echo "== $title"
    local output status
    output="$(timeout -k 10 "$step_timeout" "$@" 2>&1)"
    status=$?
    printf '%s\n' "$output" >> "$log"
    printf '%s\n' "$output" | grep -v '^CHECK ' | sed 's/^/   | /'
    printf '%s\n' "$output" | grep '^CHECK '
    passed=$((passed + $(printf '%s\n' "$output" | grep -c '^CHECK PASS')))
    failed=$((failed + $(printf '%s\n' "$output" | grep -c '^CHECK FAIL')))
    if [ "$status" = 124 ] || [ "$status" = 137 ]; then
        record FAIL "$title finished within ${step_timeout}s"
    elif [ "$status" != 0 ]; then
        record FAIL "$title exited with status $status"
    fi
    return "$status"
}

# Ardour itself only reads the scanner's cache; this fills it.
run_step "Ardour's VST scanner" \
    env LD_LIBRARY_PATH=/usr/lib/ardour7 "$scanner" -f -v "$work/vst/libQuilvern.so"
if grep -q "Found Plugin: .* Quilvern" "$log" && grep -q 'id="1364605259" name="Quilvern"' "$log"; then
    record PASS "scanner indexed Quilvern (id 1364605259)"
else
    record FAIL "scanner indexed Quilvern (id 1364605259)"
fi

if run_step "Create session, record dry take, insert Quilvern, set parameters, save" \
        ardour7-lua "$here/ardour-check.lua" create "$session"; then
    run_step "Export the session (fresh Ardour process)" \
        ardour7-export -b float -o "$work/wet.wav" "$session" quilvern-check
    run_step "Export the snapshot with Quilvern deactivated" \
        ardour7-export -b float -o "$work/dry.wav" "$session" dry
    run_step "Reload the session, check parameters and audio" \
        ardour7-lua "$here/ardour-check.lua" verify "$session" "$work/wet.wav" "$work/dry.wav"
fi

echo
if [ "$failed" = 0 ] && [ "$passed" -gt 0 ]; then
    echo "PASS: Quilvern works in Ardour 7 ($passed checks)"
    exit 0
fi
if [ "$keep" = 1 ]; then
    echo "FAIL: $failed of $((passed + failed)) checks failed; Ardour's output is in $log"
else
    echo "FAIL: $failed of $((passed + failed)) checks failed; run with --keep to keep the session and log"
fi
exit 1
