#!/usr/bin/env bash
# Times the search for a missing helper against find over the same tree of
# 100,000 entries in 10,000 folders, warm cache: a name that is absent (the
# whole tree) and a file met half-way. The search runs with its progress
# window shown (offscreen) and stepped at every folder.
#   bench/search_vs_find.sh [BUILD_DIR]
set -euo pipefail

build=$(cd "${1:-"$(dirname "$0")/../build"}" && pwd)
runs=9

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree="$work/Tree"
"$build/bench/make_tree" "$tree" > /dev/null
find "$tree" > /dev/null  # warm the cache

# Best of several runs of find, in microseconds.
best_find() {
    local best="" start end us
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        find "$tree" -iname "$1" -print -quit > /dev/null
        end=$(date +%s%N)
        us=$(( (end - start) / 1000 ))
        if [ -z "$best" ] || [ "$us" -lt "$best" ]; then best=$us; fi
    done
    echo "$best"
}
find_absent_us=$(best_find absent.exe)
find_halfway_us=$(best_find halfway.exe)

# Google Benchmark: best of the repetitions (real time, in ms).
csv=$(VELLORA_BENCH_TREE="$tree" "$build/bench/bench_search" \
    --benchmark_repetitions="$runs" --benchmark_format=csv 2>/dev/null)
best_of() {
    # Columns: name, iterations, real_time, cpu_time, time_unit, ...
    printf '%s\n' "$csv" | grep "^\"$1\"," | cut -d, -f3 | sort -g | head -1
}
search_absent=$(best_of BM_SearchAbsent)
search_halfway=$(best_of BM_SearchHalfway)
walk_only=$(best_of BM_SearchAbsentWalkOnly)

awk -v fa="$find_absent_us" -v fh="$find_halfway_us" -v sa="$search_absent" -v sh="$search_halfway" \
    -v w="$walk_only" 'BEGIN {
    fa /= 1000; fh /= 1000
    printf "tree: 100,000 entries in 10,000 folders (best of runs, warm cache)\n"
    printf "absent name:  find %8.1f ms   search %8.1f ms   ratio %.2f\n", fa, sa, sa / fa
    printf "half-way:     find %8.1f ms   search %8.1f ms   ratio %.2f\n", fh, sh, sh / fh
    printf "absent name, search without progress window: %8.1f ms   ratio %.2f\n", w, w / fa
}'
