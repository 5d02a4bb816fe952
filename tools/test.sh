#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), then runs every test under a virtual
# X display, then builds, checks, installs and removes the Debian package
# (tools/test-package.sh); then the same for the Windows library,
# cross-built and tested under wine (tools/test-windows.sh;
# QUILVERN_WINDOWS=0 leaves it out). The output ends with CTest's summary
# line (without the Windows step, the package check's lines follow it).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_BUILD_DIR:-$repo/build}"

bash "$repo/tools/setup.sh"

cd "$build"
xvfb-run -a ctest --output-on-failure --timeout 600 -j "$(nproc)"

bash "$repo/tools/test-package.sh"

if [[ "${QUILVERN_WINDOWS:-1}" != 0 ]]; then
    bash "$repo/tools/test-windows.sh"
fi
