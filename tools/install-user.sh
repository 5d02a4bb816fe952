#!/usr/bin/env bash
# Installs Quilvern for the current user only, into the folders hosts,
# the shell, man and the desktop search in the home folder (a prefix such as
# ~/.local cannot reach ~/.lv2, ~/.vst3 or ~/.vst), and says what it did:
#
#   ~/.lv2/Quilvern.lv2, ~/.vst3/Quilvern.vst3, ~/.vst/Quilvern.so   the plug-ins
#   ~/.local/bin/quilvern, ~/.local/bin/quilvern-render               the programs
#   ~/.local/share/applications, .../icons/hicolor, .../man/man1      menu entry, icons, manual pages
#
# (~/.local/share is $XDG_DATA_HOME when that is set.)
#
#   tools/install-user.sh [--build DIR]    build what is installed (in build/ or DIR), then install it
#   tools/install-user.sh --uninstall      remove exactly those files again
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_BUILD_DIR:-$repo/build}"
uninstall=0

while (($#)); do
    case "$1" in
        --uninstall) uninstall=1 ;;
        --build) build="$2"; shift ;;
        -h|--help) sed -n '2,/^set -e/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
        *) echo "install-user.sh: unknown argument $1 (--help shows the usage)" >&2; exit 2 ;;
    esac
    shift
done

data="${XDG_DATA_HOME:-$HOME/.local/share}"
bin="$HOME/.local/bin"

# What is installed: the path below the staging prefix, and where it goes.
items=(
    "lib/lv2/Quilvern.lv2|$HOME/.lv2/Quilvern.lv2"
    "lib/vst3/Quilvern.vst3|$HOME/.vst3/Quilvern.vst3"
    "lib/vst/Quilvern.so|$HOME/.vst/Quilvern.so"
    "bin/quilvern|$bin/quilvern"
    "bin/quilvern-render|$bin/quilvern-render"
    "share/applications/quilvern.desktop|$data/applications/quilvern.desktop"
    "share/icons/hicolor/48x48/apps/quilvern.png|$data/icons/hicolor/48x48/apps/quilvern.png"
    "share/icons/hicolor/128x128/apps/quilvern.png|$data/icons/hicolor/128x128/apps/quilvern.png"
    "share/icons/hicolor/scalable/apps/quilvern.svg|$data/icons/hicolor/scalable/apps/quilvern.svg"
    "share/man/man1/quilvern.1.gz|$data/man/man1/quilvern.1.gz"
    "share/man/man1/quilvern-render.1.gz|$data/man/man1/quilvern-render.1.gz"
)

if ((uninstall)); then
    removed=0
    for item in "${items[@]}"; do
        target="${item#*|}"
        if [[ -e "$target" ]]; then
            rm -rf "$target"
            echo "removed   $target"
            removed=1
        fi
    done
    ((removed)) || echo "Quilvern was not installed in $HOME: nothing to remove."
    exit 0
fi

if [[ ! -f "$build/CMakeCache.txt" ]]; then
    echo "install-user.sh: no build tree in $build; build it first (bash tools/setup.sh)" >&2
    exit 1
fi

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
if ! cmake --build "$build" --target Quilvern_VST Quilvern_VST3 Quilvern_LV2 Quilvern_Standalone quilvern-render \
    quilvern-installed-docs >"$stage/build.log" 2>&1; then
    cat "$stage/build.log" >&2
    echo "install-user.sh: the build failed" >&2
    exit 1
fi
mkdir "$stage/prefix"
cmake --install "$build" --prefix "$stage/prefix" --strip --component Unspecified >/dev/null

for item in "${items[@]}"; do
    source="$stage/prefix/${item%%|*}"
    target="${item#*|}"
    mkdir -p "$(dirname "$target")"
    rm -rf "$target"
    cp -R "$source" "$target"
    echo "installed $target"
done

# The menu entry starts the program by its full path (quoted if it holds
# a space): a desktop session's PATH need not include ~/.local/bin.
program="$bin/quilvern"
[[ "$program" != *[[:space:]]* ]] || program="\"$program\""
while IFS= read -r line; do
    [[ "$line" != Exec=* ]] || line="Exec=$program"
    printf '%s\n' "$line"
done <"$stage/prefix/share/applications/quilvern.desktop" >"$data/applications/quilvern.desktop"

case ":$PATH:" in
    *":$bin:"*) ;;
    *) echo "note: $bin is not on your PATH; add it to run quilvern-render by name." ;;
esac
echo "Hosts find the plug-ins at their next scan; tools/install-user.sh --uninstall removes them."
