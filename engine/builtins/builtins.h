// Every builtin of the registry, by keyword. Each follows the calling
// contract of the registry: it borrows its arguments and returns a new value.
#pragma once

#include "state/engine_state.h"

namespace symcalc {

Value* BuiltinFunctionlist(Value* const* args, Value* out);
Value* BuiltinTypelist(Value* const* args, Value* out);
Value* BuiltinClearvar(Value* const* args, Value* out);
Value* BuiltinClearfunc(Value* const* args, Value* out);
Value* BuiltinExp(Value* const* args, Value* out);
Value* BuiltinSqr(Value* const* args, Value* out);
Value* BuiltinAbs(Value* const* args, Value* out);
Value* BuiltinLog(Value* const* args, Value* out);
Value* BuiltinPow(Value* const* args, Value* out);
Value* BuiltinSgn(Value* const* args, Value* out);
Value* BuiltinIsnumber(Value* const* args, Value* out);
Value* BuiltinIsreal(Value* const* args, Value* out);
Value* BuiltinIsrational(Value* const* args, Value* out);
Value* BuiltinIsqword(Value* const* args, Value* out);
Value* BuiltinIsdouble(Value* const* args, Value* out);
Value* BuiltinIsratio(Value* const* args, Value* out);
Value* BuiltinIscomplex(Value* const* args, Value* out);
Value* BuiltinIsboolean(Value* const* args, Value* out);
Value* BuiltinIssymbol(Value* const* args, Value* out);
Value* BuiltinIsmathsymbol(Value* const* args, Value* out);
Value* BuiltinIsrange(Value* const* args, Value* out);
Value* BuiltinIserror(Value* const* args, Value* out);
Value* BuiltinIsstring(Value* const* args, Value* out);
Value* BuiltinIsarray(Value* const* args, Value* out);
Value* BuiltinIsset(Value* const* args, Value* out);
Value* BuiltinIsvariable(Value* const* args, Value* out);
Value* BuiltinIsfunction(Value* const* args, Value* out);
Value* BuiltinIsoperator(Value* const* args, Value* out);
Value* BuiltinIsvariaop(Value* const* args, Value* out);
Value* BuiltinIsinfinity(Value* const* args, Value* out);
Value* BuiltinIsundefined(Value* const* args, Value* out);
Value* BuiltinGettype(Value* const* args, Value* out);
Value* BuiltinIstype(Value* const* args, Value* out);
Value* BuiltinIszero(Value* const* args, Value* out);
Value* BuiltinIsodd(Value* const* args, Value* out);
Value* BuiltinIseven(Value* const* args, Value* out);
Value* BuiltinIsprime(Value* const* args, Value* out);
Value* BuiltinNot(Value* const* args, Value* out);
Value* BuiltinIf(Value* const* args, Value* out);
Value* BuiltinArray(Value* const* args, Value* out);
Value* BuiltinVector(Value* const* args, Value* out);
Value* BuiltinIdentity(Value* const* args, Value* out);
Value* BuiltinUntmat(Value* const* args, Value* out);
Value* BuiltinUntdet(Value* const* args, Value* out);
Value* BuiltinDet(Value* const* args, Value* out);
Value* BuiltinScalar(Value* const* args, Value* out);
Value* BuiltinGetarg(Value* const* args, Value* out);
Value* BuiltinSetarg(Value* const* args, Value* out);
Value* BuiltinGetargxy(Value* const* args, Value* out);
Value* BuiltinSetargxy(Value* const* args, Value* out);
Value* BuiltinWidth(Value* const* args, Value* out);
Value* BuiltinHeight(Value* const* args, Value* out);
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
Value* BuiltinRealpart(Value* const* args, Value* out);
Value* BuiltinImagpart(Value* const* args, Value* out);
Value* BuiltinPhase(Value* const* args, Value* out);
Value* BuiltinCis(Value* const* args, Value* out);
Value* BuiltinConjugate(Value* const* args, Value* out);
Value* BuiltinFloor(Value* const* args, Value* out);
Value* BuiltinCeiling(Value* const* args, Value* out);
Value* BuiltinTruncate(Value* const* args, Value* out);
Value* BuiltinRound(Value* const* args, Value* out);
Value* BuiltinInto(Value* const* args, Value* out);
Value* BuiltinUnion(Value* const* args, Value* out);
Value* BuiltinMinus(Value* const* args, Value* out);
Value* BuiltinIntersect(Value* const* args, Value* out);
Value* BuiltinSubset(Value* const* args, Value* out);
Value* BuiltinNumerator(Value* const* args, Value* out);
Value* BuiltinDenominator(Value* const* args, Value* out);
Value* BuiltinRatio(Value* const* args, Value* out);
Value* BuiltinRational(Value* const* args, Value* out);
Value* BuiltinFloat(Value* const* args, Value* out);
Value* BuiltinFactorial(Value* const* args, Value* out);
Value* BuiltinFactors(Value* const* args, Value* out);
Value* BuiltinFactorset(Value* const* args, Value* out);
Value* BuiltinDivisors(Value* const* args, Value* out);
Value* BuiltinDiff(Value* const* args, Value* out);
Value* BuiltinSolve(Value* const* args, Value* out);
Value* BuiltinExpand(Value* const* args, Value* out);
Value* BuiltinFactorout(Value* const* args, Value* out);
Value* BuiltinOpleft(Value* const* args, Value* out);
Value* BuiltinOpright(Value* const* args, Value* out);
Value* BuiltinErrormath(Value* const* args, Value* out);
Value* BuiltinFuncarg(Value* const* args, Value* out);
Value* BuiltinNumbfuncarg(Value* const* args, Value* out);

}  // namespace symcalc
