#!/usr/bin/env bash
# Runs the line fuzzer in one of three ways.
# Usage: run_fuzzer.sh MODE FUZZER SOURCE_DIR WORK_DIR [SECONDS]
#   replay  every kept regression input once; any report fails
#   smoke   two minutes from the seed corpus (the regression inputs included)
#           with a fixed seed, new finds kept in a scratch corpus that starts
#           empty each time
#   run     SECONDS (default 600) of fuzzing that goes on from the corpus
#           that earlier runs left in WORK_DIR/corpus
# A failing input is written to WORK_DIR/artifacts/; a fixed one belongs in
# fuzz/regressions/ (and, when it shows a rule, in an engine test).
set -euo pipefail
mode="$1"
fuzzer="$2"
src="$3"
work="$4"
seconds="${5:-600}"

regressions="$src/fuzz/regressions"
mkdir -p "$work/artifacts"
# Per-input limits: a line that takes two seconds is a hang, and the engine
# needs far less memory than this on any input short enough to type.
common=(-dict="$src/fuzz/symcalc.dict" -timeout=2 -rss_limit_mb=2048 -max_len=4096
        -artifact_prefix="$work/artifacts/" -print_final_stats=1)

seeds() {
  bash "$src/fuzz/make_seeds.sh" "$src/tests" "$work/seeds"
}

case "$mode" in
  replay)
    inputs=("$regressions"/*)
    if [ ! -e "${inputs[0]}" ]; then
      echo "no regression inputs in $regressions" >&2
      exit 1
    fi
    "$fuzzer" "${common[@]}" "${inputs[@]}"
    echo "${#inputs[@]} passed, 0 failed"
    ;;
  smoke)
    seeds
    rm -rf "$work/smoke-corpus"
    mkdir -p "$work/smoke-corpus"
    # With a fixed seed the inputs come in the same order every time; two
    # minutes decide how far down that sequence a run gets.
    "$fuzzer" "${common[@]}" -seed=1 -max_total_time="${SMOKE_SECONDS:-120}" \
      "$work/smoke-corpus" "$work/seeds" "$regressions"
    ;;
  run)
    seeds
    mkdir -p "$work/corpus"
    "$fuzzer" "${common[@]}" -max_total_time="$seconds" "$work/corpus" "$work/seeds" "$regressions"
    ;;
  *)
    echo "unknown mode $mode (replay, smoke or run)" >&2
    exit 2
    ;;
esac
