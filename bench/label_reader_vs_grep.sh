#!/usr/bin/env bash
# Times reading the content types of a synthetic volume of 10000 labels
# with the label reader against grep over the same files, warm cache.
#   bench/label_reader_vs_grep.sh [BUILD_DIR] [COUNT]
set -euo pipefail

build=$(cd "${1:-"$(dirname "$0")/../build"}" && pwd)
count=${2:-10000}
runs=7

volume=$(mktemp -d)
trap 'rm -rf "$volume"' EXIT

"$build/bench/make_volume" "$volume" "$count"
cd "$volume"
cat -- *.LBL > /dev/null  # warm the cache

# Best of several runs, in milliseconds.
best_grep=""
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    grep -m1 -i '^[[:space:]]*OBJECT[[:space:]]*=' -- *.LBL > /dev/null
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000 ))
    if [ -z "$best_grep" ] || [ "$ms" -lt "$best_grep" ]; then best_grep=$ms; fi
done

# Google Benchmark reports the mean time of one pass over the volume;
# take the best of the repetitions to match.
reader_csv=$(VELLORA_BENCH_VOLUME="$volume" "$build/bench/bench_label_reader" \
    --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=false \
    --benchmark_format=csv 2>/dev/null)
best_of() {
    # Column 4 of the CSV is real_time (in ms, as the benchmark reports).
    printf '%s\n' "$reader_csv" | grep "^\"$1/" | grep -v '_mean\|_median\|_stddev\|_cv' |
        cut -d, -f4 | sort -g | head -1
}
host_ms=$(best_of BM_VolumeHostPaths)
drive_ms=$(best_of BM_VolumeDrivePaths)
grep_ms=$(awk -v us="$best_grep" 'BEGIN { printf "%.3f", us / 1000 }')

awk -v g="$grep_ms" -v h="$host_ms" -v d="$drive_ms" -v n="$count" 'BEGIN {
    printf "labels:                      %d\n", n
    printf "grep -m1 -i (best of runs):  %8.3f ms\n", g
    printf "reader, host paths:          %8.3f ms   ratio reader/grep %.2f\n", h, h / g
    printf "reader, drive paths:         %8.3f ms   ratio reader/grep %.2f\n", d, d / g
}'
