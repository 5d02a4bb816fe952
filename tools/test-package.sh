#!/usr/bin/env bash
# Builds the Debian package from the build tree (CPack, no compiling),
# checks it with lintian (errors fail, warnings are shown), installs it with
# dpkg, checks the installed files where hosts, the shell, man and the
# desktop find them (tools/check-install.sh), purges it and checks that none
# of its files are left. Installing needs root (or sudo); tools/test.sh runs
# this after the tests. Skips the install when a quilvern package is already
# installed, since the check would replace and then remove it.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_BUILD_DIR:-$repo/build}"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
package_dir="$build/package"
deb="$package_dir/quilvern_${version}_amd64.deb"

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi

echo "== Debian package"
rm -rf "$package_dir"
cpack --config "$build/CPackConfig.cmake" -B "$package_dir" >"$build/cpack.log" 2>&1 \
    || { cat "$build/cpack.log"; echo "FAIL: cpack could not build the package" >&2; exit 1; }
[[ -f "$deb" ]] || { echo "FAIL: cpack made no $deb" >&2; ls "$package_dir" >&2; exit 1; }
echo "ok: $deb ($(du -k "$deb" | cut -f1) KB)"
dpkg-deb --field "$deb" Package Version Architecture Section Depends | sed 's/^/    /'

echo "== lintian"
lintian --fail-on error --display-info "$deb" || { echo "FAIL: lintian reports errors" >&2; exit 1; }
echo "ok: lintian reports no error"

if [[ "$(dpkg-query -W -f='${Status}' quilvern 2>/dev/null)" == "install ok installed" ]]; then
    echo "skipped: a quilvern package is installed here; installing this one would replace it"
    exit 0
fi

echo "== dpkg -i"
# Minimal Debian images tell dpkg to leave out manual pages and documents
# (path-exclude in /etc/dpkg/dpkg.cfg.d); the check wants this package's
# own ones installed all the same.
trap '$sudo dpkg --purge quilvern >/dev/null 2>&1 || true' EXIT
$sudo dpkg --path-include='/usr/share/man/man1/quilvern*' --path-include='/usr/share/doc/quilvern/*' -i "$deb"
installed="$(dpkg -L quilvern)"

# Only the system's own search paths, and a home with nothing in it.
home="$(mktemp -d)"
env -u MANPATH -u LV2_PATH HOME="$home" PATH=/usr/bin:/bin bash "$repo/tools/check-install.sh" tree /usr "$version"
rm -rf "$home"

echo "== dpkg --purge"
# The settings files the plug-ins and the program write beside their
# binaries when run as root must go with the package.
settings=(/usr/lib/vst/Quilvern.ini /usr/lib/vst3/Quilvern.vst3/Contents/x86_64-linux/Quilvern.ini
    /usr/lib/lv2/Quilvern.lv2/Quilvern.ini /usr/bin/Quilvern.ini)
for file in "${settings[@]}"; do
    echo '<?xml version="1.0" encoding="UTF-8"?><UserSettings/>' | $sudo tee "$file" >/dev/null
    installed+=$'\n'"$file"
done
$sudo dpkg --purge quilvern
trap - EXIT
left=()
while IFS= read -r path; do
    # The package's own folders (not shared ones such as /usr/bin) must go too.
    if [[ -e "$path" && ( ! -d "$path" || "$path" == *uilvern* ) ]]; then
        left+=("$path")
    fi
done <<<"$installed"
((${#left[@]} == 0)) || { echo "FAIL: dpkg --purge left ${left[*]}" >&2; exit 1; }
echo "ok: dpkg --purge left none of the package's $(wc -l <<<"$installed") files and folders"
