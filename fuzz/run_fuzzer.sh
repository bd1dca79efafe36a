#!/usr/bin/env bash
# Runs the line fuzzer in one of three ways.
# Usage: run_fuzzer.sh MODE FUZZER SOURCE_DIR WORK_DIR [SECONDS]
#   replay  every kept regression input once; any report fails
#   smoke   two minutes from the seed corpus (the regression inputs included)
#           with a fixed seed, new finds kept in a scratch corpus that starts
#           empty each time
#   run     SECONDS (default 600) of fuzzing that goes on from the corpus
#           that earlier runs left in WORK_DIR/corpus
# A failing or slow input is written to WORK_DIR/artifacts/ (smoke runs:
# WORK_DIR/smoke-artifacts/); a fixed one belongs in fuzz/regressions/ (and,
# when it shows a rule, in an engine test).
set -euo pipefail
mode="$1"
fuzzer="$2"
src="$3"
work="$4"
seconds="${5:-600}"

regressions="$src/fuzz/regressions"
artifacts="$work/artifacts"
[ "$mode" = smoke ] && artifacts="$work/smoke-artifacts" && rm -rf "$artifacts"
mkdir -p "$artifacts"
# Per-input limits. An input that takes two seconds is slow: it is reported
# and kept as slow-unit-* (the slowest so far). Some work is slow by design:
# expand multiplies out powers of sums of tens of thousands of terms, which
# takes seconds in the normal build and tens of times longer under the
# sanitizers; the fuzzer cancels an input's work after half a minute, so only
# an input still running after five minutes, one that did not stop when
# asked, counts as a hang and fails. The engine needs far less memory than
# the limit on any input short enough to type.
common=(-dict="$src/fuzz/symcalc.dict" -report_slow_units=2 -timeout="${FUZZ_HANG_SECONDS:-300}"
        -rss_limit_mb=2048 -max_len=4096 -artifact_prefix="$artifacts/" -print_final_stats=1)

# Names the slow inputs kept in the artifacts folder, to be looked at.
report_slow() {
  for f in "$artifacts"/slow-unit-*; do
    [ -e "$f" ] || continue
    printf 'slow input (over 2 s): %s\n' "$(head -c 200 "$f" | tr '\n' ' ')"
  done
}

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
    if ! "$fuzzer" "${common[@]}" -seed=1 -max_total_time="${SMOKE_SECONDS:-120}" \
      "$work/smoke-corpus" "$work/seeds" "$regressions"; then
      # Mutation does not repeat exactly from run to run, so the failing
      # input goes into the log, where it survives the next run.
      for f in "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*; do
        [ -e "$f" ] || continue
        printf 'failing input %s:\n' "$(basename "$f")"
        od -c "$f" | head -40
      done
      exit 1
    fi
    report_slow
    ;;
  run)
    seeds
    mkdir -p "$work/corpus"
    "$fuzzer" "${common[@]}" -max_total_time="$seconds" "$work/corpus" "$work/seeds" "$regressions"
    report_slow
    ;;
  *)
    echo "unknown mode $mode (replay, smoke or run)" >&2
    exit 2
    ;;
esac
