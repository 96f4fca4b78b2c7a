#!/bin/bash
# Start-up on hostile description files, against the sample volume, under
# Xvfb.
#
#   bench/hostile_startup.sh [path/to/vellora]
#
# Writes two volumes into a temporary folder: one whose AAREADME.TXT is a
# sparse file of 16 GiB (one line of NUL bytes), one whose AAREADME.TXT
# holds 100,000 lines of 65,535 NUL bytes each (6.5 GB, written sparse but
# for the line ends). For each, and for sample/volume, it starts the
# program three times and prints the median time from the start to the
# "Vellora - Volume Contents" window, and the resident memory with that
# window shown (targets: under 1 s, and under 100 MB more than on the
# sample volume).
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "${1:-$here/build/vellora}")"
title="Vellora - Volume Contents"
runs=3

if [ -z "${VELLORA_BENCH_INNER:-}" ]; then
    export VELLORA_BENCH_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$program"
fi

work="$(mktemp -d)"
export XDG_RUNTIME_DIR="$work/runtime"
export XDG_CONFIG_HOME="$work/config"  # never touch the real settings
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$work"' EXIT

mkdir "$work/sparse" "$work/nullines"
truncate -s 16G "$work/sparse/AAREADME.TXT"
python3 - "$work/nullines/AAREADME.TXT" <<'PY'
import sys
with open(sys.argv[1], "wb") as f:
    for i in range(100000):
        f.seek(i * 65536 + 65535)
        f.write(b"\n")
PY

wait_for_window() {  # name pattern
    until xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do :; done
}

measure() {  # label volume
    local times=() rss=0
    for ((i = 0; i < runs; i++)); do
        (cd "$2" && exec "$program" 2>/dev/null) &
        local pid=$!
        local start=$(date +%s%N)
        wait_for_window "$title"
        local end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
        rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    done
    local sorted=($(printf '%s\n' "${times[@]}" | sort -n))
    printf '%-34s %6d ms (runs: %s)   resident %4d MB\n' "$1" "${sorted[runs / 2]}" "${times[*]}" $((rss / 1024))
}

measure "sample volume" "$here/sample/volume"
measure "16 GiB sparse AAREADME.TXT" "$work/sparse"
measure "100,000 lines of 65,535 NULs" "$work/nullines"
