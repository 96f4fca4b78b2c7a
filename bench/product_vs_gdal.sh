#!/usr/bin/env bash
# Times vellora-view against GDAL on a generated 16-bit LSB image and a
# binary table (PDS3 labels), warm cache, in one run:
#   vellora-view --info IMAGE.LBL   vs  gdalinfo -stats IMAGE.LBL  and  cat IMAGE.IMG > /dev/null
#   vellora-view --export OUT.csv TABLE.LBL  vs  ogr2ogr -f CSV OUT.csv TABLE.LBL
#   bench/product_vs_gdal.sh [BUILD_DIR] [LINES] [ROWS] [RUNS]   (16384, 1000000, 3)
# Installs gdal-bin when gdalinfo or ogr2ogr is missing.
set -euo pipefail

build=$(cd "${1:-"$(dirname "$0")/../build"}" && pwd)
lines=${2:-16384}
rows=${3:-1000000}
runs=${4:-3}

if ! command -v gdalinfo > /dev/null || ! command -v ogr2ogr > /dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y gdal-bin > /dev/null || { $sudo apt-get update > /dev/null && $sudo apt-get install -y gdal-bin > /dev/null; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_product" "$work" "$lines" "$rows"
cd "$work"
cat IMAGE.IMG TABLE.DAT > /dev/null  # warm the cache

# Best wall-clock time of RUNS runs of a command, in milliseconds.
best() {
    local best_ms="" start end ms
    for _ in $(seq "$runs"); do
        rm -rf -- *.aux.xml out_gdal out_vellora.csv
        start=$(date +%s%N)
        "$@" > /dev/null
        end=$(date +%s%N)
        ms=$(( (end - start) / 1000000 ))
        if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
    done
    echo "$best_ms"
}

view="$build/vellora-view"
cat_ms=$(best sh -c 'cat IMAGE.IMG > /dev/null')
gdal_ms=$(best gdalinfo -stats IMAGE.LBL)
info_ms=$(best "$view" --info IMAGE.LBL)
ogr_ms=$(best ogr2ogr -f CSV out_gdal TABLE.LBL)
csv_ms=$(best "$view" --export out_vellora.csv TABLE.LBL)
rm -rf out_gdal

awk -v l="$lines" -v r="$rows" -v c="$cat_ms" -v g="$gdal_ms" -v i="$info_ms" -v o="$ogr_ms" -v v="$csv_ms" 'BEGIN {
    printf "image %d x %d 16-bit LSB (%d MB), table %d rows\n", l, l, l * l * 2 / 1048576, r
    printf "cat IMAGE.IMG > /dev/null         %8d ms\n", c
    printf "gdalinfo -stats IMAGE.LBL         %8d ms\n", g
    printf "vellora-view --info IMAGE.LBL     %8d ms   ratio to gdalinfo %.2f, to cat %.2f\n", i, i / g, i / c
    printf "ogr2ogr -f CSV out TABLE.LBL      %8d ms\n", o
    printf "vellora-view --export out.csv     %8d ms   ratio to ogr2ogr %.2f\n", v, v / o
}'
