#!/bin/bash
# Regenerates docs/worksheet.png, the picture of the worksheet in the README:
# a fresh worksheet evaluates a few typical lines offscreen and is saved as is.
#   scripts/screenshot.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DSYMCALC_CHECK_NORMAL_FORM=ON
cmake --build "$build" -j2 --target symcalc-screenshot
mkdir -p "$root/docs"
QT_QPA_PLATFORM=offscreen "$build/frontend/symcalc-screenshot" "$root/docs/worksheet.png" \
  'x:=2; x^2+1/3' \
  'sqr(2)*3' \
  'f(t):=t^2+1; f(3)' \
  'factors(360)' \
  '{3,1,2}; [1,2,3]' \
  '"Grüße"'
echo "wrote $root/docs/worksheet.png"
