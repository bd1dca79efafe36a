// The builtins other files (or their own, before the definition) call
// directly. Each follows the calling contract
// of the registry: it borrows its arguments and returns a new value. The rest
// are known only to their own file and its table.
#pragma once

#include "state/engine_state.h"

namespace symcalc {

Value* BuiltinFunctionlist(Value* const* args, Value* out);
Value* BuiltinExp(Value* const* args, Value* out);
Value* BuiltinSqr(Value* const* args, Value* out);
Value* BuiltinAbs(Value* const* args, Value* out);
Value* BuiltinLog(Value* const* args, Value* out);
Value* BuiltinPow(Value* const* args, Value* out);
Value* BuiltinSgn(Value* const* args, Value* out);
Value* BuiltinIsprime(Value* const* args, Value* out);
Value* BuiltinArray(Value* const* args, Value* out);
Value* BuiltinVector(Value* const* args, Value* out);
Value* BuiltinDet(Value* const* args, Value* out);
Value* BuiltinSetargxy(Value* const* args, Value* out);
Value* BuiltinSinh(Value* const* args, Value* out);
Value* BuiltinCosh(Value* const* args, Value* out);
Value* BuiltinTanh(Value* const* args, Value* out);
Value* BuiltinAsinh(Value* const* args, Value* out);
Value* BuiltinAcosh(Value* const* args, Value* out);
Value* BuiltinAtanh(Value* const* args, Value* out);
Value* BuiltinSin(Value* const* args, Value* out);
Value* BuiltinCos(Value* const* args, Value* out);
Value* BuiltinTan(Value* const* args, Value* out);
Value* BuiltinAsin(Value* const* args, Value* out);
Value* BuiltinAcos(Value* const* args, Value* out);
Value* BuiltinAtan(Value* const* args, Value* out);
Value* BuiltinDiff(Value* const* args, Value* out);
Value* BuiltinSolve(Value* const* args, Value* out);
Value* BuiltinInto(Value* const* args, Value* out);
Value* BuiltinUnion(Value* const* args, Value* out);
Value* BuiltinMinus(Value* const* args, Value* out);
Value* BuiltinIntersect(Value* const* args, Value* out);
Value* BuiltinRational(Value* const* args, Value* out);
Value* BuiltinFactors(Value* const* args, Value* out);
Value* BuiltinDivisors(Value* const* args, Value* out);

}  // namespace symcalc
