#!/bin/bash
# Without a reachable display symcalc must fail loudly and point to symcalc-cli.
set -u
symcalc=$1
failures=0
check() {
  local what=$1; shift
  local err status
  err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "$@" "$symcalc" 2>&1 >/dev/null </dev/null)
  status=$?
  if [ "$status" -ne 1 ]; then
    echo "FAIL ($what): exit status $status, expected 1"; failures=$((failures + 1))
  elif ! grep -q "symcalc-cli" <<<"$err"; then
    echo "FAIL ($what): the message does not mention symcalc-cli:"; echo "$err"
    failures=$((failures + 1))
  else
    echo "ok ($what)"
  fi
}
check "DISPLAY unset" env -u DISPLAY
check "DISPLAY unreachable" env DISPLAY=:9876
echo "$((2 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
