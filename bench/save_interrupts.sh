#!/bin/bash
# The options' save under interruption, on the real program, under Xvfb.
#
#   bench/save_interrupts.sh [path/to/vellora] [RUNS]
#
# RUNS times (300 unless given): starts the program on sample/volume,
# presses Explore, asks it to end with SIGTERM (which closes the browser
# window, and so saves the options) and kills it with SIGKILL a random
# 0-29 ms later, mostly in the middle of the save. After every kill it
# starts the program again and ends it with SIGTERM alone, timing that exit
# (target: under 2 s), then checks the settings folder: Vellora.conf must
# hold the three options whole (no damaged file) and nothing else may lie
# beside it (no lock, no temporary file or folder). The settings live in a
# temporary XDG_CONFIG_HOME.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "${1:-$here/build/vellora}")"
runs="${2:-300}"

# -noreset: by default the X server resets whenever its last client has
# gone, which happens here after every kill, and a program connecting during
# the reset finds no display and aborts (Qt's "could not connect to
# display"), which is the server's doing, not the program's.
if [ -z "${VELLORA_BENCH_INNER:-}" ]; then
    export VELLORA_BENCH_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$program" "$runs"
fi

work="$(mktemp -d)"
export XDG_RUNTIME_DIR="$work/runtime"
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$work"' EXIT
settings="$XDG_CONFIG_HOME/Morvath"

wait_for_window() {  # pid name-pattern
    until xdotool search --onlyvisible --pid "$1" --name "$2" >/dev/null 2>&1; do
        kill -0 "$1" 2>/dev/null || return 1
    done
}

start_browser() {  # sets pid; the program's messages go to $work/stderr
    : >"$work/stderr"
    (cd "$here/sample/volume" && exec "$program" 2>"$work/stderr") &
    pid=$!
    wait_for_window "$pid" "Vellora - Volume Contents" && xdotool key Return &&
        wait_for_window "$pid" "^Vellora$" && return 0
    status=0
    wait "$pid" 2>/dev/null || status=$?
    echo "the program ended with status $status before its window showed; its messages:" >&2
    sed 's/^/    /' "$work/stderr" >&2
    return 1
}

# An exit other than the expected one is counted and its messages shown.
note_abnormal() {  # what status
    abnormal=$((abnormal + 1))
    echo "$1 ended with status $2; its messages:" >&2
    sed 's/^/    /' "$work/stderr" >&2
}

abnormal=0 damaged=0 leftovers=0 slow=0 worst=0 killed_mid=0 left_by_kill=0
for ((i = 1; i <= runs; i++)); do
    start_browser
    kill -TERM "$pid"
    sleep "0.0$((RANDOM % 30 / 10))$((RANDOM % 10))"
    if kill -KILL "$pid" 2>/dev/null; then killed_mid=$((killed_mid + 1)); fi
    status=0
    wait "$pid" 2>/dev/null || status=$?
    # Ended by the kill (137) or before it (0); anything else is a fault.
    if ((status != 0 && status != 137)); then note_abnormal "interrupted run $i" "$status"; fi
    # What the kill left, for the count of saves it interrupted.
    if [ -n "$(ls -A "$settings" 2>/dev/null | { grep -vx "Vellora.conf" || true; })" ]; then
        left_by_kill=$((left_by_kill + 1))
    fi

    start_browser
    begin=$(date +%s%N)
    kill -TERM "$pid"
    status=0
    wait "$pid" 2>/dev/null || status=$?
    if ((status != 0)); then note_abnormal "following run $i" "$status"; fi
    took=$((($(date +%s%N) - begin) / 1000000))
    ((took > worst)) && worst=$took
    ((took > 2000)) && slow=$((slow + 1))

    if ! grep -q '^File%20Mask=' "$settings/Vellora.conf" || ! grep -q '^Translate=' "$settings/Vellora.conf" ||
        ! grep -q '^Show%20Full%20Path=' "$settings/Vellora.conf"; then
        damaged=$((damaged + 1))
    fi
    others=$(ls -A "$settings" | { grep -cvx "Vellora.conf" || true; })
    if ((others > 0)); then
        leftovers=$((leftovers + 1))
        ls -A "$settings" >&2
    fi
done
echo "runs: $runs (SIGKILL reached a running program in $killed_mid)"
echo "kills that left a lock or a saving folder behind (a save interrupted): $left_by_kill"
echo "exits other than the expected ones (with their messages above): $abnormal"
echo "damaged settings files: $damaged"
echo "runs with leftover lock or temporary files after the next exit: $leftovers"
echo "exits after SIGTERM slower than 2 s: $slow (slowest $worst ms)"
