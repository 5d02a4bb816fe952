#!/usr/bin/env bash
# Runs a program of the Windows cross build under wine64, in the wine prefix
# named by WINEPREFIX (the cross tree's own, set by its tests).
#
#   tools/wine-run.sh [--headless] [--dpi N] PROGRAM [ARGUMENT ...]
#
# --headless runs without an X display, as a host on a machine without one
# would see it. Otherwise the program gets $DISPLAY; without one it is not
# run and the exit status is 77 (CTest's "skipped").
# --dpi N runs it on a screen of N dots per inch (192 is Windows' 200 %);
# the prefix goes back to 96 afterwards.
#
# Wine's desktop takes its display from the first program of a wine server:
# a program with a display cannot open windows beside a headless one. So
# each run waits for the prefix's wine server to end before it returns, and
# runs of one prefix must not overlap (the tests share a resource lock).
set -euo pipefail

headless=0
if [[ "${1:-}" == "--headless" ]]; then
    headless=1
    shift
fi

dpi=""
if [[ "${1:-}" == "--dpi" ]]; then
    dpi="$2"
    shift 2
fi

if [[ -z "${WINEPREFIX:-}" ]]; then
    echo "wine-run.sh: WINEPREFIX is not set" >&2
    exit 2
fi

wine="$(command -v wine64 || echo /usr/lib/wine/wine64)"
wineserver="$(dirname "$(readlink -f "$wine")")/wineserver"

# No prompts to install Mono or Gecko, and none of wine's own diagnostics.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"

if ((headless)); then
    unset DISPLAY WAYLAND_DISPLAY
elif [[ -z "${DISPLAY:-}" ]]; then
    echo "wine-run.sh: no X display; $(basename "$1") needs one"
    exit 77
fi

# Wine reads the screen's DPI when its server starts a program's session.
set_dpi() {
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f > /dev/null
    "$wineserver" -w
}

if [[ -n "$dpi" ]]; then
    set_dpi "$dpi"
    trap 'set_dpi 96' EXIT
fi

status=0
"$wine" "$@" || status=$?
"$wineserver" -w
exit $status
