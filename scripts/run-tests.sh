#!/usr/bin/env bash
# Runs the whole test suite of one build folder and ends with a summary that
# names every skipped test and why it was skipped.
#
#   scripts/run-tests.sh [build folder, default build] [parallel jobs, default nproc]
set -euo pipefail

cd "$(dirname "$0")/.."
BUILD=${1:-build}
JOBS=${2:-$(nproc)}
junit="$PWD/$BUILD/test-results.xml"

# The tests run as on a student's desktop: in Russian, where the C library
# writes numbers with a decimal comma. (The export tests run once more in the
# C locale; ctest sets that for them.)
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8

status=0
(cd "$BUILD" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" \
    --output-junit "$junit") || status=$?

# ctest names skipped tests but not the reason; the reason is in each test's output.
python3 - "$junit" <<'PY'
import re, sys, xml.etree.ElementTree as ET
try:
    cases = ET.parse(sys.argv[1]).getroot().iter("testcase")
except (OSError, ET.ParseError) as e:
    print(f"no test results to summarise: {e}")
    sys.exit(0)
counts = {"run": 0, "fail": 0, "skipped": 0}
skipped = []
for case in cases:
    status = case.get("status", "run")
    if case.find("skipped") is not None:
        status = "skipped"
    counts[status if status in counts else "run"] += 1
    if status == "skipped":
        out = case.findtext("system-out") or ""
        why = re.findall(r"(?:ORVIK-SKIP: .*|Skipped\s*\n.*)", out)
        reason = why[0].replace("Skipped", "").strip() if why else "(no reason printed)"
        skipped.append(f"  {case.get('name')}: {reason}")
total = sum(counts.values())
print(f"\nTests: {total}, passed {counts['run']}, failed {counts['fail']}, skipped {counts['skipped']}")
for line in skipped:
    print(line)
PY
exit $status
