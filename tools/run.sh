#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), renders the built-in demo signal
# through the plug-in with quilvern-render, with a picture of its input's and
# output's spectrograms, then tells where the rendered file, the picture and
# each plug-in format landed and how to install the plug-in.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_BUILD_DIR:-$repo/build}"

bash "$repo/tools/setup.sh"

renderer="$build/tools/render/quilvern-render"
demo="$build/render/quilvern-demo.wav"
picture="$build/render/quilvern-demo.png"

echo
"$renderer" --output "$demo" --spectrogram "$picture"

# The configuration folder that holds the built formats (JUCE also keeps its
# generated JuceLibraryCode folder beside it).
vst2="$(find "$build/Quilvern_artefacts" -path '*/VST/libQuilvern.so' | head -n 1)"
artefacts="$(dirname "$(dirname "$vst2")")"

echo
echo "The demo render is $demo"
echo "Its spectrograms, input above output, are in $picture"
echo "Render your own files with:"
echo "  $renderer INPUT.wav --output OUTPUT.wav [--set \"Feedback=0.8\"] [--tempo 120]"
echo "  ($renderer --help lists every option)"
echo
echo "Quilvern 1.3.1 is built:"
echo "  VST 2.4     $artefacts/VST/libQuilvern.so"
echo "  VST3        $artefacts/VST3/Quilvern.vst3"
echo "  LV2         $artefacts/LV2/Quilvern.lv2"
echo "  Standalone  $artefacts/Standalone/Quilvern"
echo
echo "Install for the current user (tools/install-user.sh --uninstall removes it again):"
echo "  bash $repo/tools/install-user.sh"
echo "The README's \"Installing on Linux\" tells the other ways: the Debian package and cmake --install."
