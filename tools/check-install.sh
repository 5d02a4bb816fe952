#!/usr/bin/env bash
# Checks that an installed Quilvern is where hosts, the shell, man and the
# desktop look for it, and works from there:
#
#   tools/check-install.sh tree PREFIX VERSION   a tree as cmake --install --strip or the package leaves it
#   tools/check-install.sh cmake-install BUILD   cmake --install --strip into a temporary prefix, then "tree"
#   tools/check-install.sh user-install BUILD    tools/install-user.sh into a temporary home, the same
#                                                checks there, then --uninstall must leave no file behind
#
# Each check prints what it found; the first failure ends the script with
# status 1. Nothing outside the temporary folders is written.
set -Eeuo pipefail
trap 'echo "FAIL: $BASH_COMMAND (line $LINENO)" >&2' ERR

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
uri="urn:brannock-group-audio:quilvern"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

ok() {
    echo "ok: $*"
}

project_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# A binary without symbol tables or debugging sections, whose libraries
# all resolve, exporting the entry point its host calls.
check_binary() {
    local file="$1" entry="$2"
    [[ -f "$file" ]] || fail "$file is missing"

    # (Each tool's output is read whole: grep -q stopping early would fail
    # the pipeline under pipefail.)
    local sections libraries symbols
    sections="$(readelf -S --wide "$file")"
    libraries="$(ldd "$file")"
    symbols="$(nm -D --defined-only "$file")"

    if grep -Eq '\.symtab|\.debug_' <<<"$sections"; then
        fail "$file is not stripped"
    fi

    if grep -q 'not found' <<<"$libraries"; then
        fail "$file needs libraries that are not installed: $(grep 'not found' <<<"$libraries" | tr -s ' \t\n' ' ')"
    fi

    if [[ -n "$entry" ]] && ! grep -Eq " T $entry\$" <<<"$symbols"; then
        fail "$file does not export $entry"
    fi

    ok "$file (stripped, libraries found${entry:+, exports $entry})"
}

png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'
}

# The man page must format without a warning from groff, as lintian reads it.
check_manual() {
    local page="$1" name="$2"
    local found warnings
    found="$(man -w "$name")" || fail "man -w $name finds no page"
    [[ "$found" == "$page" ]] || fail "man -w $name finds $found, not $page"
    warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
    [[ -z "$warnings" ]] || fail "$page: $warnings"
    ok "man -w $name: $found"
}

# The layout below the folders one install uses; run with PATH, MANPATH and
# LV2_PATH (or HOME) set so that only this install can be found.
check_layout() {
    local lv2="$1" vst3="$2" vst="$3" bin="$4" share="$5" version="$6"

    check_binary "$vst/Quilvern.so" VSTPluginMain
    check_binary "$vst3/Quilvern.vst3/Contents/x86_64-linux/Quilvern.so" GetPluginFactory
    check_binary "$lv2/Quilvern.lv2/libQuilvern.so" lv2_descriptor
    check_binary "$bin/quilvern" ""
    check_binary "$bin/quilvern-render" ""

    local settings
    settings="$(find "$lv2/Quilvern.lv2" "$vst3/Quilvern.vst3" "$vst" "$bin" -name '*.ini')"
    [[ -z "$settings" ]] || fail "settings files were installed: $settings"

    grep -qx "$uri" <<<"$(lv2ls)" || fail "lv2ls does not list $uri (LV2_PATH=${LV2_PATH:-default})"
    local binary
    binary="$(lv2info "$uri")"
    binary="$(awk '$1 == "Binary:" { sub("^file://", "", $2); print $2; exit }' <<<"$binary")"
    [[ "$binary" == "$lv2/Quilvern.lv2/libQuilvern.so" ]] || fail "lv2info finds the plug-in's binary at $binary"
    ok "lv2ls lists $uri, binary $binary"

    [[ "$(command -v quilvern-render)" == "$bin/quilvern-render" ]] \
        || fail "quilvern-render on the PATH is $(command -v quilvern-render || echo nothing)"
    local presets
    presets="$(quilvern-render --list-presets)" || fail "quilvern-render --list-presets failed"
    grep -q "Classic Swirl" <<<"$presets" || fail "quilvern-render --list-presets lists no \"Classic Swirl\""
    ok "quilvern-render --list-presets from the PATH: $(wc -l <<<"$presets") lines"
    [[ "$(quilvern-render --version)" == "quilvern-render $version" ]] \
        || fail "quilvern-render --version says $(quilvern-render --version)"
    ok "quilvern-render --version: quilvern-render $version"

    check_manual "$share/man/man1/quilvern-render.1.gz" quilvern-render
    check_manual "$share/man/man1/quilvern.1.gz" quilvern

    local desktop="$share/applications/quilvern.desktop"
    desktop-file-validate "$desktop" || fail "$desktop does not validate"
    local exec
    exec="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
    [[ "$(command -v "$exec")" == "$bin/quilvern" ]] || fail "$desktop starts $exec, which is not $bin/quilvern"
    ok "$desktop validates and starts $bin/quilvern"

    local icons="$share/icons/hicolor"
    for size in 48 128; do
        [[ "$(png_size "$icons/${size}x$size/apps/quilvern.png")" == "${size}x$size" ]] \
            || fail "$icons/${size}x$size/apps/quilvern.png is not $size x $size pixels"
    done
    grep -q "<svg" "$icons/scalable/apps/quilvern.svg" || fail "$icons/scalable/apps/quilvern.svg is no SVG picture"
    ok "icons: 48 and 128 pixels and scalable in $icons"
}

check_tree() {
    local prefix="$1" version="$2"

    check_layout "$prefix/lib/lv2" "$prefix/lib/vst3" "$prefix/lib/vst" "$prefix/bin" "$prefix/share" "$version"
    ls "$prefix/share/doc/quilvern/"README.md* >/dev/null 2>&1 || fail "no README in $prefix/share/doc/quilvern"
    ok "documents: $(cd "$prefix/share/doc/quilvern" && echo *)"
}

# Runs a check with the search paths of the shell, man and lilv reduced to
# the install under test and the system's own folders.
isolated() {
    local bin="$1" man="$2" lv2="$3"
    shift 3
    env PATH="$bin:/usr/bin:/bin" MANPATH="$man" LV2_PATH="$lv2" "$@"
}

cmake_install() {
    local build="$1"
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    local prefix="$work/prefix"

    cmake --install "$build" --prefix "$prefix" --strip >/dev/null
    ok "cmake --install --prefix $prefix --strip"
    isolated "$prefix/bin" "$prefix/share/man" "$prefix/lib/lv2" \
        bash "${BASH_SOURCE[0]}" tree "$prefix" "$(project_version "$build")"
}

user_install() {
    local build="$1"
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    local home="$work"

    HOME="$home" bash "$repo/tools/install-user.sh" --build "$build"
    HOME="$home" isolated "$home/.local/bin" "$home/.local/share/man" "$home/.lv2" \
        bash "${BASH_SOURCE[0]}" layout "$home/.lv2" "$home/.vst3" "$home/.vst" "$home/.local/bin" \
        "$home/.local/share" "$(project_version "$build")"

    HOME="$home" bash "$repo/tools/install-user.sh" --uninstall
    local left
    # (Only the folders the script writes: running the programs may leave
    # caches of the desktop's settings in the home.)
    left="$(find "$home/.lv2" "$home/.vst3" "$home/.vst" "$home/.local/bin" "$home/.local/share" -type f)"
    [[ -z "$left" ]] || fail "--uninstall left files behind: $left"
    ok "tools/install-user.sh --uninstall left no file behind"
}

case "${1:-}" in
    tree) check_tree "$2" "$3" ;;
    layout) shift; check_layout "$@" ;;
    cmake-install) cmake_install "$2" ;;
    user-install) user_install "$2" ;;
    *) echo "usage: $0 tree PREFIX VERSION | cmake-install BUILD | user-install BUILD" >&2; exit 2 ;;
esac
