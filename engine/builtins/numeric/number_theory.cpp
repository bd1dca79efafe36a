// Number theory: the zero test, parity, primes, factorial, factors and
// divisors of qwords.
#include <cstdint>
#include <vector>

#include "builtins/builtin_table.h"
#include "builtins/numeric/integer_math.h"
#include "builtins/numeric/screening.h"
#include "eval/set_insert.h"

namespace symcalc {
namespace {

Value* Answer(bool yes, Value* out) { return MakeBoolean(yes ? 1 : 0, out); }

// The integer builtins refuse the infinities, and any number but a qword is
// "Is not a integer-number.".
Value* ScreenInteger(BuiltinFn self, Value* const* args, Held& x, Value* out) {
  if (Value* done = ScreenArgument(self, args[0], Infinities::Refused, x, out)) return done;
  if (x->type != ValueType::Qword) return MakeError(ErrorCode::NotAnInteger, x.get(), out);
  return nullptr;
}

}  // namespace

Value* BuiltinIszero(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinIszero, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  return Answer(IsZero(v), out);
}

Value* BuiltinIsodd(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinIsodd, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  // The remainder keeps the sign of x: -3 leaves -1 and is odd too.
  return Answer(v->type == ValueType::Qword && v->qword % 2 != 0, out);
}

Value* BuiltinIseven(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinIseven, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  return Answer(v->type == ValueType::Qword && v->qword % 2 == 0, out);
}

Value* BuiltinIsprime(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinIsprime, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  return Answer(v->type == ValueType::Qword && v->qword >= 2 &&
                    IsPrime(static_cast<std::uint64_t>(v->qword)),
                out);
}

Value* BuiltinFactorial(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenInteger(BuiltinFactorial, args, x, out)) return done;
  const std::int64_t n = x->qword;
  if (n < 0) {
    Held name = Hold(MakeString("pow"));
    return MakeError(ErrorCode::DivisionByZero, name.get(), out);
  }
  // 20! is the last factorial a qword holds and 170! the last a double holds.
  if (n <= 20) {
    std::int64_t r = 1;
    for (std::int64_t i = 2; i <= n; ++i) r *= i;
    return MakeQword(r, out);
  }
  if (n <= 170) {
    double r = 1;
    for (std::int64_t i = 2; i <= n; ++i) r *= static_cast<double>(i);
    return MakeDouble(r, out);
  }
  return MakeMathSymbol(kInfinity, out);
}

Value* BuiltinFactors(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenInteger(BuiltinFactors, args, x, out)) return done;
  const std::int64_t n = x->qword;
  if (n <= 1) return CopyValue(x.get(), out);
  const std::vector<std::uint64_t> factors = PrimeFactors(static_cast<std::uint64_t>(n));
  HeldCells cells(MakeCellTable(factors.size()));
  for (std::size_t i = 0; i < factors.size(); ++i)
    cells->cells()[i] = MakeQword(static_cast<std::int64_t>(factors[i]));
  return MakeArray(static_cast<std::int64_t>(factors.size()), 1, cells.release(), out);
}

Value* BuiltinFactorset(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenInteger(BuiltinFactorset, args, x, out)) return done;
  const std::int64_t n = x->qword;
  SetBuilder set;
  if (n > 1) {
    for (std::uint64_t p : PrimeFactors(static_cast<std::uint64_t>(n))) {
      Held element = Hold(MakeQword(static_cast<std::int64_t>(p)));
      set.Insert(element.get());
    }
  }
  return set.Finish(out);
}

Value* BuiltinDivisors(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenInteger(BuiltinDivisors, args, x, out)) return done;
  const std::int64_t n = x->qword;
  SetBuilder set;
  if (n > 0) {
    // Kept between calls: a list of 100000 divisors freshly allocated would
    // be mapped and faulted in page by page on every call, which costs more
    // than computing it.
    static thread_local std::vector<std::uint64_t> divisors;
    static thread_local std::vector<std::uint64_t> scratch;
    Divisors(static_cast<std::uint64_t>(n), divisors, scratch);
    // Ascending, so every element is appended at the tail. The set takes a
    // copy, so one record carries every divisor to it.
    Held element = Hold(MakeQword(0));
    for (std::uint64_t d : divisors) {
      MakeQword(static_cast<std::int64_t>(d), element.get());
      set.Insert(element.get());
    }
  }
  return set.Finish(out);
}

std::span<const BuiltinSpec> NumberTheoryBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"iszero", BuiltinIszero, 1, 0, 0},
      {"isodd", BuiltinIsodd, 1, 0, 0},
      {"iseven", BuiltinIseven, 1, 0, 0},
      {"isprime", BuiltinIsprime, 1, 0, 0},
      {"factorial", BuiltinFactorial, 1, 0, 0},
      {"factors", BuiltinFactors, 1, 0, 0},
      {"factorset", BuiltinFactorset, 1, 0, 0},
      {"divisors", BuiltinDivisors, 1, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
