#!/bin/bash
# Regenerates the gallery of typical results in docs/gallery/: formulas as
# the worksheet draws them, and a plot. Each picture is a fresh worksheet
# that evaluates a few lines offscreen.
#   scripts/gallery.sh [BUILD_DIR [OUT_DIR]]     (default: build, docs/gallery)
# Given OUT_DIR, the pictures go there and the screenshot tool must be built
# already: the test that keeps the gallery unchanged renders it that way.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-}
if [ -z "$out" ]; then
  [ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DSYMCALC_CHECK_NORMAL_FORM=ON
  cmake --build "$build" -j2 --target symcalc-screenshot
  out=$root/docs/gallery
fi
mkdir -p "$out"
shot() {
  QT_QPA_PLATFORM=offscreen "$build/frontend/symcalc-screenshot" "$@"
  echo "wrote $1"
}
shot "$out/formulas.png" \
  '1/3 + x/6; -2*x^(-3); (x+1)/(x-1)' \
  'diff(sin(x)/x, x)' \
  'f(t):=t^2+1; f(a/b)' \
  'sqr(2)*3; x^(y^2); (-2)^n' \
  'expand((x+1)^3)'
shot "$out/structures.png" \
  '[1, x/2, 3][4, 5, 6][7, 8, 9]' \
  '{1, {2, 3}, {}}; solve(x^2-2=0, x)' \
  '#c(1/2, -3); inf; -inf; a..b' \
  "'sym'; \"text\"; det(5)"
shot "$out/plot.png" \
  'p := plot(x*sin(x), x = -10..10); x := 5' \
  'x'
