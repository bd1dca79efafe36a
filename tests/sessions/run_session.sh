#!/usr/bin/env bash
# Runs one session file through symcalc-cli and compares the output.
# Format: a line "> text" is typed into the tool; the lines that follow, up to
# the next "> " line, are the expected output. Lines starting with "// " are comments.
set -euo pipefail
cli="$1"
session="$2"
input=$(mktemp)
expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$input" "$expected" "$actual"' EXIT
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    "> "*) printf '%s\n' "${line#> }" >> "$input" ;;
    "// "*) ;;
    *) printf '%s\n' "$line" >> "$expected" ;;
  esac
done < "$session"
"$cli" < "$input" > "$actual"
if ! diff -u "$expected" "$actual"; then
  echo "session $(basename "$session") differs (expected -, actual +)" >&2
  exit 1
fi
echo "1 passed, 0 failed"
