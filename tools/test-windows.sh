#!/usr/bin/env bash
# Cross-builds the Windows plug-ins, their installer and their tests
# (tools/setup-windows.sh), installs wine for this step only, prepares the
# build tree's own wine prefix, and runs the Windows tests (the installer's
# among them) under wine and a virtual X display. The output ends with
# CTest's summary line.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_WINDOWS_BUILD_DIR:-$repo/build-win}"

bash "$repo/tools/setup-windows.sh"
bash "$repo/tools/apt-install.sh" wine64 xvfb xauth

# Created once, before any test runs, so that parallel tests never race to
# create it. No display: wine's first start would otherwise open windows.
export WINEPREFIX="$build/wine"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Creating the wine prefix $WINEPREFIX"
    wine="$(command -v wine64 || echo /usr/lib/wine/wine64)"
    env -u DISPLAY WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot --init
    "$(dirname "$wine")/wineserver" -w
fi

cd "$build"
xvfb-run -a ctest --output-on-failure --timeout 600 -j 2
