#!/usr/bin/env bash
# Builds the image libraries JUCE compiles against as static 64-bit Windows
# libraries, from Debian's own source packages (libpng1.6, libjpeg-turbo),
# with the mingw-w64 cross compiler. zlib comes ready made from Debian
# (libz-mingw-w64-dev).
#
#   tools/windows-deps.sh PREFIX
#
# Installs headers and libraries into PREFIX/include and PREFIX/lib. Each
# package is built once per source version: PREFIX/.built-<package>-<version>
# marks it, and a later run with that version present does nothing more.
# Needs deb-src entries for Debian's archive (tools/setup-windows.sh adds
# them) and dpkg-dev.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
prefix="$(mkdir -p "$1" && cd "$1" && pwd)"
toolchain="$repo/cmake/MingwToolchain.cmake"
mingw_root=/usr/x86_64-w64-mingw32

# Source versions apt knows of, newest first.
source_versions() {
    apt-cache showsrc --only-source "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -u | sort_debian_versions
}

sort_debian_versions() {
    local versions=() sorted=() version i
    mapfile -t versions
    for version in "${versions[@]}"; do
        for ((i = 0; i < ${#sorted[@]}; ++i)); do
            if dpkg --compare-versions "$version" gt "${sorted[i]}"; then break; fi
        done
        sorted=("${sorted[@]:0:i}" "$version" "${sorted[@]:i}")
    done
    ((${#sorted[@]})) && printf '%s\n' "${sorted[@]}"
}

stamp() { echo "$prefix/.built-$1-${2//:/_}"; }

# Unpacks the newest version of a source package that is already built or
# can be fetched; prints that version, or nothing when the package is built.
# Mirrors sometimes list a version whose files they no longer hold, so older
# versions are tried in turn.
fetch_source() {
    local package="$1" work="$2" log="$prefix/.fetch-$1.log" version
    : >"$log"
    while read -r version; do
        if [[ -f "$(stamp "$package" "$version")" ]]; then
            return 0
        fi
        if (cd "$work" && apt-get source -qq --download-only "$package=$version" >>"$log" 2>&1); then
            (cd "$work" && dpkg-source -x ./*.dsc source >>"$log" 2>&1)
            echo "$version"
            return 0
        fi
        rm -f "$work"/*
    done < <(source_versions "$package")
    echo "windows-deps.sh: no source of $package could be fetched (see $log)" >&2
    return 1
}

configure_cross() {
    local source="$1" build="$2"
    shift 2
    cmake -S "$source" -B "$build" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_COMPILER_LAUNCHER="$(command -v ccache || true)" \
        -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$build.configure.log"
}

build_libpng() {
    local source="$1" build="$1.build"
    configure_cross "$source" "$build" \
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF \
        -DZLIB_LIBRARY="$mingw_root/lib/libz.a" -DZLIB_INCLUDE_DIR="$mingw_root/include"
    cmake --build "$build" --parallel 2 --target png_static >"$build.log"
    install -D -m 644 -t "$prefix/include" "$source/png.h" "$source/pngconf.h" "$build/pnglibconf.h"
    install -D -m 644 "$build/libpng16.a" "$prefix/lib/libpng16.a"
}

# libjpeg-turbo's Windows configuration header declares "boolean" as
# unsigned char, the type the Windows headers give it, but only when those
# were not read first. JUCE reads jpeglib.h inside a namespace of its own
# after them and then names that namespace's "boolean", so the installed
# header declares it always (the same type; the library's ABI is unchanged).
build_libjpeg() {
    local source="$1" build="$1.build"
    configure_cross "$source" "$build" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
    cmake --build "$build" --parallel 2 --target jpeg-static >"$build.log"
    sed -i '/^#ifndef __RPCNDR_H__/{N;N;s/^#ifndef __RPCNDR_H__[^\n]*\n\(typedef unsigned char boolean;\)\n#endif/\1/}' "$build/jconfig.h"
    if grep -q '__RPCNDR_H__' "$build/jconfig.h" || ! grep -q '^typedef unsigned char boolean;' "$build/jconfig.h"; then
        echo "windows-deps.sh: jconfig.h no longer has the expected boolean declaration" >&2
        return 1
    fi
    install -D -m 644 -t "$prefix/include" "$source/jpeglib.h" "$source/jmorecfg.h" "$source/jerror.h" "$source/jpegint.h" \
        "$build/jconfig.h"
    install -D -m 644 "$build/libjpeg.a" "$prefix/lib/libjpeg.a"
}

build_package() {
    local package="$1" builder="$2" work version
    # A fixed place, so that ccache finds the objects of an earlier build of
    # the same sources in another checkout.
    work="$prefix/.work-$package"
    rm -rf "$work"
    mkdir -p "$work"
    version="$(fetch_source "$package" "$work")"
    if [[ -n "$version" ]]; then
        echo "Building $package $version for Windows (static)"
        "$builder" "$work/source"
        rm -f "$prefix/.built-$package-"*
        touch "$(stamp "$package" "$version")"
    fi
    rm -rf "$work"
}

build_package libpng1.6 build_libpng
build_package libjpeg-turbo build_libjpeg
