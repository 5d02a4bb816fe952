#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), then tells where each plug-in format
# landed and how to install it for the current user.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_BUILD_DIR:-$repo/build}"

bash "$repo/tools/setup.sh"

artefacts="$(find "$build/Quilvern_artefacts" -mindepth 1 -maxdepth 1 -type d | head -n 1)"

echo
echo "Quilvern 1.3.1 is built:"
echo "  VST 2.4     $artefacts/VST/libQuilvern.so"
echo "  VST3        $artefacts/VST3/Quilvern.vst3"
echo "  LV2         $artefacts/LV2/Quilvern.lv2"
echo "  Standalone  $artefacts/Standalone/Quilvern"
echo
echo "Install for the current user:"
echo "  mkdir -p ~/.vst ~/.vst3 ~/.lv2"
echo "  cp '$artefacts/VST/libQuilvern.so' ~/.vst/"
echo "  cp -r '$artefacts/VST3/Quilvern.vst3' ~/.vst3/"
echo "  cp -r '$artefacts/LV2/Quilvern.lv2' ~/.lv2/"
