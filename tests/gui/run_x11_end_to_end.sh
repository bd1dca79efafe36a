#!/bin/bash
# Runs x11_driver against symcalc on a private X server; skips (77) when no
# X server can be started here or xclip is missing.
set -u
driver=$1 symcalc=$2 picture=$3
if ! command -v xvfb-run >/dev/null; then
  echo "SKIP: xvfb-run is not installed (package xvfb); the end-to-end test needs an X server"
  exit 77
fi
if ! command -v xclip >/dev/null; then
  echo "SKIP: xclip is not installed (package xclip); the end-to-end test reads the clipboard with it"
  exit 77
fi
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1024x768x24" "$driver" "$symcalc" "$picture"
