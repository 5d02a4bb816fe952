#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz/ as libFuzzer programs with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer in their own tree
# (build-fuzz/, apart from the g++ tree of setup.sh), then runs each target
# for a bounded time on a copy of its seed corpus.
#
#   tools/fuzz.sh [seconds per target (default 60)] [target ...]
#
# New inputs are kept in build-fuzz/corpus/<Target>/, crashes and hangs in
# build-fuzz/artifacts/<Target>/. The script fails when a target found one.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILVERN_FUZZ_BUILD_DIR:-$repo/build-fuzz}"
seconds="${1:-60}"
shift || true

if ! command -v clang++ >/dev/null || ! command -v clang >/dev/null; then
    echo "fuzz.sh: clang is not installed; the libFuzzer programs need it. Nothing done."
    exit 0
fi

targets=("$@")
if ((${#targets[@]} == 0)); then
    for source in "$repo"/tests/fuzz/*Fuzz.cpp; do
        name="$(basename "$source" .cpp)"
        targets+=("${name%Fuzz}")
    done
fi

export CCACHE_BASEDIR="$repo"
export CCACHE_NOHASHDIR=1

# Everything is instrumented for coverage and the sanitizers; only the fuzz
# programs link libFuzzer's main. JUCE's assertions are compiled in and
# logged, and the targets end on one, so an input that reaches one is kept.
flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer -DJUCE_LOG_ASSERTIONS=1"

# Configured every time, so that a tree from before a change of flags follows it.
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DQUILVERN_FUZZ=ON > /dev/null

cmake --build "$build" --parallel 2 --target "${targets[@]/#/fuzz_}"

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    echo "== $target: ${seconds} s"

    # The committed seeds are read but never written; libFuzzer adds what it
    # finds to the first folder.
    if ! ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" UBSAN_OPTIONS="print_stacktrace=1" \
        "$build/tests/fuzz_$target" \
            -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
            -print_final_stats=1 -artifact_prefix="$artifacts/" \
            "$corpus" "$repo/tests/fuzz/corpus/$target"; then
        echo "== $target: found a failure, see $artifacts"
        status=1
    fi
done

exit $status
