#!/usr/bin/env bash
# Cross-builds the 64-bit Windows plug-ins (the VST 2.4 library Quilvern.dll
# and the VST3 bundle Quilvern.vst3), their installer (with Debian's NSIS)
# and their tests with Debian's mingw-w64 in a tree of its own (build-win/,
# Ninja, Release, ccache). Installs the Debian packages this needs, adds
# source entries for Debian's own archive when apt has none (for libpng and
# libjpeg-turbo, built once per version by tools/windows-deps.sh), then
# configures and builds. Safe to run again: installed packages, built
# libraries and an existing build tree are reused.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_WINDOWS_BUILD_DIR:-$repo/build-win}"
deps="${QUILVERN_WINDOWS_DEPS_DIR:-$build/deps}"

bash "$repo/tools/apt-install.sh" \
    cmake ninja-build ccache dpkg-dev \
    juce-modules-source fst-dev googletest \
    g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nsis

# apt-get source needs deb-src entries. They are added for Debian's own
# archive only, mirroring the binary entries already configured.
add_debian_source_entries() {
    local sudo="" entries
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi

    entries="$(
        for file in /etc/apt/sources.list.d/*.sources; do
            [[ -f "$file" ]] || continue
            awk 'BEGIN { RS = ""; ORS = "\n\n" }
                 /(^|\n)URIs:[^\n]*[.]debian[.]org/ && /(^|\n)Types:[^\n]*deb/ {
                     sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print
                 }' "$file"
        done
    )"

    if [[ -n "$entries" ]]; then
        echo "$entries" | $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    fi

    entries="$(grep -hsE '^deb +(\[[^]]*\] +)?[a-z]+://[^ ]*[.]debian[.]org' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
        sed -E 's/^deb /deb-src /' || true)"

    if [[ -n "$entries" ]]; then
        echo "$entries" | $sudo tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi

    $sudo apt-get update -qq
}

if ! apt-cache showsrc libpng1.6 >/dev/null 2>&1; then
    echo "Adding deb-src entries for Debian's archive"
    add_debian_source_entries
fi

# Let separate checkouts of the project share compiled objects.
export CCACHE_BASEDIR="$repo"
export CCACHE_NOHASHDIR=1

bash "$repo/tools/windows-deps.sh" "$deps"

if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/MingwToolchain.cmake" \
        -DQUILVERN_WINDOWS_DEPS_PREFIX="$deps"
fi

cmake --build "$build" --parallel 2
