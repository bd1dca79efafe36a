#!/usr/bin/env bash
# Builds the fuzzer's seed corpus from the inputs the tests already use: each
# CLI session file whole (its "> " lines, so that definitions meet later
# uses), each of its lines alone, and every string literal of the engine
# tests, which are mostly input lines and expected texts.
# Usage: make_seeds.sh TESTS_DIR OUT_DIR
set -euo pipefail
tests="$1"
out="$2"
rm -rf "$out"
mkdir -p "$out"

for session in "$tests"/sessions/*.session; do
  sed -n 's/^> //p' "$session" > "$out/session_$(basename "$session" .session)"
done

# One seed per distinct line; written by one awk process, because a process
# per seed makes this take minutes. Literals spanning source lines and the
# include paths are skipped; the escapes \" \\ \n \t are undone.
{
  sed -n 's/^> //p' "$tests"/sessions/*.session
  grep -h -v '^#include' "$tests"/engine/*.cpp "$tests"/engine/*.h |
    grep -oE '"([^"\\]|\\.)*"' |
    sed -e 's/^"//' -e 's/"$//'
} | sort -u | awk -v out="$out" '
  length($0) > 0 {
    s = ""
    for (i = 1; i <= length($0); i++) {
      c = substr($0, i, 1)
      if (c == "\\" && i < length($0)) {
        n = substr($0, ++i, 1)
        if (n == "n") c = "\n"; else if (n == "t") c = "\t"; else c = n
      }
      s = s c
    }
    f = sprintf("%s/line_%05d", out, ++count)
    printf "%s", s > f
    close(f)
  }'
echo "$(ls "$out" | wc -l) seeds in $out"
