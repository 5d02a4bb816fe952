#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), then runs every test under a virtual
# X display. The output ends with CTest's summary line.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_BUILD_DIR:-$repo/build}"

bash "$repo/tools/setup.sh"

cd "$build"
xvfb-run -a ctest --output-on-failure --timeout 600 -j "$(nproc)"
