#!/usr/bin/env bash
# Renders the README's pictures of the editor: the built VST 2.4 library is
# opened in a bare host window under Xvfb (tools/screenshots/, the program
# quilvern-screenshots), which clicks "Options" and the options tabs and
# saves what the window shows; at 1x, and at 1.5x and 2x after the
# content-scale request hosts send on screens at 150 and 200 %.
#
#   bash tools/screenshots.sh [folder]      (default: docs/screenshots)
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_BUILD_DIR:-$repo/build}"
folder="${1:-$repo/docs/screenshots}"

if [[ ! -f "$build/build.ninja" ]]; then
    bash "$repo/tools/setup.sh"
fi

cmake --build "$build" --target quilvern-screenshots
program="$(find "$build/tools/screenshots" -type f -name quilvern-screenshots -perm -u+x | head -n 1)"
library="$(find "$build/Quilvern_artefacts" -path '*/VST/libQuilvern.so' | head -n 1)"

# The plug-in writes its settings file beside the library it was loaded from.
work="$(mktemp -d "${TMPDIR:-/tmp}/quilvern-screenshots.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$library" "$work/libQuilvern.so"

mkdir -p "$folder"

for scale in 1 1.5 2; do
    xvfb-run -a -s "-screen 0 1600x1200x24" "$program" "$work/libQuilvern.so" "$folder" "$scale"
done
