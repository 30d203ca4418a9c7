#!/usr/bin/env bash
# Robustness checks run by `make check` after `make test` (the normal build and its tests):
#
#  1. The whole test suite again (model and window tests) in a build with
#     AddressSanitizer and UndefinedBehaviorSanitizer (g++, build-asan).
#  2. The libFuzzer targets of fuzz/ (clang++-14, build-fuzz), each for a
#     bounded time, starting from the seed corpora in fuzz/corpus/.
#
# Any test failure, sanitizer report or fuzzer finding makes it exit non-zero.
#
# Settings (environment):
#   ASAN_BUILD=build-asan   FUZZ_BUILD=build-fuzz   JOBS=$(nproc)
#   FUZZ_SECONDS=30         seconds per fuzz target (0 skips fuzzing)
#   SKIP_ASAN_TESTS=1       only build and run the fuzz targets
#
# Longer fuzzing by hand, one target at a time (a second folder keeps what the
# run finds apart from the committed seeds; crashes are written as crash-*):
#
#   cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14
#   cmake --build build-fuzz
#   mkdir -p build-fuzz/found/workbook
#   nice -n 10 build-fuzz/fuzz_workbook -max_total_time=3600 -print_final_stats=1 \
#       build-fuzz/found/workbook fuzz/corpus/workbook
#
# Targets: fuzz_workbook (any bytes as a workbook file, then every model),
# fuzz_textstore (the help data file), fuzz_formula (N and a complexity
# formula), fuzz_realtotext (a double and a decimal count), fuzz_game (the
# business game's block and the replay of any decisions). A crash file is
# replayed with `build-fuzz/fuzz_workbook crash-...`; each one found becomes a
# test in tests/workbook/FuzzRegressions.test.cpp.
set -euo pipefail

cd "$(dirname "$0")/.."
ASAN_BUILD=${ASAN_BUILD:-build-asan}
FUZZ_BUILD=${FUZZ_BUILD:-build-fuzz}
JOBS=${JOBS:-$(nproc)}
FUZZ_SECONDS=${FUZZ_SECONDS:-30}
generator=$(command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

step() { printf '\n=== %s\n' "$*"; }

# Sanitizer reports end the process with an error, so a test that trips one
# fails. Qt and fontconfig keep caches until exit that LeakSanitizer would
# call leaks: those libraries (only) are suppressed.
mkdir -p "$ASAN_BUILD"
lsan_suppressions="$(cd "$ASAN_BUILD" && pwd)/lsan-suppressions.txt"
printf 'leak:%s\n' libfontconfig libQt6Core libQt6Gui libQt6Widgets libQt6PrintSupport \
    libcups libglib >"$lsan_suppressions"
export ASAN_OPTIONS="abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# use_tls=0: the LeakSanitizer of GCC 12 misreads the thread-local blocks that
# glibc 2.36 gives libraries opened at run time (here libjpeg, through Qt's
# image plug-ins), and its tracer then crashes at exit after a passing test.
# Our code keeps nothing in thread-local storage.
export LSAN_OPTIONS="suppressions=$lsan_suppressions:print_suppressions=0:use_tls=0"

if [ "${SKIP_ASAN_TESTS:-0}" != 1 ]; then
    step "Sanitizer build ($ASAN_BUILD)"
    cmake -S . -B "$ASAN_BUILD" -G "$generator" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DORVIK_SANITIZE=ON -DORVIK_WITH_BENCH=OFF >/dev/null
    cmake --build "$ASAN_BUILD" -j "$JOBS"

    step "Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    (cd "$ASAN_BUILD" && LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")
fi

if [ "$FUZZ_SECONDS" -gt 0 ]; then
    if ! command -v clang++-14 >/dev/null 2>&1; then
        echo "clang++-14 is missing (Debian packages clang-14 and libclang-rt-14-dev; see scripts/setup.sh)" >&2
        exit 1
    fi
    step "Fuzz targets ($FUZZ_BUILD)"
    cmake -S fuzz -B "$FUZZ_BUILD" -G "$generator" -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
    cmake --build "$FUZZ_BUILD" -j "$JOBS"

    failed=0
    for target in workbook textstore formula realtotext game; do
        step "fuzz_$target for ${FUZZ_SECONDS}s"
        found="$FUZZ_BUILD/found/$target"
        mkdir -p "$found"
        log="$FUZZ_BUILD/fuzz_$target.log"
        if "$FUZZ_BUILD/fuzz_$target" -max_total_time="$FUZZ_SECONDS" -timeout=20 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$FUZZ_BUILD/found/$target-" \
            "$found" "fuzz/corpus/$target" >"$log" 2>&1; then
            grep -E '^(Done|stat::number_of_executed_units)' "$log" || true
        else
            failed=1
            tail -n 60 "$log"
            echo "fuzz_$target FAILED: the input is in $FUZZ_BUILD/found/$target-*" >&2
        fi
    done
    if [ "$failed" -ne 0 ]; then
        exit 1
    fi
fi

step "Sanitizer tests and fuzzing passed"
