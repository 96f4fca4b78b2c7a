#!/bin/bash
# Start-up time and memory of the real program, under Xvfb.
#
#   bench/startup.sh [path/to/vellora] [VOLUME]
#
# Starts the program ten times in VOLUME (sample/volume unless given; for
# example a folder of 100,000 subfolders), each time measuring the
# time from the start to the moment the "Vellora - Volume Contents" window
# is on the screen, and prints the median (target: under 150 ms). Then it
# presses Enter (Explore), prints the time until the browser window is on
# the screen, and the resident memory with the browser
# window open on the volume (target: under 60 MB on the sample volume).
#
# The window is looked for with `xdotool search` in a tight loop rather
# than with `xdotool search --sync`, which looks only every half second and
# would round every start up to 500 ms.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "${1:-$here/build/vellora}")"
volume="$(realpath "${2:-$here/sample/volume}")"
title="Vellora - Volume Contents"
runs=10

if [ -z "${VELLORA_BENCH_INNER:-}" ]; then
    export VELLORA_BENCH_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$program" "$volume"
fi

export XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_CONFIG_HOME="$(mktemp -d)"  # never touch the real settings
trap 'rm -rf "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"' EXIT

wait_for_window() {  # name pattern
    until xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do :; done
}

cd "$volume"
times=()
for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$program" 2>/dev/null &
    pid=$!
    wait_for_window "$title"
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=$(((sorted[runs / 2 - 1] + sorted[runs / 2]) / 2))
echo "start-up to the Volume Contents window: ${times[*]} ms"
echo "median: ${median} ms (target < 150 ms)"

"$program" 2>/dev/null &
pid=$!
wait_for_window "$title"
start=$(date +%s%N)
xdotool key Return
wait_for_window "^Vellora$"
end=$(date +%s%N)
echo "Explore to the browser window (tree read, file list filled): $(((end - start) / 1000000)) ms"
sleep 1  # let the window settle before measuring
rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
echo "resident memory with the browser window open: $((rss / 1024)) MB (${rss} kB, target < 60 MB)"
xdotool key Escape
wait "$pid" 2>/dev/null || true
