#!/usr/bin/env bash
# Generates a volume with a folder of COUNT labels (DATA) and a folder of
# WIDE subfolders (WIDE), then runs bench_browser on it: the file list and
# the tree expansion in the real widgets, each beside its shell baseline in
# the same run, and the memory the list adds.
#   bench/browser_vs_shell.sh [BUILD_DIR] [COUNT] [WIDE]
set -euo pipefail

build=$(cd "${1:-"$(dirname "$0")/../build"}" && pwd)
count=${2:-10000}
wide=${3:-5000}

volume=$(mktemp -d)
trap 'rm -rf "$volume"' EXIT

"$build/bench/make_volume" "$volume/DATA" "$count"
mkdir "$volume/WIDE"
(cd "$volume/WIDE" && seq -f 'SUB%05g' 0 $((wide - 1)) | xargs mkdir)
cat -- "$volume"/DATA/*.LBL > /dev/null  # warm the cache

out=$(VELLORA_BENCH_ROOT="$volume" "$build/bench/bench_browser" --benchmark_color=false 2>/dev/null)
printf '%s\n' "$out" | grep '^BM_'
# Field 2 of a result line is the wall time, in milliseconds.
time_of() { printf '%s\n' "$out" | awk -v n="$1" 'index($1, n) == 1 { print $2; exit }'; }
fill=$(time_of BM_FillFileList)
grepls=$(time_of BM_GrepAndLs)
expand=$(time_of BM_ExpandFolder)
find=$(time_of BM_FindAndSort)

awk -v f="$fill" -v g="$grepls" -v e="$expand" -v d="$find" -v n="$count" -v w="$wide" 'BEGIN {
    printf "file list, %d labels:          %8.2f ms   grep + ls -l: %8.2f ms   ratio %.2f (target <= 2)\n", n, f, g, f / g
    printf "tree expansion, %d folders:    %8.2f ms   find + sort:  %8.2f ms   ratio %.2f (target <= 2)\n", w, e, d, e / d
}'
