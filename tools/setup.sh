#!/usr/bin/env bash
# Installs every Debian package the build, tests, benchmarks and tools need,
# configures the one build tree (build/, Ninja, RelWithDebInfo, ccache) and
# builds everything. Safe to run again: installed packages are skipped and an
# existing build tree is reused.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_BUILD_DIR:-$repo/build}"

packages=(
    build-essential cmake ninja-build ccache pkg-config
    juce-modules-source fst-dev
    libx11-dev libxext-dev libxrandr-dev libxinerama-dev libxcursor-dev
    libfreetype-dev libfontconfig1-dev libasound2-dev libflac-dev libpng-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    liblilv-dev lilv-utils
    xvfb xauth fonts-wine fonts-dejavu-core binutils
    lintian desktop-file-utils man-db file dpkg-dev
    locales
)

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale that writes numbers with a decimal comma: the tests check that
# preset files are written with a point whatever the user's locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "Generating the locale de_DE.UTF-8"
    $sudo sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)$/\1/' /etc/locale.gen
    grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen > /dev/null
    $sudo locale-gen > /dev/null
fi

# Let separate checkouts of the project share compiled objects.
export CCACHE_BASEDIR="$repo"
export CCACHE_NOHASHDIR=1

if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi

# One compile job per core: Ninja's default of two more than the cores
# only makes the compilers fight for memory on a small machine.
cmake --build "$build" --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
