#!/usr/bin/env bash
# Generates a volume with a folder of COUNT labels (DATA) and a folder of
# WIDE subfolders (WIDE), then runs bench_browser on it: the file list and
# the tree expansion in the real widgets, each beside its shell baseline in
# the same run, and the memory the list adds. With RUNS > 1 the benchmark
# runs that many times and the ratios are those of the median times (the
# machine may be busy with other work).
#   bench/browser_vs_shell.sh [BUILD_DIR] [COUNT] [WIDE] [RUNS]
set -euo pipefail

build=$(cd "${1:-"$(dirname "$0")/../build"}" && pwd)
count=${2:-10000}
wide=${3:-5000}
runs=${4:-1}

volume=$(mktemp -d)
trap 'rm -rf "$volume"' EXIT

"$build/bench/make_volume" "$volume/DATA" "$count"
mkdir "$volume/WIDE"
(cd "$volume/WIDE" && seq -f 'SUB%05g' 0 $((wide - 1)) | xargs mkdir)
# Warm the cache; names go through xargs, never one argument list.
find "$volume/DATA" -name '*.LBL' -print0 | xargs -0 cat > /dev/null

fills=() grepls=() expands=() finds=() memory=""
for ((run = 0; run < runs; run++)); do
    out=$(VELLORA_BENCH_ROOT="$volume" "$build/bench/bench_browser" --benchmark_color=false 2>/dev/null)
    printf '%s\n' "$out" | grep '^BM_'
    # Field 2 of a result line is the wall time, in milliseconds.
    time_of() { printf '%s\n' "$out" | awk -v n="$1" 'index($1, n) == 1 { print $2; exit }'; }
    fills+=("$(time_of BM_FillFileList)")
    grepls+=("$(time_of BM_GrepAndLs)")
    expands+=("$(time_of BM_ExpandFolder)")
    finds+=("$(time_of BM_FindAndSort)")
    memory=$(printf '%s\n' "$out" | awk 'index($1, "BM_ListMemory") == 1' | grep -o 'rss_MB=[0-9.]*[kM]\?' || true)
done
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

awk -v f="$(median "${fills[@]}")" -v g="$(median "${grepls[@]}")" -v e="$(median "${expands[@]}")" \
    -v d="$(median "${finds[@]}")" -v n="$count" -v w="$wide" -v r="$runs" 'BEGIN {
    if (r > 1) printf "medians of %d runs:\n", r
    printf "file list, %d labels:          %8.2f ms   grep + ls -l: %8.2f ms   ratio %.2f (target <= 2)\n", n, f, g, f / g
    printf "tree expansion, %d folders:    %8.2f ms   find + sort:  %8.2f ms   ratio %.2f (target <= 2)\n", w, e, d, e / d
}'
[ -n "$memory" ] && echo "memory the list adds (last run): $memory"
exit 0
