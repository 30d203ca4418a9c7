#!/usr/bin/env bash
# Line and branch coverage of the model library (the code without Qt) by the
# model tests: a build without windows, instrumented with --coverage, runs its
# tests and gcovr reports on the model's own sources.
#
#   scripts/coverage.sh [build folder, default build-coverage]
# Settings (environment): JOBS=$(nproc)
set -euo pipefail

cd "$(dirname "$0")/.."
BUILD=${1:-build-coverage}
JOBS=${JOBS:-$(nproc)}
generator=$(command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

cmake -S . -B "$BUILD" -G "$generator" -DCMAKE_BUILD_TYPE=Debug -DORVIK_WITH_UI=OFF \
    -DORVIK_WITH_BENCH=OFF -DORVIK_COVERAGE=ON >/dev/null
cmake --build "$BUILD" -j "$JOBS"
find "$BUILD" -name '*.gcda' -delete
(cd "$BUILD" && ctest -j "$JOBS" --output-on-failure) >"$BUILD/coverage-tests.log" 2>&1 || {
    tail -n 40 "$BUILD/coverage-tests.log"
    echo "some tests failed; coverage below counts what ran" >&2
}

# Only the model library is instrumented (the build has no windows).
report() {
    gcovr --root . --filter 'src/' \
        --exclude-unreachable-branches --exclude-throw-branches -j "$JOBS" "$@" "$BUILD"
}
report --branches --txt "$BUILD/coverage-branches.txt"
report --txt "$BUILD/coverage-lines.txt" --print-summary | grep -E '^(lines|branches):'
echo "Per file: $BUILD/coverage-lines.txt (lines), $BUILD/coverage-branches.txt (branches)"
