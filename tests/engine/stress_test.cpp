// A long worksheet session of random lines through one engine: definitions
// and their removal, user functions, errors, sets, arrays and symbolic work.
// Whatever the lines do, the engine must not leak a record, its memory must
// stay within a fixed bound, and no line may hang.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "test_support.h"

namespace symcalc::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
#define SYMCALC_STRESS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SYMCALC_STRESS_SANITIZED 1
#endif
#endif

#ifdef SYMCALC_STRESS_SANITIZED
// The sanitizers make every line many times slower; a tenth of the session
// still walks every kind of line thousands of times. Their quarantine holds
// freed memory back, so resident memory grows by its size before it levels.
constexpr int kLines = 10000;
constexpr double kLineBudgetSeconds = 30.0;
constexpr std::int64_t kGrowthBoundBytes = std::int64_t{512} << 20;
#else
constexpr int kLines = 100000;
// A hang detector, not a speed test: lines take microseconds to milliseconds.
constexpr double kLineBudgetSeconds = 5.0;
constexpr std::int64_t kGrowthBoundBytes = std::int64_t{64} << 20;
#endif

constexpr int kVariables = 24;  // p0 .. p23
constexpr int kFunctions = 8;   // f0 .. f7

std::int64_t ResidentBytes() {
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return -1;
  long long pages = 0, resident = 0;
  const int n = std::fscanf(f, "%lld %lld", &pages, &resident);
  std::fclose(f);
  return n == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

// Random worksheet lines. Each line mentions at most one defined name, so a
// definition is never larger than a small expression plus one earlier value
// and the values held by the engine stay bounded however long the session.
class LineMaker {
 public:
  explicit LineMaker(std::uint64_t seed) : rng_(seed) {}

  std::string Next() {
    mentions_ = 0;
    switch (Below(20)) {
      case 0:
      case 1:
      case 2:
        return Var() + ":=" + Expr(3);
      case 3:
      case 4: {
        // Each name keeps its number of parameters, so that most calls fit.
        // A definition stacks on the earlier ones under its name until they
        // are removed one by one; most lines remove one first, and removals
        // outnumber the plain definitions, so the stacks stay short.
        const char* params[] = {"a", "a,b", "a,b,c"};
        const std::string f = "f" + std::to_string(Below(kFunctions));
        const int k = f.back() - '0';
        const std::string define = f + "(" + params[k % 3] + "):=" + Body(k % 3 + 1);
        return OneIn(4) ? define : f + "():=;" + define;
      }
      case 5:
        return OneIn(2) ? "clearvar(" + Var() + ")" : Var() + ":=";
      case 6:
        return OneIn(2) ? Fn() + "():=" : "clearfunc(" + Fn() + ")";
      case 7:
        return OneIn(3) ? SelfNamed() : Error();
      case 8:
      case 9:
        return SetLine();
      case 10:
      case 11:
        return ArrayLine();
      case 12:
        return "diff(" + Expr(3) + ",x)";
      case 13:
        return "expand((" + Expr(2) + ")^" + std::to_string(Below(2) + 2) + ")";
      case 14:
        return "solve(" + Expr(2) + "=" + Expr(1) + ",x)";
      case 15:
        return "factorout(" + Expr(3) + "," + (OneIn(2) ? "x" : "y") + ")";
      case 16:
        return OneIn(2) ? Numeric() : Call(2);
      case 17:
        // Several pieces on one line, as the worksheet splits them.
        return Expr(2) + ";" + Var() + ":=" + Number() + ";\"a;b\"";
      default:
        return Expr(4);
    }
  }

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool OneIn(int n) { return Below(n) == 0; }

  std::string Var() { return "p" + std::to_string(Below(kVariables)); }
  std::string Fn() { return "f" + std::to_string(Below(kFunctions)); }

  // A call of a user function, now and then with the wrong number of
  // arguments.
  std::string Call(int depth) {
    const int k = Below(kFunctions);
    const int n = OneIn(6) ? Below(4) + 1 : k % 3 + 1;
    std::string call = "f" + std::to_string(k) + "(";
    for (int i = 0; i < n; ++i) call += (i ? "," : "") + Expr(depth);
    return call + ")";
  }

  // Negative numbers in parentheses: "2*-3" is a malformed line, and the
  // error lines are made on purpose elsewhere.
  std::string Number() {
    switch (Below(5)) {
      case 0: {
        const int n = Below(2000) - 1000;
        const std::string q = std::to_string(n) + "/" + std::to_string(Below(50) + 1);
        return n < 0 ? "(" + q + ")" : q;
      }
      case 1:
        return std::to_string(Below(1000)) + "." + std::to_string(Below(100));
      case 2:
        return "#c(" + std::to_string(Below(9)) + "," + std::to_string(Below(9) + 1) + ")";
      default:
        return std::to_string(Below(100));
    }
  }

  std::string Atom(int depth) {
    switch (Below(10)) {
      case 0:
      case 1:
        return Number();
      case 2:
        if (mentions_ == 0) {
          ++mentions_;
          return Var();
        }
        return "y";
      case 3:
        if (mentions_ == 0 && depth > 0) {
          ++mentions_;
          return Call(depth - 1);
        }
        return "z";
      case 4: {
        const char* fns[] = {"sin", "exp", "log", "abs", "sqr", "floor", "cos", "float"};
        return std::string(fns[Below(8)]) + "(" + (depth > 0 ? Expr(depth - 1) : "x") + ")";
      }
      case 5:
        return "(" + (depth > 0 ? Expr(depth - 1) : "x+1") + ")";
      default:
        return OneIn(2) ? "x" : "y";
    }
  }

  std::string Expr(int depth) {
    std::string e = Atom(depth);
    bool raised = false;
    for (int n = depth > 0 ? Below(3) : 0; n > 0; --n) {
      const int op = Below(6);
      // Small powers, never stacked, keep what expand makes of them small.
      if (op == 5 && !raised) {
        e += "^" + std::to_string(Below(4));
        raised = true;
      } else {
        e += std::string(1, "+-*/+"[op % 5]) + Atom(depth - 1);
        raised = false;
      }
    }
    return e;
  }

  // A function body over its parameters, possibly using one defined name.
  std::string Body(int params) {
    std::string e = "a";
    const char* names[] = {"a", "b", "c"};
    for (int i = 0; i < 3; ++i) {
      e += std::string(1, "+*-"[Below(3)]);
      e += OneIn(2) ? names[Below(params)] : Atom(1);
    }
    return e;
  }

  std::string Error() {
    switch (Below(9)) {
      case 0:
        return Expr(2) + "/0";
      case 1:
        return "nosuch(" + Expr(1) + ")";
      case 2:
        return "(" + Expr(2);
      case 3:
        return "[1,2][" + Expr(1) + "]";
      case 4:
        return "sin(1,2)";
      case 5:
        return "e:=" + Number();  // constants cannot change
      case 6:
        return "g(a,a):=a";
      case 7:
        return "array(0," + std::to_string(Below(5)) + ")";
      default:
        return "getarg([1,2,3]," + std::to_string(Below(6) + 3) + ")";
    }
  }

  // A definition whose value holds a name in an array cell, a set element or
  // a range end: its own name (refused), or one whose binding may lead back
  // to it (refused then too); then arithmetic that would substitute it.
  std::string SelfNamed() {
    const std::string v = Var();
    const std::string other = OneIn(2) ? v : Var();
    std::string value;
    switch (Below(4)) {
      case 0: value = "[" + other + "," + Number() + "]"; break;
      case 1: value = "{" + other + "," + Number() + "}"; break;
      case 2: value = Number() + ".." + other; break;
      default: value = "[(" + Number() + ".." + other + ")]"; break;
    }
    return v + ":=" + value + ";2*" + v + ";" + v + "+" + v;
  }

  std::string SetLine() {
    const std::string a = "{" + Expr(1) + "," + Number() + ",x," + Number() + "}";
    const std::string b = "{" + Number() + ",y," + Expr(1) + "}";
    switch (Below(6)) {
      case 0:
        return "union(" + a + "," + b + ")";
      case 1:
        return "intersect(" + a + "," + b + ")";
      case 2:
        return "minus(" + a + "," + b + ")";
      case 3:
        return "subset(" + b + "," + a + ")";
      case 4:
        return "into(" + a + "," + Expr(2) + ")";
      default:
        return "{" + a + "," + b + ",{}}";
    }
  }

  std::string ArrayLine() {
    const std::string m = "[" + Expr(1) + "," + Number() + "][" + Number() + "," + Expr(1) + "]";
    switch (Below(7)) {
      case 0:
        return "det(" + m + ")";
      case 1:
        return m + "*" + Number();
      case 2:
        return m + "+[1,2][3,4]";
      case 3:
        return "setarg([1,2,3]," + std::to_string(Below(3)) + "," + Expr(2) + ")";
      case 4:
        return "identity(" + std::to_string(Below(6) + 1) + ")";
      case 5:
        return "array(" + std::to_string(Below(20) + 1) + "," + std::to_string(Below(20) + 1) + ")";
      default:
        return "det([1,x,y][x,2,z][y,z," + Expr(1) + "])";
    }
  }

  std::string Numeric() {
    switch (Below(6)) {
      case 0:
        return "factorial(" + std::to_string(Below(25)) + ")";
      case 1:
        return "factors(" + std::to_string(Below(1000000) + 2) + ")";
      case 2:
        return "divisors(" + std::to_string(Below(100000) + 1) + ")";
      case 3:
        return "isprime(" + std::to_string(Below(1000000)) + ")";
      case 4:
        return "atan(" + Number() + "," + Number() + ")";
      default:
        return "round(" + Number() + "*pi," + std::to_string(Below(5)) + ")";
    }
  }

  std::mt19937_64 rng_;
  int mentions_ = 0;
};

class Stress : public EngineTest {};

TEST_F(Stress, RandomSessionKeepsRecordsMemoryAndTimeBounded) {
  const std::int64_t startRecords = LiveRecordCount();
  LineMaker maker(90210);
  std::int64_t baseline = -1;
  double slowest = 0;
  std::string slowestLine;
  std::size_t values = 0;
  std::size_t printed = 0;
  for (int i = 0; i < kLines; ++i) {
    const std::string line = maker.Next();
    const auto t0 = std::chrono::steady_clock::now();
    LineResult r = HandleLine(line);
    for (const Value* v : r.values) printed += PrintValue(v).size();
    values += r.values.size();
    ReleaseValues(r.values);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ASSERT_FALSE(r.quit) << line;
    ASSERT_LE(seconds, kLineBudgetSeconds) << "line " << i << " hangs: " << line;
    if (seconds > slowest) {
      slowest = seconds;
      slowestLine = line;
    }
    // Memory settles once every name has been defined a few times; from
    // then on it may not grow beyond the bound.
    if (i == kLines / 10) baseline = ResidentBytes();
    if (baseline > 0 && i % 1000 == 0) {
      const std::int64_t now = ResidentBytes();
      ASSERT_LE(now - baseline, kGrowthBoundBytes) << "after line " << i << ": " << line;
    }
  }
  ASSERT_GT(baseline, 0) << "resident memory could not be read";
  EXPECT_GE(values, static_cast<std::size_t>(kLines));
  std::printf("%d lines, %zu values, %zu characters printed; slowest line %.3f s: %s\n", kLines,
              values, printed, slowest, slowestLine.c_str());
  std::printf("resident memory: %.1f MiB after a tenth of the lines, %.1f MiB at the end\n",
              static_cast<double>(baseline) / (1 << 20),
              static_cast<double>(ResidentBytes()) / (1 << 20));

  // Removing every name that can still be bound brings the record count back
  // to where the session started.
  for (int k = 0; k < kVariables; ++k)
    FreeValue(EvaluateText("clearvar(p" + std::to_string(k) + ")"));
  for (int k = 0; k < kFunctions; ++k) {
    // One removal per definition; a failed one means none is left.
    for (;;) {
      Value* v = EvaluateText("f" + std::to_string(k) + "():=");
      const bool none = TypeOf(v) == ValueType::Error;
      FreeValue(v);
      if (none) break;
    }
  }
  FreeValue(EvaluateText("ans:=0"));
  EXPECT_EQ(LiveRecordCount(), startRecords);
}

}  // namespace
}  // namespace symcalc::testing
