#!/usr/bin/env bash
# The command-line interface itself: options, exit codes and the prompt rule.
set -uo pipefail
cli="$1"
passed=0
failed=0
check() {  # description, expected, actual
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

out=$(printf '#xff; [1,2][3,4]; {3,1,2,1}; "a;b"\n' | "$cli")
check "the four values of one line" $'255\n[1,2] [3,4]\n{1,2,3}\n"a;b"' "$out"

out=$("$cli" -e '1+1' -e 'x:=3' -e 'x*x')
check "-e lines in order" $'2\n3\n9' "$out"

out=$("$cli" -e '2' -e 'quit' -e '3')
check "quit stops -e lines" "2" "$out"

out=$(printf '1\nEnd\n2\n' | "$cli")
check "end stops the input in any case" "1" "$out"

out=$(printf 'quit;1\n' | "$cli")
check "quit;1 is two pieces" $'quit\n1' "$out"

out=$(printf '5\nans*2\n' | "$cli")
check "ans holds the last value" $'5\n10' "$out"

out=$(printf '   \n;;\n7\n' | "$cli")
check "blank pieces print nothing" "7" "$out"

out=$(printf 'X:=2\nx\n' | "$cli")
check "input is lower-cased" $'2\n2' "$out"

out=$(printf '1\r\n2\r\n' | "$cli")
check "carriage returns are dropped" $'1\n2' "$out"

out=$(printf '' | "$cli"); status=$?
check "empty input exits 0" "0:" "$status:$out"

"$cli" --bogus >/dev/null 2>&1; status=$?
check "unknown option exits 2" "2" "$status"

"$cli" -e >/dev/null 2>&1; status=$?
check "-e without a line exits 2" "2" "$status"

out=$("$cli" --help); status=$?
check "--help exits 0 and shows usage" "0:yes" "$status:$([[ $out == Usage:* ]] && echo yes)"

out=$("$cli" --version)
check "--version names the tool" "yes" "$([[ $out == symcalc-cli* ]] && echo yes)"

if command -v script >/dev/null 2>&1; then
  out=$(printf '1+1\n' | script -qec "$cli" /dev/null | tr -d '\r')
  check "a terminal gets the prompt" "yes" "$([[ $out == *'> '* ]] && echo yes)"
fi

# A program that talks to the CLI through pipes must see each answer while the
# CLI waits for its next line, not only when the input ends.
coproc CLI { "$cli"; }
# Bash unsets CLI_PID once the coprocess is reaped, so keep a copy.
cli_pid=$CLI_PID
echo '6*7' >&"${CLI[1]}"
answer=""
read -r -t 5 answer <&"${CLI[0]}"
check "an answer arrives before the next line is sent" "42" "$answer"
echo 'quit' >&"${CLI[1]}"
wait "$cli_pid" 2>/dev/null

out=$(printf '1+1\n2+2' | "$cli")
check "a last line without a newline is read" $'2\n4' "$out"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
