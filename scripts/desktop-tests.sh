#!/usr/bin/env bash
# The window tests that need a real window manager (tests/desktop): starts
# its own Xvfb on a free display and openbox in it, runs the tests there and
# stops both, also when the tests fail or are interrupted. Run by `make check`.
#
#   scripts/desktop-tests.sh [build folder, default build]
set -euo pipefail

cd "$(dirname "$0")/.."
BUILD=${1:-build}
tests="$BUILD/desktoptest_windows"
patience=30 # seconds for the display or the window manager to come up

for tool in Xvfb openbox xdotool xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is missing (Debian packages xvfb, openbox, xdotool, x11-utils; see scripts/setup.sh)" >&2
        exit 1
    fi
done
if [ ! -x "$tests" ]; then
    echo "$tests is missing: build the project first (make build BUILD=$BUILD)" >&2
    exit 1
fi

xvfb="" wm="" log=$(mktemp -d)
stop() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$log"
    return 0
}
trap stop EXIT
trap 'exit 130' INT TERM

# Waits until `check` succeeds, up to $patience seconds; fails when the
# process `pid` has ended meanwhile.
wait_until() {
    local pid=$1
    shift
    local deadline=$((SECONDS + patience))
    until "$@" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || return 1
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# A display nobody uses: another X server (or another run of these tests)
# may take one between the look and the start, so the next is tried then.
display=""
for n in $(seq 90 189); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$log/xvfb" 2>&1 &
    xvfb=$!
    if wait_until "$xvfb" xprop -display ":$n" -root; then
        display=":$n"
        break
    fi
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    xvfb=""
done
if [ -z "$display" ]; then
    echo "no X display could be started:" >&2
    cat "$log/xvfb" >&2
    exit 1
fi

export DISPLAY=$display
openbox --sm-disable >"$log/openbox" 2>&1 &
wm=$!
if ! wait_until "$wm" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
    echo "openbox did not start on $display:" >&2
    cat "$log/openbox" >&2
    exit 1
fi

echo "Window tests on $display under openbox"
LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 QT_QPA_PLATFORM=xcb "$tests"
