#!/bin/bash
# `cmake --install` puts both programs, the desktop entry, the icon, the manual
# pages, the AppStream metadata and the licence in place.
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
failures=0
for f in bin/symcalc bin/symcalc-cli share/applications/symcalc.desktop \
         share/icons/hicolor/scalable/apps/symcalc.svg share/man/man1/symcalc.1.gz \
         share/man/man1/symcalc-cli.1.gz share/metainfo/io.github.symcalc.symcalc.metainfo.xml \
         share/doc/symcalc/copyright; do
  if [ -e "$prefix/$f" ]; then echo "ok: $f"; else echo "FAIL: $f missing"; failures=$((failures + 1)); fi
done
desktop=$prefix/share/applications/symcalc.desktop
for key in "Type=Application" "Exec=symcalc" "Icon=symcalc" "Terminal=false"; do
  grep -qx "$key" "$desktop" 2>/dev/null || { echo "FAIL: $key not in symcalc.desktop"; failures=$((failures + 1)); }
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] && echo "install layout complete"
[ "$failures" -eq 0 ]
