#!/usr/bin/env bash
# Runs the test suite under the sanitizers, each in a clang tree of its own
# beside build/:
#
#   build-tsan/  ThreadSanitizer (RelWithDebInfo)
#   build-asan/  AddressSanitizer and UndefinedBehaviorSanitizer, a Debug
#                build in which JUCE's assertions are live and logged, and
#                every assertion a test reaches fails it
#
# In each tree: every CTest test, then the concurrency stress test for
# longer than the suite runs it. Prints the reports of each tree (counted in
# all and by distinct place) and fails on any sanitizer report, on any JUCE
# assertion whose place is not in tools/sanitize-allowed-assertions.txt
# (which says why each one there is accepted), and on any failing test.
#
#   bash tools/sanitize.sh [stress seconds (default 60)] [tsan] [asan]
#
# Takes long on two cores (two more builds of JUCE and the plug-in), so it is
# not part of tools/test.sh; run it after changes that touch threads. The
# sanitizers' own reports land in build-<kind>/sanitizer-logs/, the output
# of CTest and of the stress beside them.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
kinds=("$@")
((${#kinds[@]})) || kinds=(tsan asan)

# The project's packages (tools/setup.sh), then clang and its sanitizer runtimes.
install_missing() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]})) || return 0
    local sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

if ! dpkg-query -W -f='${Status}' juce-modules-source 2>/dev/null | grep -q "install ok installed"; then
    bash "$repo/tools/setup.sh"
fi
install_missing clang libclang-rt-14-dev

export CCACHE_BASEDIR="$repo"
export CCACHE_NOHASHDIR=1

# What CTest runs: the unit and host test programs, the VST 2.4 library the
# host tests load and the factory bank check.
targets=(quilvern_tests quilvern_host_tests quilvern_vst3_host_tests quilvern_lv2_host_tests Quilvern_VST presetcheck)

# The plug-in library is linked with --no-undefined (JUCE's choice), but a
# sanitized library leaves the sanitizer's functions to the program that
# loads it (clang links the runtime into programs only; its shared TSan
# runtime crashes at start here). "-z undefs", given last (as a standard
# library, which CMake puts at the end of every link), allows that again.
configure_and_build() {
    local build="$1" type="$2" flags="$3"
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_CXX_STANDARD_LIBRARIES="-Wl,-z,undefs" > /dev/null
    nice -n 10 cmake --build "$build" --parallel 2 --target "${targets[@]}"
}

# Sums up report lines: how many, and how many distinct; lists them by
# count. Fails when there is any.
count_lines() {
    local name="$1" lines="$2" total distinct
    total="$(printf '%s' "$lines" | grep -c . || true)"
    distinct="$(printf '%s' "$lines" | sort -u | grep -c . || true)"
    echo "   $name: $total reports, $distinct distinct"
    [[ "$total" -eq 0 ]] && return 0
    printf '%s\n' "$lines" | sort | uniq -c | sort -rn | head -n 30 | sed 's/^/      /'
    return 1
}

# The sanitizers' SUMMARY lines in their report files.
count_sanitizer_reports() {
    count_lines "sanitizer" "$(cat "$@" 2>/dev/null | grep -E '^SUMMARY: [A-Za-z]+Sanitizer' || true)"
}

# JUCE's assertions in the logs, by place (file:line): those on the allowed
# list are counted apart and do not fail the run.
count_assertions() {
    local allowed places accepted others
    allowed="$(sed -e 's/#.*//' "$repo/tools/sanitize-allowed-assertions.txt" | awk 'NF { print $1 }')"
    places="$(cat "$@" 2>/dev/null | grep -oE 'JUCE Assertion failure in [^ ]+:[0-9]+' \
        | sed 's/^JUCE Assertion failure in //' || true)"
    accepted="$(printf '%s\n' "$places" | grep -Fx -f <(printf '%s\n' "$allowed") || true)"
    others="$(printf '%s\n' "$places" | grep -Fxv -f <(printf '%s\n' "$allowed") || true)"
    count_lines "JUCE assertions on the allowed list" "$accepted" || true
    count_lines "other JUCE assertions" "$others"
}

run_tree() {
    local kind="$1" build="$repo/build-$1" type flags
    case "$kind" in
        tsan)
            type=RelWithDebInfo
            flags="-fsanitize=thread -fno-omit-frame-pointer" ;;
        asan)
            # The VST 2.4 interface is a C interface whose structures the
            # host and the plug-in declare each for themselves (the host
            # tests with FST's AEffect, JUCE's client with its own of the
            # same layout), so every call across it names a different
            # function type; -fsanitize=function would report each one.
            type=Debug
            flags="-O1 -fsanitize=address,undefined -fno-sanitize=function -fno-omit-frame-pointer -DJUCE_LOG_ASSERTIONS=1" ;;
        *)
            echo "sanitize.sh: unknown kind '$kind' (tsan or asan)" >&2
            return 2 ;;
    esac

    echo "== $kind: building in $build"
    configure_and_build "$build" "$type" "$flags" || return 1

    local logs="$build/sanitizer-logs"
    rm -rf "$logs"
    mkdir -p "$logs"

    # Reports go to per-process files, so each is counted once whatever
    # CTest shows; UndefinedBehaviorSanitizer carries on after a report, so
    # that every one of them is counted.
    export TSAN_OPTIONS="log_path=$logs/report second_deadlock_stack=1"
    export ASAN_OPTIONS="log_path=$logs/report detect_leaks=1"
    export UBSAN_OPTIONS="log_path=$logs/report print_stacktrace=1"
    # JUCE's LV2 hosting, which only the host tests use, never frees what
    # its lilv world reads of the plug-in classes and options.
    printf '%s\n' "leak:lilv_plugin_class_new" "leak:lilv_world_set_option" > "$logs/leaks.supp"
    export LSAN_OPTIONS="suppressions=$logs/leaks.supp"

    local status=0
    echo "== $kind: the suite"
    # Verbose: assertions inside the loaded plug-in library print without
    # failing the host test that reached them.
    # The factory bank check has a time limit of its own that a sanitized
    # build exceeds, so it runs on its own behind the others. The install
    # check needs every program of the tree, which this one does not build;
    # tools/test.sh runs it.
    (cd "$build" && xvfb-run -a ctest --verbose --timeout 1800 -j 2 -E '^(FactoryBankPresetCheck|InstallTree)$' \
        > "$logs/ctest.txt" 2>&1) || status=1
    grep -E '^[0-9]+% tests passed|^Total Test time' "$logs/ctest.txt" || true
    sed -n '/^The following tests FAILED:/,/^Errors while running/p' "$logs/ctest.txt"
    "$build/tools/presetcheck/presetcheck" > "$logs/presetcheck.txt" 2>&1 || status=1
    tail -n 1 "$logs/presetcheck.txt"

    echo "== $kind: the concurrency stress, $seconds s"
    QUILVERN_STRESS_SECONDS="$seconds" xvfb-run -a "$build/tests/quilvern_tests" \
        --gtest_filter='ConcurrencyStress.*' > "$logs/stress.txt" 2>&1 || status=1
    tail -n 1 "$logs/stress.txt"

    echo "== $kind: reports"
    local reports=("$logs"/report.*)
    count_sanitizer_reports "${reports[@]}" || status=1
    count_assertions "$logs"/*.txt || status=1
    ((status == 0)) || echo "== $kind: FAILED (failing tests, or reports above)"
    return $status
}

overall=0
for kind in "${kinds[@]}"; do
    run_tree "$kind" || overall=1
done

if ((overall)); then
    echo "sanitize.sh: failed: failing tests or reports outside the allowed list (see build-*/sanitizer-logs/)"
else
    echo "sanitize.sh: all tests pass; no sanitizer reports; no JUCE assertions outside the allowed list"
fi
exit $overall
