#!/usr/bin/env bash
# Measures the viewer window, warm cache, in one run.
#
# Image part: on a generated 16384 x 16384 16-bit image (PDS3 label),
#   - the time to the first picture in the window (viewer_image first:
#     program start, window, label, reduced picture read and drawn) against
#     gdal_translate -outsize 1024 1024 -of PNG of the same file, best of RUNS;
#   - the resident memory at fit, at 1:1 and while panning across the whole
#     image at 1:1 (viewer_image memory), and the peak.
#
# Table and plot part: bench_viewer_views (first rows and the jump to the
# last row of 10,000,000; first plot and zooms of 1,000,000 points).
#
#   bench/viewer.sh [BUILD_DIR] [LINES] [RUNS]   (16384, 5)
# Installs gdal-bin when gdal_translate is missing.
set -euo pipefail

build=$(cd "${1:-"$(dirname "$0")/../build"}" && pwd)
lines=${2:-16384}
runs=${3:-5}

if ! command -v gdal_translate > /dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y gdal-bin > /dev/null || { $sudo apt-get update > /dev/null && $sudo apt-get install -y gdal-bin > /dev/null; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The window runs offscreen, with settings of its own.
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config"
"$build/bench/make_product" "$work" "$lines" 1
cd "$work"
cat IMAGE.IMG > /dev/null  # warm the cache

# Best wall-clock time of RUNS runs of a command, in milliseconds.
best() {
    local best_ms="" start end ms
    for _ in $(seq "$runs"); do
        rm -f IMAGE.IMG.aux.xml out_gdal.png out_gdal.png.aux.xml
        start=$(date +%s%N)
        "$@" > /dev/null 2>&1
        end=$(date +%s%N)
        ms=$(( (end - start) / 1000000 ))
        if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
    done
    echo "$best_ms"
}

gdal_ms=$(best gdal_translate -q -outsize 1024 1024 -of PNG IMAGE.LBL out_gdal.png)
first_ms=$(best "$build/bench/viewer_image" first IMAGE.LBL)
awk -v l="$lines" -v g="$gdal_ms" -v f="$first_ms" 'BEGIN {
    printf "image %d x %d 16-bit LSB (%d MB)\n", l, l, l * l * 2 / 1048576
    printf "gdal_translate -outsize 1024 1024 -of PNG   %6d ms\n", g
    printf "viewer window, first picture               %6d ms   ratio to gdal_translate %.2f\n", f, f / g
}'
echo "resident memory of the viewer window:"
"$build/bench/viewer_image" memory IMAGE.LBL 2> /dev/null | sed 's/^/  /'

# Table and plot part: a 10,000,000-row table and a 1,000,000-point
# series, the real widgets driven offscreen (see README.md).
"$build/bench/bench_viewer_views"
