#!/usr/bin/env bash
# Runs symcalc-cli under valgrind's memcheck on a session that touches every
# part of the engine: the input lines of the session files, the inputs the
# fuzzer once failed on, and lines for each group of builtins, definitions,
# removals, errors and deep nesting. Any memcheck error or leak fails.
# Usage: valgrind_memcheck.sh CLI SOURCE_DIR
set -euo pipefail
if ! command -v valgrind > /dev/null; then
  echo "valgrind is not installed (make deps installs it)" >&2
  exit 1
fi
cli="$1"
src="$2"
input=$(mktemp)
output=$(mktemp)
log=$(mktemp)
trap 'rm -f "$input" "$output" "$log"' EXIT

{
  sed -n 's/^> //p' "$src"/tests/sessions/*.session
  for f in "$src"/fuzz/regressions/*; do
    tr '\n' ' ' < "$f"
    echo
  done
  cat <<'EOF'
x:=3; y:=x^2+1/3; y; x:=; y; y:=
f(a,b):=a*b+sin(a); f(2,x); f(1/2,#c(1,2)); f():=; f(1,2)
g(a):=a+1; g(a):=a+2; g(1); clearfunc(g); g(1); g():=
z:=z+1; p:=q+1; q:=p+1; clearvar(p); clearvar(q)
#k:=5; k:=6; clearvar(k); k
1/0; 2*-3; (1+2; 1+2); [1,2][3]; {1,2}3; nosuch(1); sin(1,2); sin(); "a; 'b
#b101; #xff; #xfg; #c(1, 2)*#c(3,-4); 9223372036854775807+1; -9223372036854775808
1e308*10; -1e308*10; 0.1+0.2; 1/3+0.5; 2^0.5; (-8)^(1/3); 2^64; 3^-2
exp(1); sqr(-4); abs(#c(3,4)); log(0); log(-1); pow(2,10); sgn(-2.5)
sin(pi/6); cos(1); tan(1); asin(2); acos(0.5); atan(1,2); sinh(1); acosh(0.5); atanh(2)
realpart(#c(1,2)); imagpart(#c(1,2)); phase(#c(0,1)); cis(1); conjugate(#c(1,2))
floor(7/2); ceiling(-7/2); truncate(2.7); round(2.567,2); ratio(0.75); rational(0.3333333333); float(1/7)
numerator(3/4); denominator(3/4); factorial(25); factors(600851475143); factorset(360); divisors(360)
isprime(1000000007); iszero(0); isodd(3); iseven(4); gettype(x); istype(1,"qword"); isnumber(x)
isvariaop(x+1); isinfinity(inf); isundefined(undefined); functionlist(); typelist()
array(3,2); vector(3); identity(3); det([1,2][3,4]); det([1,x,y][x,2,z][y,z,3]); scalar([1,2,3],[4,5,6])
getarg([1,2,3],1); setarg([1,2,3],1,x); getargxy([1,2][3,4],1,0); setargxy([1,2][3,4],1,0,9); width([1,2,3]); height([1,2][3,4])
untmat([1,2,3][4,5,6][7,8,9],1,1); untdet([1,2,3][4,5,6][7,8,9],0,0); [1,2][3,4]*[5,6][7,8]; [1,2]+[3,4]; [1,[2]]
into({1,2},3); union({1,x},{2,y}); minus({1,2,3},{2}); intersect({1,2,3},{2,3,4}); subset({1},{1,2}); {{1},{2,{3}}}
diff(x^3*sin(x)+exp(2*x)/x, x); diff(log(x)^x, x); diff(atan(x,y), x)
solve(x^2-5*x+6=0, x); solve(2*x+1=0, x); solve(sin(x)=1/2, x); solve(x^3=8, x)
expand((x+y)^4); expand((a+b)*(c-d)*(a-b)); factorout(x*y+x*z, x); factorout(2^x*2^y, 2)
opleft(x+y); opright(x*y); errormath(1/0); funcarg(sin(x),0); numbfuncarg(atan(x,y)); if(1>2,3,4); if(x>2,3,4); not(true)
x<y; x<=y&y<>z; a|b!c; 1..10; (x..y)..z; x=y=z; "ÀÉÎ"; 'Sym'
((((((((((((((((((((((((((((((x+1))))))))))))))))))))))))))))))^2
EOF
  # Deep input: nested parentheses within and beyond the nesting limit, and
  # a long sum, read and printed.
  printf '%.0s(' $(seq 1 400); printf 'x+1'; printf '%.0s)' $(seq 1 400); echo '^2'
  printf '%.0s(' $(seq 1 3000); printf 'x'; printf '%.0s)' $(seq 1 3000); echo
  printf 'x%d+' $(seq 1 500); echo 1
} > "$input"

if ! valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
    --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
    --log-file="$log" "$cli" < "$input" > "$output"; then
  cat "$log"
  echo "memcheck found errors in symcalc-cli" >&2
  exit 1
fi
lines=$(wc -l < "$output")
if [ "$lines" -lt 100 ]; then
  cat "$log"
  echo "symcalc-cli printed only $lines lines; the session did not run through" >&2
  exit 1
fi
grep -E "ERROR SUMMARY|definitely|indirectly|possibly" "$log" || true
echo "1 passed, 0 failed"
