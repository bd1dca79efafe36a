#!/usr/bin/env bash
# The README's tour table must say what the program does. In every row the
# "You type" cell opens with the lines typed (code spans) and the "You get"
# cell with what each of them prints, in order, before any remark in
# parentheses. Each row runs as one session of symcalc-cli. Cells are split at
# "|", so a code span in the table cannot hold one.
set -uo pipefail
cli="$1"
readme="$2"

leading_spans() {
  local rest="$1" re='^[[:space:]]*`([^`]*)`[[:space:]]*,?(.*)$'
  while [[ $rest =~ $re ]]; do
    printf '%s\n' "${BASH_REMATCH[1]}"
    rest=${BASH_REMATCH[2]}
  done
}

rows=$(awk '/^## A short tour/ { on = 1; next } on && /^## / { exit } on && /^\| `/ { print }' "$readme")
if [ -z "$rows" ]; then
  echo "FAIL: no tour table found in $readme"
  exit 1
fi
passed=0
failed=0
while IFS= read -r row; do
  mapfile -t typed < <(leading_spans "$(cut -d'|' -f2 <<<"$row")")
  mapfile -t expected < <(leading_spans "$(cut -d'|' -f3 <<<"$row")")
  if [ "${#typed[@]}" -eq 0 ] || [ "${#typed[@]}" -ne "${#expected[@]}" ]; then
    failed=$((failed + 1))
    printf 'FAIL: %d lines typed but %d results given in the row\n  %s\n' \
      "${#typed[@]}" "${#expected[@]}" "$row"
    continue
  fi
  args=()
  for line in "${typed[@]}"; do args+=(-e "$line"); done
  actual=$("$cli" "${args[@]}")
  want=$(printf '%s\n' "${expected[@]}")
  if [ "$actual" == "$want" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "$row" "$want" "$actual"
  fi
done <<<"$rows"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
