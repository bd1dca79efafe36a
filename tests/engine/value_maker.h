// Random values of every type, built through the engine's own operations
// (so the symbolic ones are in normal form) rather than read from text: the
// round-trip tests print them and read the text back. Used by the engine's
// round-trip test and by the worksheet's copy-and-paste round trip.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include "eval/constructors.h"
#include "eval/relations.h"
#include "symcalc/engine.h"
#include "values/value.h"

namespace symcalc::testing {

class ValueMaker {
 public:
  explicit ValueMaker(std::uint64_t seed) : rng_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool OneIn(int n) { return Below(n) == 0; }

  Value* Qword() {
    switch (Below(5)) {
      case 0:
        return MakeQword(Below(21) - 10);
      case 1:
        // The most negative qword is missing on purpose: it is a known
        // limitation (see KnownLimitations).
        return MakeQword(OneIn(2) ? std::numeric_limits<std::int64_t>::max()
                                  : std::numeric_limits<std::int64_t>::min() + 1);
      case 2:
        return MakeQword((std::int64_t{1} << Below(63)) * (OneIn(2) ? -1 : 1));
      default: {
        const std::int64_t bound = std::numeric_limits<std::int64_t>::max() >> Below(63);
        return MakeQword(std::uniform_int_distribution<std::int64_t>(-bound, bound)(rng_));
      }
    }
  }

  Value* Ratio() {
    auto part = [&] {
      return OneIn(4) ? std::int64_t{std::numeric_limits<std::int32_t>::max() - Below(3)}
                      : std::int64_t{Below(2000) + 1};
    };
    const std::int64_t n = part() * (OneIn(2) ? -1 : 1);
    return MakeRatio(n, part() + 1);  // may reduce to a qword
  }

  // Finite doubles away from 0 and 1 by more than the printed precision:
  // closer ones print as 0. or 1. and change what a product or power is (a
  // known limitation, see KnownLimitations).
  Value* Double() {
    double x;
    switch (Below(4)) {
      case 0:
        x = Below(2001) - 1000;  // whole numbers print as "7."
        break;
      case 1:
        x = std::ldexp(Below(1 << 20) + 1, -Below(30));
        break;
      default:
        x = std::uniform_real_distribution<double>(1.0, 10.0)(rng_) *
            std::pow(10.0, Below(19) - 3);
        break;
    }
    if (std::fabs(x) < 1e-9 || std::fabs(std::fabs(x) - 1) < 1e-9) x = 2.5;
    return MakeDouble(OneIn(2) ? -x : x);
  }

  Value* Real() {
    switch (Below(3)) {
      case 0:
        return Qword();
      case 1:
        return Ratio();
      default:
        return Double();
    }
  }

  // Complex parts may be real numbers, infinities or symbolic.
  Value* Complex() {
    auto part = [&]() -> Value* {
      if (OneIn(6)) return MakeMathSymbol(kInfinity + Below(2));
      if (OneIn(5)) return Symbolic(1);
      return Real();
    };
    Held re = Hold(part());
    Held im = Hold(part());
    if (IsZero(im.get())) im = Hold(MakeQword(3));
    return MakeComplex(re.get(), im.get());
  }

  Value* Number() { return OneIn(4) ? Complex() : Real(); }

  // Texts of any printable character but their own quote.
  std::string Text(char quote) {
    static constexpr std::string_view kChars =
        "abcxyzABC 019_+-*/^&|!=<>.,;:()[]{}#'\"\\\t\xc3\xa4";
    std::string s;
    for (int n = Below(8); n > 0; --n) {
      const char c = kChars[static_cast<std::size_t>(Below(static_cast<int>(kChars.size())))];
      if (c != quote) s += c;
    }
    return s;
  }
  Value* String() { return MakeString(Text('"')); }
  Value* Symbol() { return MakeSymbol(Text('\'')); }

  Value* Variable() {
    static const char* const kNames[] = {"a", "b", "x", "y", "z", "t", "x_1", "w2", "long_name"};
    return MakeVariable(kNames[Below(9)]);
  }

  Value* Range() {
    Held low = Hold(OneIn(3) ? Variable() : Real());
    Held high = Hold(OneIn(3) ? Symbolic(1) : Real());
    return MakeRange(low.get(), high.get());
  }

  // Sums, products, powers, quotients and applications of builtins, built by
  // the arithmetic, so they arrive in normal form. A step that fails (a
  // division by zero, an overflowing power) gives a variable instead, and so
  // does one whose arithmetic made a number of a known limitation.
  Value* Symbolic(int depth) {
    Value* v = SymbolicStep(depth);
    if (TypeOf(v) != ValueType::Error && !HasKnownLimitation(v)) return v;
    FreeValue(v);
    return Variable();
  }

  // The most negative qword, or a double that is not finite or that prints
  // as 0., 1. or -1. without being one of them.
  static bool HasKnownLimitation(const Value* v) {
    if (!v) return false;
    switch (TypeOf(v)) {
      case ValueType::Qword:
        return RawQword(v) == std::numeric_limits<std::int64_t>::min();
      case ValueType::Double: {
        const double x = std::fabs(RawDouble(v));
        return !std::isfinite(x) || (x != 0 && x < 5e-11) || (x != 1 && std::fabs(x - 1) < 5e-11);
      }
      case ValueType::Array:
        for (int i = 0; i < ArrayWidth(v) * ArrayHeight(v); ++i)
          if (HasKnownLimitation(ArrayCell(v, i))) return true;
        return false;
      case ValueType::Set:
        for (const Value* e = SetFirst(v); e; e = SetNext(e))
          if (HasKnownLimitation(e)) return true;
        return false;
      case ValueType::Function:
        for (int i = 0; i < 4; ++i)
          if (HasKnownLimitation(FunctionArgument(v, i))) return true;
        return false;
      default:
        if (TypeOf(v) == ValueType::Complex || TypeOf(v) == ValueType::Range ||
            TypeOf(v) >= ValueType::Plus)
          return HasKnownLimitation(LeftOperand(v)) || HasKnownLimitation(RightOperand(v));
        return false;
    }
  }

  Value* SymbolicStep(int depth) {
    if (depth <= 0 || OneIn(4)) {
      switch (Below(5)) {
        case 0:
          return Real();
        case 1: {
          static const char* const kFns[] = {"sin", "exp", "log", "abs", "floor", "sqr", "realpart"};
          Held arg = Hold(depth > 1 ? Symbolic(depth - 1) : Variable());
          return CallBuiltin(kFns[Below(7)], arg.get());
        }
        case 2: {
          Held a = Hold(Variable());
          Held b = Hold(Real());
          return CallBuiltin(OneIn(2) ? "atan" : "round", a.get(), b.get());
        }
        default:
          return Variable();
      }
    }
    Held l = Hold(Symbolic(depth - 1));
    switch (Below(6)) {
      case 0: {
        Held r = Hold(Symbolic(depth - 1));
        return Add(l.get(), r.get());
      }
      case 1: {
        Held r = Hold(Symbolic(depth - 1));
        return Subtract(l.get(), r.get());
      }
      case 2: {
        Held r = Hold(Symbolic(depth - 1));
        return Multiply(l.get(), r.get());
      }
      case 3: {
        Held r = Hold(Symbolic(depth - 1));
        return Divide(l.get(), r.get());
      }
      case 4: {
        // Small exponents keep numeric bases from overflowing into errors.
        Held r = Hold(OneIn(2) ? MakeRatio(Below(7) - 3, Below(3) + 1) : Variable());
        return CallBuiltin("pow", l.get(), r.get());
      }
      default: {
        Held r = Hold(MakeQword(Below(5) + 2));
        return CallBuiltin("pow", l.get(), r.get());
      }
    }
  }

  // A relation or logic node over symbolic operands.
  Value* Relation() {
    Held l = Hold(Symbolic(2));
    Held r = Hold(OneIn(2) ? Symbolic(2) : Real());
    switch (Below(8)) {
      case 0:
        return Greater(l.get(), r.get());
      case 1:
        return GreaterOrEqual(l.get(), r.get());
      case 2:
        return Equal(l.get(), r.get());
      case 3:
        return NotEqual(l.get(), r.get());
      case 4:
        return Greater(r.get(), l.get());  // written with "<"
      default: {
        Held a = Hold(Greater(l.get(), r.get()));
        Held b = Hold(OneIn(2) ? Equal(r.get(), l.get()) : Variable());
        if (Below(3) == 0) return And(a.get(), b.get());
        return OneIn(2) ? Or(a.get(), b.get()) : Xor(a.get(), b.get());
      }
    }
  }

  // Anything that may stand in a set or a cell: no arrays (an array cannot
  // hold one, and a set holding one is a known limitation).
  Value* Element(int depth) {
    switch (Below(9)) {
      case 0:
        return Number();
      case 1:
        return String();
      case 2:
        return Symbol();
      case 3:
        return MakeBoolean(Below(2));
      case 4:
        return MakeMathSymbol(Below(3));
      case 5:
        return Range();
      case 6:
        return depth > 0 ? Set(depth - 1) : Real();
      default:
        return Symbolic(2);
    }
  }

  Value* Set(int depth) {
    Held set = Hold(MakeEmptySet());
    for (int n = Below(6); n > 0; --n) {
      Held e = Hold(Element(depth));
      set = Hold(CallBuiltin("into", set.get(), e.get()));
    }
    return set.release();
  }

  Value* Array() {
    const int width = Below(4) + 1;
    const int height = Below(3) + 1;
    CellTable* cells = MakeCellTable(static_cast<std::size_t>(width * height));
    for (int i = 0; i < width * height; ++i) cells->cells()[i] = Element(1);
    return MakeArray(width, height, cells);
  }

 private:
  std::mt19937_64 rng_;
};

}  // namespace symcalc::testing
