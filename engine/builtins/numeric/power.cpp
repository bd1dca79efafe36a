// pow, the builtin behind the operator "^".
#include <cmath>

#include "builtins/builtin_table.h"
#include "builtins/numeric/integer_math.h"
#include "builtins/numeric/screening.h"
#include "eval/arithmetic.h"
#include "eval/relations.h"
#include "eval/simplify.h"
#include "values/number_limits.h"

namespace symcalc {
namespace {

// b^e -> exp(log(b)*e): the general case.
Value* GeneralPower(const Value* b, const Value* e) {
  Held l = Hold(Apply(BuiltinLog, b));
  Held product = Hold(Multiply(l.get(), e));
  return Apply(BuiltinExp, product.get());
}

// A qword or ratio base to a positive qword exponent. Exact while the powers
// of numerator and denominator fit 64 bits; a fraction whose parts leave 32
// bits is the double of its exact quotient.
Value* RationalPower(const Value* b, const Value* e, Value* out) {
  const std::int64_t num = b->type == ValueType::Qword ? b->qword : b->ratio.num;
  const std::int64_t den = b->type == ValueType::Qword ? 1 : b->ratio.den;
  const auto exponent = static_cast<std::uint64_t>(e->qword);
  std::int64_t n = 0;
  std::int64_t d = 1;
  if (CheckedPower(num, exponent, n) && (den == 1 || CheckedPower(den, exponent, d)))
    return MakeExactQuotient(n, d, out);
  const bool negative = num < 0 && (exponent & 1);
  if (den == 1) {
    // An integer power beyond 64 bits: the double nearest to the exact
    // power, so 2^64 and 2^100 come out exact.
    const std::uint64_t magnitude = num < 0 ? 0 - static_cast<std::uint64_t>(num)
                                            : static_cast<std::uint64_t>(num);
    const double r = NearestPower(magnitude, exponent);
    return MakeDouble(negative ? -r : r, out);
  }
  // Beyond 64 bits the magnitude comes from the general case and the sign
  // from the parity of the exponent: the complex logarithm of a negative base
  // would leave an imaginary part far above the zero snap.
  Held magnitude = Hold(Apply(BuiltinAbs, b));
  Held r = Hold(GeneralPower(magnitude.get(), e));
  if (negative) return Negate(r.get(), out);
  return Deliver(r.release(), out);
}

// A double to a positive qword exponent: the C library's power, which rounds
// once, where exp(log(b)*e) carries the error of the logarithm times e into
// the result (2.0^64 was off from the 15th digit). The sign comes from the
// parity of the qword, which a conversion to double could lose.
Value* DoublePower(const Value* b, const Value* e, Value* out) {
  const double r = std::pow(std::fabs(b->dbl), static_cast<double>(e->qword));
  return MakeDouble(b->dbl < 0 && (e->qword & 1) ? -r : r, out);
}

}  // namespace

Value* BuiltinPow(Value* const* args, Value* out) {
  // A symbolic base or exponent makes the power an expression in normal form.
  if (IsSymbolic(args[0]) || IsSymbolic(args[1]))
    return MakeOperatorNode(ValueType::Power, args[0], args[1], out);
  // The common case, an integer to a power of 2 or more, meets none of the
  // special cases below but the first two; it goes straight to the exact power.
  if (args[0]->type == ValueType::Qword && args[1]->type == ValueType::Qword &&
      args[1]->qword >= 2) {
    // 0 and 1 are their own powers.
    if (args[0]->qword == 0 || args[0]->qword == 1) return CopyValue(args[0], out);
    return RationalPower(args[0], args[1], out);
  }
  SimplifiedArgs a(args, 2);
  const Value* b = a[0];
  const Value* e = a[1];
  if (IsError(b)) return PassError(b, out);
  if (IsError(e)) return PassError(e, out);
  if (IsSymbolic(b) || IsSymbolic(e)) return Unevaluated(BuiltinPow, a.data(), 2, out);
  if (!IsInfinity(b) && !IsNumber(b)) return MakeError(ErrorCode::NotANumber, b, out);
  if (!IsInfinity(e) && !IsNumber(e)) return MakeError(ErrorCode::NotANumber, e, out);

  Held zero = Hold(MakeQword(0));
  Held one = Hold(MakeQword(1));
  // 1^e -> 1 and b^1 -> b, whatever the type of the other side
  if (IsNumber(b) && EqualHolds(b, one.get())) return CopyValue(b, out);
  if (IsNumber(e) && EqualHolds(e, one.get())) return CopyValue(b, out);
  // 0^e -> 0 for e > 0; a zero base with e <= 0 divides by zero
  if (IsNumber(b) && IsZero(b)) {
    if (GreaterOrEqualHolds(zero.get(), e)) {
      Held name = Hold(MakeString("pow"));
      return MakeError(ErrorCode::DivisionByZero, name.get(), out);
    }
    return CopyValue(b, out);
  }
  if (IsInfinity(b)) {
    if (GreaterHolds(zero.get(), e)) return MakeQword(0, out);
    if (IsZero(e)) return MakeQword(1, out);
  } else if (IsMinusInfinity(e)) {
    return MakeQword(0, out);
  }
  // b^-e -> (1/b)^e, so negative powers of integers and fractions stay exact
  if (IsNumber(e) && GreaterHolds(zero.get(), e)) {
    Held reciprocal = Hold(Divide(one.get(), b));
    Held positive = Hold(Negate(e));
    return Deliver(Apply(BuiltinPow, reciprocal.get(), positive.get()), out);
  }
  if (IsRational(b) && e->type == ValueType::Qword) return RationalPower(b, e, out);
  if (b->type == ValueType::Double && e->type == ValueType::Qword) return DoublePower(b, e, out);
  // Two qwords never get here: the exponent is positive and the rational
  // power above took them.
  return Deliver(GeneralPower(b, e), out);
}

std::span<const BuiltinSpec> PowerBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"pow", BuiltinPow, 2, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
