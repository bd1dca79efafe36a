// The reference of the numeric builtins: elementary functions, type tests,
// trigonometry and complex numbers, rounding and conversion, number theory.
#include "reference.h"

namespace symcalc::gui::help {

std::vector<HelpEntry> NumericEntries() {
  constexpr Topic kArith = Topic::Arithmetic;
  constexpr Topic kTypes = Topic::TypeTests;
  constexpr Topic kTrig = Topic::Trigonometry;
  constexpr Topic kRound = Topic::Rounding;
  constexpr Topic kTheory = Topic::NumberTheory;
  constexpr EntryKind kFn = EntryKind::Builtin;
  return {
      // ---- arithmetic and elementary functions --------------------------------
      {"exp", kArith, kFn, "exp(x)",
       "The exponential function, e raised to x. A number gives a double and a complex "
       "number a complex result; exp(infinity) is infinity and exp(-infinity) is 0. With "
       "a name inside, the call stays as it is until the name has a value.",
       {{"exp(0)", "1."}, {"exp(1)", "2.7182818285"}, {"exp(x)", "exp(x)"}},
       {"log", "pow", "e"}},
      {"sqr", kArith, kFn, "sqr(x)",
       "The square root (sqr is short for square root; it does not square). The result "
       "is a double even for a perfect square, and a negative number gives the imaginary "
       "root.",
       {{"sqr(16)", "4."}, {"sqr(2)", "1.4142135624"}, {"sqr(-4)", "#c(0, 2.)"}},
       {"pow", "abs"}},
      {"abs", kArith, kFn, "abs(x)",
       "The absolute value. Integers and fractions stay exact; a complex number gives its "
       "distance from 0 as a double; both infinities give infinity.",
       {{"abs(-3)", "3"}, {"abs(-2/3)", "2/3"}, {"abs(#c(3, 4))", "5."}},
       {"sgn", "phase"}},
      {"log", kArith, kFn, "log(x)",
       "The natural logarithm, to the base e. A negative number gives a complex result "
       "whose imaginary part is pi, and log(0) is a division-by-zero error. For another "
       "base, divide: log(x)/log(10) is the logarithm to the base 10.",
       {{"log(1)", "0."}, {"log(-1)", "#c(0., 3.1415926536)"}, {"log(100)/log(10)", "2."}},
       {"exp", "e"}},
      {"pow", kArith, kFn, "pow(base, exponent)",
       "The power, the same as base^exponent. A whole-number power of an integer or a "
       "fraction is exact while it fits (64 bits for an integer, 32 for each part of a "
       "fraction), and a negative one gives a fraction; beyond that, and for other "
       "exponents, the result is a double. With a name, pow builds the power expression.",
       {{"pow(2, 10)", "1024"}, {"pow(2, -2)", "1/4"}, {"pow(x, 2)", "x^2"}},
       {"^", "sqr", "exp"}},
      {"sgn", kArith, kFn, "sgn(x)",
       "The sign: -1, 0 or 1, of the same kind as the argument, so a double gives a "
       "double. A complex number gives the number of length 1 pointing the same way.",
       {{"sgn(-7)", "-1"}, {"sgn(-2.5)", "-1."}, {"sgn(#c(3, 4))", "#c(0.6, 0.8)"}},
       {"abs", "phase"}},

      // ---- type tests -----------------------------------------------------------
      {"isnumber", kTypes, kFn, "isnumber(x)",
       "True for a number: an integer, a double, a fraction or a complex number. The "
       "infinities and undefined are not numbers; pi is one, a double.",
       {{"isnumber(#c(3, 4))", "true"}, {"isnumber(infinity)", "false"}, {"isnumber(pi)", "true"}},
       {"isreal", "istype", "gettype"}},
      {"isreal", kTypes, kFn, "isreal(x)",
       "True for a real number: an integer, a double or a fraction. A complex number is "
       "not real; a calculation whose imaginary part vanishes has already become real.",
       {{"isreal(2.5)", "true"}, {"isreal(#c(3, 4))", "false"}, {"isreal(im*im)", "true"}},
       {"isnumber", "iscomplex"}},
      {"isrational", kTypes, kFn, "isrational(x)",
       "True for an exact number: an integer or a fraction. Doubles are not exact, even "
       "when they look whole.",
       {{"isrational(1/3)", "true"}, {"isrational(0.5)", "false"}},
       {"isratio", "isqword", "rational"}},
      {"isqword", kTypes, kFn, "isqword(x)",
       "True for an integer, the exact 64-bit whole numbers. A number written with a "
       "point, such as 7.0, is a double.",
       {{"isqword(7)", "true"}, {"isqword(7.0)", "false"}},
       {"isdouble", "isrational"}},
      {"isdouble", kTypes, kFn, "isdouble(x)",
       "True for a floating-point number: one written with a point or an exponent, the "
       "result of a calculation with one, and pi.",
       {{"isdouble(7.0)", "true"}, {"isdouble(pi)", "true"}, {"isdouble(7)", "false"}},
       {"isqword", "float"}},
      {"isratio", kTypes, kFn, "isratio(x)",
       "True for an exact fraction. A quotient that divides evenly is an integer, not a "
       "fraction.",
       {{"isratio(1/3)", "true"}, {"isratio(6/3)", "false"}},
       {"isrational", "numerator"}},
      {"iscomplex", kTypes, kFn, "iscomplex(x)",
       "True for a complex number. A complex result whose imaginary part is zero is "
       "always turned into a real number, so it is not complex.",
       {{"iscomplex(im)", "true"}, {"iscomplex(im*im)", "false"}},
       {"isreal", "im", "#c"}},
      {"isboolean", kTypes, kFn, "isboolean(x)",
       "True for true and false. A comparison that can be decided is one; a comparison "
       "with a name that has no value stays a relation.",
       {{"isboolean(1 < 2)", "true"}, {"isboolean(x < 2)", "false"}},
       {"true", "relations"}},
      {"issymbol", kTypes, kFn, "issymbol(x)",
       "True for a symbol, a text written between single quotes. Text between double "
       "quotes is a string instead.",
       {{"issymbol('abc')", "true"}, {"issymbol(\"abc\")", "false"}},
       {"symbols", "isstring"}},
      {"ismathsymbol", kTypes, kFn, "ismathsymbol(x)",
       "True for infinity, -infinity and undefined. pi is not one: it is a double.",
       {{"ismathsymbol(infinity)", "true"}, {"ismathsymbol(pi)", "false"}},
       {"isinfinity", "isundefined"}},
      {"isrange", kTypes, kFn, "isrange(x)", "True for a range a..b.",
       {{"isrange(1..5)", "true"}, {"isrange(5)", "false"}},
       {"ranges"}},
      {"iserror", kTypes, kFn, "iserror(x)",
       "True for an error. Failures are ordinary values, so a calculation can test for "
       "them instead of stopping.",
       {{"iserror(1/0)", "true"}, {"iserror(1)", "false"}},
       {"errormath"}},
      {"isstring", kTypes, kFn, "isstring(x)",
       "True for a string, a text written between double quotes.",
       {{"isstring(\"abc\")", "true"}, {"isstring('abc')", "false"}},
       {"strings", "issymbol"}},
      {"isarray", kTypes, kFn, "isarray(x)", "True for an array (a matrix or a vector).",
       {{"isarray([1,2])", "true"}, {"isarray({1,2})", "false"}},
       {"arrays", "isset"}},
      {"isset", kTypes, kFn, "isset(x)", "True for a set.",
       {{"isset({1,2})", "true"}, {"isset([1,2])", "false"}},
       {"sets", "isarray"}},
      {"isvariable", kTypes, kFn, "isvariable(x)",
       "True for a name without a value. A name that has a value is replaced by it "
       "before the test looks.",
       {{"isvariable(x)", "true"}, {"isvariable(x+1)", "false"}, {"x := 2; isvariable(x)", "2; false"}},
       {"isvariaop", "variables"}},
      {"isfunction", kTypes, kFn, "isfunction(x)",
       "True for a call that stayed unevaluated, such as sin(x) while x has no value. A "
       "call that could be computed has already become its value.",
       {{"isfunction(sin(x))", "true"}, {"isfunction(sin(0))", "false"}},
       {"funcarg", "numbfuncarg"}},
      {"isoperator", kTypes, kFn, "isoperator(x)",
       "True for an expression built by an operator: a sum, product, power, relation or "
       "logical combination. Calls and ranges are not operator expressions.",
       {{"isoperator(x+1)", "true"}, {"isoperator(sin(x))", "false"}, {"isoperator(1..2)", "false"}},
       {"opleft", "isvariaop"}},
      {"isvariaop", kTypes, kFn, "isvariaop(x)",
       "True for anything symbolic: a name without a value, an unevaluated call or an "
       "operator expression.",
       {{"isvariaop(sin(x))", "true"}, {"isvariaop({x})", "false"}},
       {"isvariable", "isfunction", "isoperator"}},
      {"isinfinity", kTypes, kFn, "isinfinity(x)", "True for infinity and for -infinity.",
       {{"isinfinity(-infinity)", "true"}, {"isinfinity(undefined)", "false"}},
       {"infinity", "ismathsymbol"}},
      {"isundefined", kTypes, kFn, "isundefined(x)",
       "True for undefined, the value of expressions such as infinity - infinity.",
       {{"isundefined(infinity - infinity)", "true"}, {"isundefined(infinity)", "false"}},
       {"undefined", "ismathsymbol"}},
      {"gettype", kTypes, kFn, "gettype(x)",
       "The name of the value's type, as a symbol. The names are those typelist() lists; "
       "an expression's type is its outermost operator.",
       {{"gettype(2/3)", "'ratio'"}, {"gettype(x+1)", "'+'"}, {"gettype(1..2)", "'..'"}},
       {"istype", "typelist"}},
      {"istype", kTypes, kFn, "istype(x, type)",
       "Tests a value against a type name written as a symbol, in single quotes. Besides "
       "the names typelist() gives, 'number', 'real', 'rational', 'infinity' and "
       "'undefined' test for those groups. A type name in double quotes is an error.",
       {{"istype(5, 'qword')", "true"},
        {"istype(5, 'real')", "true"},
        {"istype(x = 1, '=')", "true"}},
       {"gettype", "typelist", "symbols"}},
      {"typelist", kTypes, kFn, "typelist()",
       "A string of the 24 type names in their fixed order. Sets list values of different "
       "types in this order.",
       {{"typelist()",
         "\"'qword', 'double', 'ratio', 'complex', 'boolean', 'symbol', 'mathsymbol', "
         "'..', 'error', 'string', 'array', 'set', 'variable', 'function', '+', '*', '^', "
         "'&', '|', '!', '=', '>', '>=', '<>'\""}},
       {"gettype", "istype"}},

      // ---- trigonometric, hyperbolic and complex functions --------------------
      {"sin", kTrig, kFn, "sin(x)",
       "The sine of an angle in radians. A complex angle gives a complex result, and "
       "sin(infinity) is the range -1..1. Results closer to 0 than about 1e-13 become 0, "
       "which is why sin(pi) is exactly 0.",
       {{"sin(0)", "0."}, {"sin(pi/2)", "1."}, {"sin(pi)", "0."}},
       {"cos", "tan", "asin", "pi"}},
      {"cos", kTrig, kFn, "cos(x)",
       "The cosine of an angle in radians; like sin for complex and infinite angles.",
       {{"cos(0)", "1."}, {"cos(pi)", "-1."}},
       {"sin", "acos", "cis"}},
      {"tan", kTrig, kFn, "tan(x)",
       "The tangent, sin(x)/cos(x). Where the cosine is zero, as at pi/2, the result is "
       "a division-by-zero error; tan(infinity) is undefined.",
       {{"tan(pi/4)", "1."}, {"tan(pi/2)", "<Error> Division by 0. 1.5707963268"}},
       {"atan", "sin", "cos"}},
      {"asin", kTrig, kFn, "asin(x)",
       "The arc sine in radians. From -1 to 1 it is real, between -pi/2 and pi/2; "
       "outside that the result is complex.",
       {{"asin(1)", "1.5707963268"}, {"asin(2)", "#c(1.5707963268, -1.3169578969)"}},
       {"sin", "acos"}},
      {"acos", kTrig, kFn, "acos(x)",
       "The arc cosine in radians. From -1 to 1 it is real, between 0 and pi; outside "
       "that the result is complex.",
       {{"acos(0.5)", "1.0471975512"}, {"acos(2)", "#c(0., -1.3169578969)"}},
       {"cos", "asin"}},
      {"atan", kTrig, kFn, "atan(y, [x])",
       "With one argument the arc tangent of y, between -pi/2 and pi/2. With two it is "
       "the angle of the point (x, y); note that y comes first. That angle lies between "
       "-pi/2 and 3*pi/2, so atan(-1, -1) is 5*pi/4 rather than -3*pi/4.",
       {{"atan(1)", "0.7853981634"}, {"atan(1, -1)", "2.3561944902"}, {"atan(-1, -1)", "3.926990817"}},
       {"tan", "phase"}},
      {"sinh", kTrig, kFn, "sinh(x)", "The hyperbolic sine, (exp(x) - exp(-x))/2.",
       {{"sinh(0)", "0."}, {"sinh(1)", "1.1752011936"}},
       {"cosh", "asinh"}},
      {"cosh", kTrig, kFn, "cosh(x)", "The hyperbolic cosine, (exp(x) + exp(-x))/2.",
       {{"cosh(0)", "1."}, {"cosh(1)", "1.5430806348"}},
       {"sinh", "acosh"}},
      {"tanh", kTrig, kFn, "tanh(x)",
       "The hyperbolic tangent, sinh(x)/cosh(x); it tends to 1 and -1 at the infinities.",
       {{"tanh(1)", "0.761594156"}, {"tanh(infinity)", "1"}},
       {"atanh", "sinh"}},
      {"asinh", kTrig, kFn, "asinh(x)", "The inverse hyperbolic sine.",
       {{"asinh(1)", "0.881373587"}},
       {"sinh"}},
      {"acosh", kTrig, kFn, "acosh(x)",
       "The inverse hyperbolic cosine; real from 1 upwards, complex below 1.",
       {{"acosh(1)", "0."}, {"acosh(2)", "1.3169578969"}},
       {"cosh"}},
      {"atanh", kTrig, kFn, "atanh(x)",
       "The inverse hyperbolic tangent; real between -1 and 1, complex outside, and a "
       "division-by-zero error at 1 and -1.",
       {{"atanh(0.5)", "0.5493061443"}, {"atanh(2)", "#c(0.5493061443, 1.5707963268)"}},
       {"tanh"}},
      {"realpart", kTrig, kFn, "realpart(z)",
       "The real part of a complex number; a real number is its own real part.",
       {{"realpart(#c(3, 4))", "3"}, {"realpart(3)", "3"}},
       {"imagpart", "conjugate"}},
      {"imagpart", kTrig, kFn, "imagpart(z)",
       "The imaginary part of a complex number; 0 for a real number.",
       {{"imagpart(#c(3, 4))", "4"}, {"imagpart(3)", "0"}},
       {"realpart", "im"}},
      {"phase", kTrig, kFn, "phase(z)",
       "The angle of a complex number in radians, atan(imagpart(z), realpart(z)): pi for "
       "a negative real number, 0 for a positive one.",
       {{"phase(-1)", "3.1415926536"}, {"phase(#c(1, 1))", "0.7853981634"}},
       {"atan", "abs", "cis"}},
      {"cis", kTrig, kFn, "cis(t)",
       "cos(t) + im*sin(t): the complex number of length 1 at the angle t. The angle must "
       "be real.",
       {{"cis(0)", "1."}, {"cis(pi/2)", "#c(0., 1.)"}, {"cis(pi)", "-1."}},
       {"phase", "exp"}},
      {"conjugate", kTrig, kFn, "conjugate(z)",
       "The complex conjugate: the imaginary part changes its sign. Real numbers stay "
       "as they are.",
       {{"conjugate(#c(3, 4))", "#c(3, -4)"}, {"conjugate(5)", "5"}},
       {"realpart", "imagpart"}},

      // ---- rounding and conversion ----------------------------------------------
      {"floor", kRound, kFn, "floor(x, [divisor])",
       "The largest integer not above x. With a divisor, x/divisor is rounded, so "
       "floor(7, 2) is 3. A complex number is rounded part by part.",
       {{"floor(2.7)", "2"}, {"floor(-2.3)", "-3"}, {"floor(7, 2)", "3"}},
       {"ceiling", "truncate", "round"}},
      {"ceiling", kRound, kFn, "ceiling(x, [divisor])",
       "The smallest integer not below x; a divisor works as for floor.",
       {{"ceiling(2.1)", "3"}, {"ceiling(-7/2)", "-3"}, {"ceiling(7, 2)", "4"}},
       {"floor", "round"}},
      {"truncate", kRound, kFn, "truncate(x, [divisor])",
       "Drops the digits after the point: rounds toward zero. A divisor works as for "
       "floor.",
       {{"truncate(-2.7)", "-2"}, {"truncate(2.7)", "2"}, {"truncate(-7, 2)", "-3"}},
       {"floor", "round"}},
      {"round", kRound, kFn, "round(x, [divisor])",
       "The nearest integer; halves go away from zero. A divisor works as for floor.",
       {{"round(2.5)", "3"}, {"round(-2.5)", "-3"}, {"round(7, 2)", "4"}},
       {"floor", "truncate"}},
      {"numerator", kRound, kFn, "numerator(x)",
       "The numerator of a fraction in lowest terms, with its sign; an integer is its "
       "own numerator. Doubles have none.",
       {{"numerator(6/8)", "3"}, {"numerator(-3/4)", "-3"}, {"numerator(0.5)", "<Error> Is not a rational-number. 0.5"}},
       {"denominator", "rational"}},
      {"denominator", kRound, kFn, "denominator(x)",
       "The denominator of a fraction in lowest terms, always positive; 1 for an integer.",
       {{"denominator(6/8)", "4"}, {"denominator(5)", "1"}},
       {"numerator"}},
      {"ratio", kRound, kFn, "ratio(x)",
       "Turns a double into an exact fraction from its binary digits, thirty of them. "
       "Halves, quarters, eighths come out exactly; a decimal such as 0.1 has no short "
       "binary form and gives a long fraction. See rational for the decimal reading.",
       {{"ratio(0.75)", "3/4"}, {"ratio(0.1)", "53687091/536870912"}},
       {"rational", "float"}},
      {"rational", kRound, kFn, "rational(x)",
       "Turns a double into an exact fraction from its first six decimals, so 0.1 "
       "becomes 1/10; later decimals are lost.",
       {{"rational(0.1)", "1/10"}, {"rational(2.5)", "5/2"}, {"rational(1/3.0)", "333333/1000000"}},
       {"ratio", "float"}},
      {"float", kRound, kFn, "float(x)",
       "The number as a double; complex numbers get double parts.",
       {{"float(1/4)", "0.25"}, {"float(3)", "3."}, {"float(#c(1, 1/2))", "#c(1., 0.5)"}},
       {"rational", "ratio"}},

      // ---- number theory --------------------------------------------------------
      {"iszero", kTheory, kFn, "iszero(x)",
       "True for the integer 0 and the double 0. A double closer to 0 than about 1e-13 "
       "has become 0 already.",
       {{"iszero(0)", "true"}, {"iszero(1e-300)", "true"}, {"iszero(1/2)", "false"}},
       {"sgn"}},
      {"isodd", kTheory, kFn, "isodd(n)",
       "True for an odd integer, negative ones included. Anything else, a double such as "
       "7.0 too, is not odd.",
       {{"isodd(7)", "true"}, {"isodd(-7)", "true"}, {"isodd(7.0)", "false"}},
       {"iseven"}},
      {"iseven", kTheory, kFn, "iseven(n)",
       "True for an even integer, negative ones included; false for anything that is "
       "not an integer.",
       {{"iseven(-4)", "true"}, {"iseven(4.0)", "false"}},
       {"isodd"}},
      {"isprime", kTheory, kFn, "isprime(n)",
       "True for a prime number. Numbers below 2 and anything but an integer are not "
       "prime.",
       {{"isprime(97)", "true"}, {"isprime(91)", "false"}, {"isprime(1)", "false"}},
       {"factors", "divisors"}},
      {"factorial", kTheory, kFn, "factorial(n)",
       "n! = 1*2*...*n for an integer n from 0. Up to 20 the result is an exact "
       "integer; beyond that it no longer fits one and is a double.",
       {{"factorial(5)", "120"}, {"factorial(20)", "2432902008176640000"}, {"factorial(21)", "51090942171709440000."}},
       {"factors"}},
      {"factors", kTheory, kFn, "factors(n)",
       "The prime factors of n, smallest first and each as often as it divides n, as a "
       "one-row array. A number below 2 is returned as it is.",
       {{"factors(360)", "[2,2,2,3,3,5]"}, {"factors(13)", "[13]"}, {"factors(1)", "1"}},
       {"factorset", "isprime"}},
      {"factorset", kTheory, kFn, "factorset(n)",
       "The set of the distinct prime factors of n; empty below 2.",
       {{"factorset(360)", "{2,3,5}"}, {"factorset(1)", "{}"}},
       {"factors", "divisors"}},
      {"divisors", kTheory, kFn, "divisors(n)",
       "The set of the positive divisors of n, 1 and n included; empty for 0 and "
       "negative numbers.",
       {{"divisors(12)", "{1,2,3,4,6,12}"}, {"divisors(16)", "{1,2,4,8,16}"}},
       {"factors", "factorset"}},
  };
}

}  // namespace symcalc::gui::help
