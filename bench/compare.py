#!/usr/bin/env python3
"""Times symcalc-cli against the peer computer-algebra systems on the same work.

Every workload is written in each system's own language, run as a whole
process (start-up included), several times and interleaved so that a busy
moment of the machine hits all systems alike; the median counts. The answers
are checked against each other before a time is believed: a fast wrong answer
is worse than a slow one.

Usage: compare.py [--cli PATH] [--runs N] [--only 1,2,...] [--systems a,b,...]
Peers that are not installed are skipped (Debian: ginac-tools, pari-gp,
maxima, python3-sympy).
"""

import argparse
import os
import platform
import random
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from fractions import Fraction

MARK = "checkmark"  # printed by every system before each checked answer
TIMEOUT = 600


# --------------------------------------------------------------------------
# The systems: how to run a program text.

def symcalc_command(cli):
    return lambda text, tmp: ([cli], text)


def ginsh_command(text, tmp):
    return (["ginsh"], text)


def gp_command(text, tmp):
    return (["gp", "-q", "-f", "--default", "parisizemax=1000000000"], text)


def maxima_command(text, tmp):
    return (["maxima", "--very-quiet"], "display2d:false$\nlinel:100000$\n" + text)


def sympy_command(text, tmp):
    path = os.path.join(tmp, "program.py")
    with open(path, "w") as f:
        f.write("from sympy import *\nx, y, z = symbols('x y z')\n" + text)
    return ([SYMPY_PYTHON, path], "")


SYMPY_PYTHON = "/usr/bin/python3"


def sympy_available():
    if not os.path.exists(SYMPY_PYTHON):
        return False
    return subprocess.run([SYMPY_PYTHON, "-c", "import sympy"],
                          capture_output=True).returncode == 0


# --------------------------------------------------------------------------
# The workloads. Each returns {system: program text}; None means the system
# has no way to do the work in its own language.

def scripts(sc, gi, gp, mx, sp):
    """One workload's input for each system, a line per list entry."""
    lines = {"symcalc": sc, "ginsh": gi, "gp": gp, "maxima": mx, "sympy": sp}
    return {name: "\n".join(ls) + "\n" for name, ls in lines.items()}


def w_startup(rng):
    return {
        "symcalc": f"{MARK}\n1+1\n",
        "ginsh": f"{MARK};\n1+1;\n",
        "gp": f"print(\"{MARK}\")\nprint(1+1)\n",
        "maxima": f"{MARK};\n1+1;\n",
        "sympy": f"print('{MARK}')\nprint(Integer(1)+1)\n",
    }


def fraction_lines(rng):
    lines = []
    for _ in range(20000):
        a, b, c, d, e, f = (rng.randint(1, 99) for _ in range(6))
        op = rng.choice("+-*")
        lines.append((a, b, c, d, e, f, op))
    return lines


def w_fractions(rng):
    lines = fraction_lines(rng)

    def text(fmt):
        return "".join(fmt(*l) for l in lines)
    return {
        "symcalc": text(lambda a, b, c, d, e, f, op: f"{a}/{b}{op}{c}/{d}*{e}/{f}\n"),
        "ginsh": text(lambda a, b, c, d, e, f, op: f"{a}/{b}{op}{c}/{d}*{e}/{f};\n"),
        "gp": text(lambda a, b, c, d, e, f, op: f"print({a}/{b}{op}{c}/{d}*{e}/{f})\n"),
        "maxima": text(lambda a, b, c, d, e, f, op: f"{a}/{b}{op}{c}/{d}*{e}/{f};\n"),
        "sympy": "R = Rational\n" + text(
            lambda a, b, c, d, e, f, op: f"print(R({a},{b}){op}R({c},{d})*R({e},{f}))\n"),
    }


def term_by_term(terms, point):
    """s := s + t for every term t, one at a time, then s at the point.

    terms holds (t written with ^, t written with **); point holds
    (name, value) pairs."""
    out = {s: [] for s in ("symcalc", "ginsh", "gp", "maxima", "sympy")}
    out["symcalc"].append("s:=0")
    out["ginsh"].append("s=0:")
    out["gp"].append("s=0;")
    out["maxima"].append("s:0$")
    out["sympy"].append("s=Integer(0)")
    # Every symcalc line prints its value, so its 25 additions between two
    # printouts share one line: s:=s+t1+...+t25 still adds one term at a time.
    pending = []
    for n, (caret, stars) in enumerate(terms, 1):
        pending.append(caret)
        out["ginsh"].append(f"s=s+{caret}:")
        out["gp"].append(f"s=s+{caret};")
        out["maxima"].append(f"s:s+{caret}$")
        out["sympy"].append(f"s=s+{stars}")
        if n % 25 == 0 or n == len(terms):
            out["symcalc"].append("s:=s+" + "+".join(pending))
            pending = []
            out["ginsh"].append("s;")
            out["gp"].append("print(s)")
            out["maxima"].append("s;")
            out["sympy"].append("print(s)")
    substituted = "s"
    for name, value in point:
        substituted = f"subst({substituted},{name},{value})"
    out["symcalc"] += ["; ".join(f"{n}:={v}" for n, v in point), MARK, "s"]
    out["ginsh"] += [f"{MARK};", "subs(s,{" + ",".join(f"{n}=={v}" for n, v in point) + "});"]
    out["gp"] += [f"print(\"{MARK}\")", f"print({substituted})"]
    out["maxima"] += [f"{MARK};", "ev(s," + ",".join(f"{n}={v}" for n, v in point) + ");"]
    out["sympy"] += [f"print('{MARK}')",
                     "print(s.subs({" + ",".join(f"{n}:{v}" for n, v in point) + "}))"]
    return {k: "\n".join(v) + "\n" for k, v in out.items()}


def w_symbolic_sum(rng):
    terms = []
    for _ in range(700):
        c = rng.choice([-1, 1]) * rng.randint(1, 99)
        terms.append((c, rng.randint(0, 5), rng.randint(0, 5), rng.randint(0, 5)))

    def mono(c, i, j, k, pw):
        return f"({c})*x{pw}{i}*y{pw}{j}*z{pw}{k}"
    return term_by_term([(mono(*t, "^"), mono(*t, "**")) for t in terms],
                        [("x", 2), ("y", 3), ("z", 5)])


# s := s + k*x^k for k = 1 ... n, valued at x = 1/3 (near 3/4).
def w_power_sum(n):
    return lambda rng: term_by_term([(f"{k}*x^{k}", f"{k}*x**{k}") for k in range(1, n + 1)],
                                    [("x", "1/3")])


# Two points where every term of the expansion stays a small integer, so the
# sums are exact in every system.
POINTS = [(1, -1, 1), (-1, -1, 1)]


def power_expansion(base, n, names, points, result="w"):
    """expand(base^n), then its value at each point (one value per name)."""
    sc = [f"{result}:=expand(({base})^{n})"]
    gi = [f"{result}=expand(({base})^{n});"]
    gp = [f"{result}=({base})^{n};", f"print({result})"]
    mx = [f"{result}:expand(({base})^{n});"]
    sp = [f"{n_} = symbols('{n_}')" for n_ in names if n_ not in "xyz"]
    sp += [f"{result}=expand(({base})**{n})", f"print({result})"]
    for values in points:
        pairs = list(zip(names, values))
        substituted = result
        for name, v in pairs:
            substituted = f"subst({substituted},{name},{v})"
        sc += ["; ".join(f"{name}:={v}" for name, v in pairs), MARK, result,
               "; ".join(f"clearvar({name})" for name, _ in pairs)]
        gi += [f"{MARK};", f"subs({result},{{" + ",".join(f"{name}=={v}" for name, v in pairs) + "});"]
        gp += [f"print(\"{MARK}\")", f"print({substituted})"]
        mx += [f"{MARK};", f"ev({result}," + ",".join(f"{name}={v}" for name, v in pairs) + ");"]
        sp += [f"print('{MARK}')",
               f"print({result}.subs({{" + ",".join(f"{name}:{v}" for name, v in pairs) + "}))"]
    return scripts(sc, gi, gp, mx, sp)


def w_expand(rng):
    return power_expansion("x+y+z+1", 30, "xyz", POINTS)


# Points where no terms cancel: the coefficients of the fortieth power run
# past 64 bits, and a sum of such terms that cancels to a small number would
# not survive doubles.
POINTS_FIVE = [(1, 1, 1, 1), (2, 1, 1, 1)]


def w_expand_five(rng):
    return power_expansion("x+y+z+w+1", 40, "xyzw", POINTS_FIVE, result="r")


# sin nested `depth` deep, differentiated and valued at x = 1/2. ginsh reads
# nesting only a few hundred deep, so it builds the function one level a line.
def w_nested_sin_diff(depth):
    def make(rng):
        nested = "sin(" * depth + "x" + ")" * depth
        return {
            "symcalc": f"d:=diff({nested},x)\nx:=0.5\n{MARK}\nd\n",
            "ginsh": "f=x:\n" + "f=sin(f):\n" * depth +
                     f"d=diff(f,x):\n{MARK};\nevalf(subs(d,x==1/2));\n",
            "gp": None,  # gp's sin(x) of a variable is a power series, not a function
            "maxima": "f:x$\n" + "f:sin(f)$\n" * depth +
                      f"d:diff(f,x)$\n{MARK};\nfloat(ev(d,x=1/2));\n",
            "sympy": f"f=x\nfor i in range({depth}):\n    f=sin(f)\nd=diff(f,x)\n"
                     f"print('{MARK}')\nprint(d.subs(x,Rational(1,2)).evalf())\n",
        }
    return make


# 100,000 integers in descending order, the worst order for inserting one at
# a time; the answer is the number of elements.
def w_set_literal(rng):
    numbers = ",".join(str(k) for k in range(100000, 0, -1))
    return {
        "symcalc": f"{MARK}\nwidth({{{numbers}}})\n",
        "ginsh": None,  # ginsh has lists, not sets
        "gp": f"print(\"{MARK}\")\nprint(#Set([{numbers}]))\n",
        "maxima": f"{MARK};\nlength({{{numbers}}});\n",
        "sympy": f"print('{MARK}')\nprint(len(FiniteSet(*[{numbers}])))\n",
    }


# A line of 1,000,000 nested parentheses, which every system refuses; the
# checked answer is the line before it (ginsh stops reading after the refusal).
def w_deep_parentheses(rng):
    deep = "(" * 1000000 + "1" + ")" * 1000000
    return {
        "symcalc": f"{MARK}\n1+1\n{deep}\n",
        "ginsh": f"{MARK};\n1+1;\n{deep};\n",
        "gp": f"print(\"{MARK}\")\nprint(1+1)\n{deep}\n",
        "maxima": None,
        "sympy": None,
    }


def w_diff(rng):
    parts = []
    for _ in range(120):
        c = rng.randint(1, 9) * rng.choice([-1, 1])
        i = rng.randint(0, 4)
        k = rng.randint(1, 3)
        kind = rng.choice(["sin", "cos", "exp", "log"])
        parts.append((c, i, k, kind))

    def term(c, i, k, kind, pw):
        arg = "x" if kind == "log" else f"{k}*x"
        return f"({c})*x{pw}{i}*{kind}({arg})"

    f_caret = "+".join(term(*p, "^") for p in parts)
    f_py = "+".join(term(*p, "**") for p in parts)
    # x = 1/2 keeps log defined; the answer is compared as a double.
    return {
        "symcalc": f"d:=diff({f_caret},x)\nx:=0.5\n{MARK}\nd\n",
        "ginsh": f"d=diff({f_caret},x);\n{MARK};\nevalf(subs(d,x==1/2));\n",
        "gp": None,  # gp's sin(x) of a variable is a power series, not a function
        "maxima": f"d:diff({f_caret},x);\n{MARK};\nfloat(ev(d,x=1/2));\n",
        "sympy": f"d=diff({f_py},x)\nprint(d)\nprint('{MARK}')\nprint(d.subs(x,Rational(1,2)).evalf())\n",
    }


def w_quadratics(rng):
    eqs = []
    for _ in range(120):
        a = rng.randint(1, 5)
        p = rng.randint(-20, 20)
        q = rng.randint(-20, 20)
        while q == p:
            q = rng.randint(-20, 20)
        eqs.append((a, -a * (p + q), a * p * q))
    sc, gi, gp, mx, sp = [], [], [], [], []
    for a, b, c in eqs:
        sc += [MARK, f"solve({a}*x^2+({b})*x+({c})=0,x)"]
        gi += [f"{MARK};",
               f"{{(-({b})+sqrt(({b})^2-4*{a}*({c})))/(2*{a}),(-({b})-sqrt(({b})^2-4*{a}*({c})))/(2*{a})}};"]
        gp += [f"print(\"{MARK}\")", f"print(real(polroots({a}*x^2+({b})*x+({c}))))"]
        mx += [f"{MARK};", f"solve({a}*x^2+({b})*x+({c})=0,x);"]
        sp += [f"print('{MARK}')", f"print(solve({a}*x**2+({b})*x+({c}),x))"]
    return scripts(sc, gi, gp, mx, sp)


def w_determinants(rng):
    mats = []
    for n in (7, 8, 9):
        for _ in range(4):
            mats.append([[rng.randint(-9, 9) for _ in range(n)] for _ in range(n)])

    def rows(m, open_, close, sep):
        return sep.join(open_ + ",".join(map(str, r)) + close for r in m)
    sc, gi, gp, mx, sp = [], [], [], [], []
    for m in mats:
        sc += [MARK, "det(" + rows(m, "[", "]", "") + ")"]
        gi += [f"{MARK};", "determinant([" + rows(m, "[", "]", ",") + "]);"]
        gp += [f"print(\"{MARK}\")", "print(matdet([" + rows(m, "", "", ";") + "]))"]
        mx += [f"{MARK};", "determinant(matrix(" + rows(m, "[", "]", ",") + "));"]
        sp += [f"print('{MARK}')", "print(Matrix([" + rows(m, "[", "]", ",") + "]).det())"]
    return scripts(sc, gi, gp, mx, sp)


P31, Q31 = 2147483629, 2147483647


def w_number_theory(rng):
    n = P31 * Q31
    return {
        "symcalc": f"{MARK}\nisprime(2^61-1)\n{MARK}\nfactors({n})\n",
        "ginsh": None,  # ginsh has neither a primality test nor integer factoring
        "gp": f"print(\"{MARK}\")\nprint(isprime(2^61-1))\nprint(\"{MARK}\")\nprint(factor({n}))\n",
        "maxima": f"{MARK};\nprimep(2^61-1);\n{MARK};\nifactors({n});\n",
        "sympy": f"print('{MARK}')\nprint(isprime(2**61-1))\nprint('{MARK}')\nprint(factorint({n}))\n",
    }


def w_sampling(rng):
    g = "x^3-2*x^2+3*x-1"
    sc = [f"g:={g}"]
    gi = [f"g={g}:"]
    gp = [f"g={g};"]
    mx = [f"g:{g}$"]
    sp = [f"g={g.replace('^', '**')}"]
    for k in range(501):
        xv = f"-1+{k}/250"
        sc += [f"x:={xv}; {MARK}; g"]
        gi += [f"{MARK};", f"subs(g,x=={xv});"]
        gp += [f"print(\"{MARK}\")", f"print(subst(g,x,{xv}))"]
        mx += [f"{MARK};", f"ev(g,x={xv});"]
        sp += [f"print('{MARK}')", f"print(g.subs(x,-1+Rational({k},250)))"]
    return scripts(sc, gi, gp, mx, sp)


def w_user_functions(rng):
    ks = [rng.randint(-300, 300) for _ in range(5000)]
    sc = ["f(x):=x^2+1", "g(x):=f(x)+2*f(x-1)", "h(x):=g(x)*f(x+1)-g(x-2)"]
    gi = ["f=t^2+1:", "g=subs(f,t==x)+2*subs(f,t==x-1):", "h=g*subs(f,t==x+1)-subs(g,x==x-2):"]
    gp = ["f(x)=x^2+1;", "g(x)=f(x)+2*f(x-1);", "h(x)=g(x)*f(x+1)-g(x-2);"]
    mx = ["f(x):=x^2+1$", "g(x):=f(x)+2*f(x-1)$", "h(x):=g(x)*f(x+1)-g(x-2)$"]
    sp = ["def f(x): return x**2+1", "def g(x): return f(x)+2*f(x-1)",
          "def h(x): return g(x)*f(x+1)-g(x-2)"]
    for k in ks:
        sc += [MARK, f"h({k})"]
        gi += [f"{MARK};", f"subs(h,x=={k});"]
        gp += [f"print(\"{MARK}\")", f"print(h({k}))"]
        mx += [f"{MARK};", f"h({k});"]
        sp += [f"print('{MARK}')", f"print(h(Integer({k})))"]
    return scripts(sc, gi, gp, mx, sp)


WORKLOADS = [
    (1, "start-up: 1+1", w_startup, "all"),
    (2, "20,000 fraction lines", w_fractions, "all"),
    (3, "sum of 700 terms, one at a time", w_symbolic_sum, "marked"),
    (4, "expand((x+y+z+1)^30)", w_expand, "marked"),
    (5, "diff of a 120-term sum", w_diff, "marked"),
    (6, "120 quadratic equations", w_quadratics, "marked"),
    (7, "12 determinants 7x7..9x9", w_determinants, "marked"),
    (8, "isprime(2^61-1), factors(p*q)", w_number_theory, "marked"),
    (9, "501 exact sample points", w_sampling, "marked"),
    (10, "5,000 nested function calls", w_user_functions, "marked"),
    (11, "sum s:=s+k*x^k, 1,000 terms", w_power_sum(1000), "marked"),
    (12, "sum s:=s+k*x^k, 4,000 terms", w_power_sum(4000), "marked"),
    (13, "expand((x+y+z+w+1)^40)", w_expand_five, "marked"),
    (14, "diff of sin nested 200 deep", w_nested_sin_diff(200), "marked"),
    (15, "diff of sin nested 400 deep", w_nested_sin_diff(400), "marked"),
    (16, "diff of sin nested 800 deep", w_nested_sin_diff(800), "marked"),
    (17, "100,000-element set literal", w_set_literal, "marked"),
    (18, "1,000,000 nested parentheses", w_deep_parentheses, "marked"),
]


# --------------------------------------------------------------------------
# Reading the answers back: numbers, whatever each system's notation.

NUMBER = re.compile(r"-?\d+(?:\.\d*)?(?:[eE][-+]?\d+)?(?:/\d+)?")


def numbers_in(line):
    line = line.replace("*I", "").replace(" ", "")
    values = []
    for tok in NUMBER.findall(line):
        if "/" in tok:
            values.append(Fraction(tok))
        elif any(ch in tok for ch in ".eE"):
            values.append(float(tok))
        else:
            values.append(int(tok))
    return values


def truth_of(line):
    low = line.strip().lower()
    if low in ("true", "1"):
        return True
    if low in ("false", "0"):
        return False
    return None


def answers(output, mode):
    lines = [l.strip() for l in output.splitlines()]
    lines = [l for l in lines if l]
    if mode == "all":
        # Everything after the leading mark.
        if MARK in lines:
            lines = lines[lines.index(MARK) + 1:]
        return lines
    return [lines[i + 1] for i, l in enumerate(lines[:-1]) if l == MARK]


def canonical(line, workload):
    t = truth_of(line)
    if t is not None and workload == 8:
        return ("bool", t)
    nums = numbers_in(line)
    if workload == 8:
        return ("factors", tuple(sorted(n for n in nums if n > 1)))
    if workload == 6:
        return ("roots", tuple(sorted(float(n) for n in nums)))
    return ("values", tuple(nums))


def close(a, b):
    if isinstance(a, float) or isinstance(b, float):
        fa, fb = float(a), float(b)
        return abs(fa - fb) <= 1e-6 * max(1.0, abs(fa), abs(fb))
    return a == b


def agree(a, b):
    if a[0] == "bool" or b[0] == "bool":
        return a == b
    if a[0] != b[0] or len(a[1]) != len(b[1]):
        return False
    return all(close(p, q) for p, q in zip(a[1], b[1]))


# --------------------------------------------------------------------------

def run_once(argv, stdin_text):
    start = time.perf_counter()
    try:
        proc = subprocess.run(argv, input=stdin_text, capture_output=True, text=True,
                              timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        return None, ""
    return time.perf_counter() - start, proc.stdout


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default=os.path.join(os.path.dirname(__file__), "..",
                                                   "build-bench", "cli", "symcalc-cli"))
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--only", default="")
    ap.add_argument("--systems", default="symcalc,ginsh,gp,maxima,sympy")
    ap.add_argument("--seed", type=int, default=20261207)
    ap.add_argument("--show", action="store_true", help="print the answers that disagree")
    args = ap.parse_args()

    commands = {"symcalc": symcalc_command(os.path.abspath(args.cli)),
                "ginsh": ginsh_command, "gp": gp_command,
                "maxima": maxima_command, "sympy": sympy_command}
    present = {"symcalc": os.access(args.cli, os.X_OK), "ginsh": bool(shutil.which("ginsh")),
               "gp": bool(shutil.which("gp")), "maxima": bool(shutil.which("maxima")),
               "sympy": sympy_available()}
    systems = [s for s in args.systems.split(",") if present.get(s)]
    missing = [s for s in args.systems.split(",") if not present.get(s)]
    if "symcalc" not in systems:
        sys.exit(f"symcalc-cli not found at {args.cli}")
    only = {int(n) for n in args.only.split(",") if n}
    chosen = [w for w in WORKLOADS if not only or w[0] in only]

    tmp = tempfile.mkdtemp(prefix="symcalc-compare-")
    programs = {}
    for num, _, make, _ in chosen:
        texts = make(random.Random(args.seed + num))
        for s in systems:
            if texts.get(s) is not None:
                sub = os.path.join(tmp, f"w{num}-{s}")
                os.makedirs(sub, exist_ok=True)
                programs[(num, s)] = commands[s](texts[s], sub)

    times = {key: [] for key in programs}
    outputs = {}
    for r in range(args.runs):
        for num, _, _, _ in chosen:
            for s in systems:
                key = (num, s)
                if key not in programs:
                    continue
                if times[key] and times[key][-1] is None:
                    continue  # timed out once: do not wait again
                elapsed, out = run_once(*programs[key])
                times[key].append(elapsed)
                outputs.setdefault(key, out)
        print(f"run {r + 1} of {args.runs} done", file=sys.stderr)

    print(f"symcalc side by side — {time.strftime('%Y-%m-%d')}, {platform.machine()}, "
          f"{os.cpu_count()} cores, {platform.platform()}")
    print(f"median wall time of {args.runs} interleaved runs per cell, whole processes; "
          "ratio = peer time / symcalc time")
    if missing:
        print("not installed: " + ", ".join(missing))
    header = f"{'workload':<36}" + "".join(f"{s:>20}" for s in systems)
    print(header)
    print("-" * len(header))
    failures = 0
    for num, title, _, mode in chosen:
        ref = None
        if (num, "symcalc") in outputs:
            ref = [canonical(l, num) for l in answers(outputs[(num, "symcalc")], mode)]
        base = None
        cells = []
        for s in systems:
            key = (num, s)
            if key not in programs:
                cells.append("n/a")
                continue
            ts = times[key]
            if not ts or any(t is None for t in ts):
                cells.append(f">{TIMEOUT}s")
                continue
            med = statistics.median(ts)
            mine = [canonical(l, num) for l in answers(outputs[key], mode)]
            ok = ref is not None and len(mine) == len(ref) and len(ref) > 0 and \
                all(agree(a, b) for a, b in zip(mine, ref))
            if not ok:
                failures += 1
                if args.show:
                    print(f"  workload {num}, {s}: {len(mine)} answers vs {len(ref or [])}",
                          file=sys.stderr)
                    for a, b in list(zip(mine, ref or []))[:5]:
                        if not agree(a, b):
                            print(f"    {s}: {a}\n    symcalc: {b}", file=sys.stderr)
            if s == "symcalc":
                base = med
                cells.append(f"{med * 1000:.1f} ms" + ("" if ok else " ?"))
            else:
                ratio = f" ({med / base:.1f}x)" if base else ""
                cells.append(f"{med * 1000:.0f} ms{ratio}" + ("" if ok else " ≠"))
        print(f"{str(num) + '. ' + title:<36}" + "".join(f"{c:>20}" for c in cells))
    print()
    print("≠ marks a peer whose answers differ from symcalc's; n/a: the system has no "
          "way to do that work in its own language.")
    shutil.rmtree(tmp, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
