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

# ---- scripts: files, "-", -e and files in the order given, #!, line ends ----
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf 'a:=2\na*10\n' > "$dir/defs.sc"
printf '#!/usr/bin/env symcalc-cli\n#xff\n' > "$dir/shebang.sc"
printf '#xff\n#!x\n' > "$dir/late_shebang.sc"
printf '1\r2\r\n3\r' > "$dir/carriage.sc"
printf 'big:=%s; 0\n' "$(printf '%.0scos(' $(seq 1 1000))x$(printf '%.0s)' $(seq 1 1000))" \
  > "$dir/deep.sc"
# Each row: description | standard input | arguments | expected output.
while IFS='|' read -r description input args expected; do
  out=$(printf '%b' "$input" | eval "\"\$cli\" $args" 2>&1)
  check "$description" "$(printf '%b' "$expected")" "$out"
done <<ROWS
a file's lines in order||"$dir/defs.sc"|2\n20
files and -e as one session, in the order given||-e 'a:=5' "$dir/defs.sc" -e 'a+1'|5\n2\n20\n3
- reads standard input between files|a*a\n|"$dir/defs.sc" - -e 'ans+1'|2\n20\n4\n5
#! on a file's first line is skipped||"$dir/shebang.sc"|255
#! on a later line is evaluated||"$dir/late_shebang.sc"|255\n<Error> Illegal number format. "#"
a lone CR ends a line; CRLF is one end||"$dir/carriage.sc"|1\n2\n3
a lone CR on standard input|1+1\r2+2\r\r3|-|2\n4\n3
quit from standard input ends the whole session|quit\n|-e 1 - -e 3|1
-- makes the next argument a file||-- -e|symcalc-cli: cannot open '-e': No such file or directory
the lines before a missing file run, none after||-e 1 "$dir/no.sc" -e 2|1\nsymcalc-cli: cannot open '$dir/no.sc': No such file or directory
ROWS

# Each row: description | arguments | expected exit status.
while IFS='|' read -r description args expected; do
  eval "\"\$cli\" $args" >/dev/null 2>&1 </dev/null
  check "$description" "$expected" "$?"
done <<ROWS
--errors-exit fails on a printed error|--errors-exit -e 1 -e '1/0' -e 2|1
--errors-exit passes when no value is an error|--errors-exit -e 1 -e 'x'|0
an error value alone does not change the status|-e '1/0'|0
a missing file stops with status 2|-e 1 "$dir/no.sc" -e 2|2
a directory cannot be read: status 2|"$dir"|2
--timeout needs a number above 0|--timeout -1 -e 1|2
--timeout needs a number|--timeout=soon -e 1|2
ROWS

# ---- write errors end the tool at once with status 1 and a message ----
err=$("$cli" -e 1 -e 2 2>&1 >/dev/full); status=$?
check "a full disk: status 1 and a message" \
  "1:symcalc-cli: cannot write to standard output: No space left on device" "$status:$err"
err=$("$cli" -e 1 2>&1 >&-); status=$?
check "a closed standard output: status 1 and a message" \
  "1:symcalc-cli: cannot write to standard output: Bad file descriptor" "$status:$err"
# The reader closes the pipe and says so before the tool starts. With SIGPIPE
# ignored the write fails with EPIPE, and the tool must stop instead of going on.
reader_gone() { until [ -e "$dir/closed" ]; do sleep 0.02; done; rm -f "$dir/closed"; }
close_reader() { exec <&-; touch "$dir/closed"; }
{ reader_gone; (trap '' PIPE; exec "$cli" -e 1 2>"$dir/err"); echo $? > "$dir/status"; } | close_reader
check "a broken pipe with SIGPIPE ignored: status 1 and a message" \
  "1:symcalc-cli: cannot write to standard output: Broken pipe" "$(cat "$dir/status"):$(cat "$dir/err")"
if [ -z "$(trap -p PIPE)" ]; then
  { reader_gone; "$cli" -e 1 2>/dev/null; echo $? > "$dir/status"; } | close_reader
  check "a broken pipe with SIGPIPE as it is: the signal ends the tool" "141" "$(cat "$dir/status")"
fi

# ---- --timeout cancels a line and goes on; status 3 at the end ----
out=$("$cli" --timeout 2 "$dir/deep.sc" -e '1; diff(big,x); 2' -e 'ans' 2>"$dir/err" | tail -n +2)
status=${PIPESTATUS[0]}
check "--timeout: the completed pieces print, the rest of the line is skipped, the next line runs" \
  $'0\n1\n1' "$out"
check "--timeout: status 3 and a message naming the line" \
  "3:symcalc-cli: -e:1: cancelled after the timeout of 2 s" "$status:$(cat "$dir/err")"
out=$("$cli" --timeout 5 -e '1+1'); status=$?
check "--timeout: a quick line is not affected" "0:2" "$status:$out"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
