#!/usr/bin/env bash
# Writes the screenshots of the viewer's image and label views into
# docs/screenshots/, at 100 and 200 percent, light and dark, from the
# sample volume's image (offscreen, settings of their own).
#   bench/viewer_screenshots.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-"$root/build"}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work"
image="$root/sample/volume/DATA/IMAGES/IMG0001.LBL"
for view in image label; do
    for theme in light dark; do
        for scale in 1 2; do
            QT_SCALE_FACTOR=$scale "$build/bench/viewer_screenshot" \
                "$root/docs/screenshots/viewer-$view-$theme-${scale}00.png" "$image" "$view" "$theme"
        done
    done
done
