// The reference of the language around the builtins: constants, operators,
// how values are written, definitions and the names a session keeps, and the
// worksheet's keys.
#include "reference.h"

namespace symcalc::gui::help {

std::vector<HelpEntry> LanguageEntries() {
  constexpr Topic kConst = Topic::Constants;
  constexpr Topic kOps = Topic::Operators;
  constexpr Topic kLit = Topic::Literals;
  constexpr Topic kDefs = Topic::Definitions;
  constexpr Topic kKeys = Topic::Keys;
  constexpr EntryKind kConstant = EntryKind::Constant;
  constexpr EntryKind kLang = EntryKind::Language;
  constexpr EntryKind kKey = EntryKind::Key;
  return {
      // ---- constants ------------------------------------------------------------------
      {"e", kConst, kConstant, "e",
       "The base of the natural logarithm, 2.718..., as a double.",
       {{"e", "2.7182818285"}, {"log(e)", "1."}},
       {"exp", "log"}},
      {"pi", kConst, kConstant, "pi",
       "The ratio of a circle's circumference to its diameter, 3.14159..., as a double. "
       "Angles are measured in radians.",
       {{"pi", "3.1415926536"}, {"cos(pi)", "-1."}},
       {"sin", "cis"}},
      {"im", kConst, kConstant, "im",
       "The imaginary unit, the complex number whose square is -1.",
       {{"im", "#c(0, 1)"}, {"im*im", "-1"}, {"2 + 3*im", "#c(2, 3)"}},
       {"#c", "realpart", "iscomplex"}},
      {"true", kConst, kConstant, "true",
       "One of the two truth values. Comparisons give them, & | ! and not combine them, "
       "and if chooses by them.",
       {{"1 < 2", "true"}, {"true & false", "false"}},
       {"false", "logic", "if"}},
      {"false", kConst, kConstant, "false", "The other truth value.",
       {{"2 < 1", "false"}, {"not(false)", "true"}},
       {"true", "logic"}},
      {"infinity", kConst, kConstant, "infinity   inf",
       "A math symbol above every number; inf is the same symbol. Arithmetic knows it: "
       "infinity + 5 is infinity, 5/infinity is 0, and infinity - infinity is undefined.",
       {{"infinity + 5", "infinity"}, {"5/inf", "0"}, {"-infinity", "-infinity"}},
       {"undefined", "isinfinity"},
       {"inf"}},
      {"undefined", kConst, kConstant, "undefined",
       "The math symbol for results that have no value, such as infinity - infinity or "
       "infinity * 0.",
       {{"infinity - infinity", "undefined"}, {"infinity * 0", "undefined"}},
       {"infinity", "isundefined"}},

      // ---- operators --------------------------------------------------------------------
      {"binding strength", kOps, kLang, ":=   & | !   = <> < > <= >=   ..   + -   * /   ^",
       "The operators from the loosest to the tightest: := ; then & | ! ; then the "
       "relations ; then .. ; then + and - ; then * and / ; then ^. A line is split at "
       "its loosest operator first. Operators of one strength group to the left, so 1-2-3 "
       "is (1-2)-3 and 8/4/2 is (8/4)/2. Parentheses group as usual. Two surprises follow "
       "from these rules: see ^ and leading minus.",
       {{"2*3+4", "10"}, {"1-2-3", "-4"}, {"1 < 2 & 2 < 3", "true"}},
       {"^", "leading minus"},
       {"operators"}},
      {"+ and -", kOps, kLang, "a + b   a - b",
       "Sum and difference. A difference is kept as a sum with the factor -1, so x-y "
       "shows as x+(-1)*y, and like terms are collected. + also joins two strings.",
       {{"x + x", "2*x"}, {"x - y", "x+(-1)*y"}, {"\"ab\" + \"cd\"", "\"abcd\""}},
       {"* and /", "binding strength"}},
      {"* and /", kOps, kLang, "a * b   a / b",
       "Product and quotient. Integers divide into exact fractions; a double anywhere "
       "makes the result a double. Arrays multiply as matrices, each row of the left one "
       "with each column of the right one.",
       {{"7/2", "7/2"}, {"7.0/2", "3.5"}, {"[1,2][3,4] * [5][6]", "[17] [39]"}},
       {"+ and -", "^"}},
      {"^", kOps, kLang, "a ^ b",
       "The power. Surprise: ^ groups to the left like every other operator, so 2^3^2 is "
       "(2^3)^2 = 64; write 2^(3^2) for 512. A negative exponent needs parentheses, "
       "2^(-1), because the minus is the loosest operator in 2^-1.",
       {{"2^3^2", "64"}, {"2^(3^2)", "512"}, {"2^(-1)", "1/2"}},
       {"pow", "leading minus", "binding strength"}},
      {"leading minus", kOps, kLang, "-a",
       "Surprise: a minus in front belongs to the atom right after it, not to the whole "
       "term, so -x^2 is (-x)^2 and -2^2 is 4. Write -(2^2) or 0-2^2 for -4. A minus "
       "right after another operator, as in 2*-3, is an error: write 2*(-3).",
       {{"-2^2", "4"}, {"-(2^2)", "-4"}, {"2*(-3)", "-6"}},
       {"^", "binding strength"}},
      {"relations", kOps, kLang, "a = b   a <> b   a < b   a > b   a <= b   a >= b",
       "Comparisons (=> =< and >< are accepted too). Numbers compare by value whatever "
       "their kind, so 1 = 1.0 is true. With a name that has no value the relation stays "
       "as it is, an equation or inequality for solve; a < b is kept as b > a.",
       {{"1 = 1.0", "true"}, {"1/3 <> 0.5", "true"}, {"x < 3", "3>x"}},
       {"solve", "logic"}},
      {"logic", kOps, kLang, "a & b   a | b   a ! b",
       "And, or and exclusive or of truth values. ! is the exclusive or, not a negation: "
       "negate with not(b). They bind more loosely than the relations, so comparisons "
       "combine without parentheses.",
       {{"true | false", "true"}, {"true ! true", "false"}, {"1 < 2 & 2 < 3", "true"}},
       {"not", "true"}},

      // ---- writing values ---------------------------------------------------------------
      {"numbers", kLit, kLang, "42   2.5   7.   1e-5",
       "Whole numbers are exact 64-bit integers. A point or an exponent makes a "
       "double, which prints with its point: 7. is a double. A quotient of integers is "
       "an exact fraction.",
       {{"2.5E+3", "2500."}, {"7.", "7."}, {"1/3 + 1/6", "1/2"}},
       {"float", "rational"}},
      {"#x", kLit, kLang, "#xff",
       "An integer in hexadecimal: #x followed by the digits 0-9 and a-f.",
       {{"#xff", "255"}, {"#x1A", "26"}},
       {"#b"}},
      {"#b", kLit, kLang, "#b101", "An integer in binary: #b followed by 0s and 1s.",
       {{"#b101", "5"}, {"#b102", "<Error> Illegal digits for radix 2. \"2\""}},
       {"#x"}},
      {"#c", kLit, kLang, "#c(re, im)",
       "The complex number with the real part re and the imaginary part im. A zero "
       "imaginary part gives a real number.",
       {{"#c(1, 2)", "#c(1, 2)"}, {"#c(1, 2) * #c(1, -2)", "5"}, {"#c(1, 0)", "1"}},
       {"im", "realpart"}},
      {"strings", kLit, kLang, "\"text\"",
       "Text between double quotes. The worksheet lower-cases everything it evaluates, "
       "strings included. A string may contain ; but not a double quote, and in an "
       "argument list a comma inside a string still separates arguments.",
       {{"\"Hello\"", "\"hello\""}, {"\"ab\" + \"cd\"", "\"abcd\""}, {"\"a;b\"", "\"a;b\""}},
       {"isstring", "symbols"}},
      {"symbols", kLit, kLang, "'name'",
       "Text between single quotes: a name used as data, for example a type name for "
       "istype.",
       {{"'abc'", "'abc'"}, {"istype(2.5, 'double')", "true"}},
       {"issymbol", "istype"}},
      {"arrays", kLit, kLang, "[1,2][3,4]",
       "Rows in square brackets with the cells separated by commas; rows follow each "
       "other directly or after one space. A one-row array is a row, [1][2] a column. "
       "Rows and columns are counted from 0.",
       {{"[1,2][3,4]", "[1,2] [3,4]"}, {"[1, 2, 3]", "[1,2,3]"}, {"[1,2][3]", "<Error> Array-size is not equal. \"[1,2][3]\""}},
       {"array", "getarg", "det"}},
      {"sets", kLit, kLang, "{1, 2, 3}",
       "Elements in braces. A set keeps its elements in one sorted order and holds each "
       "value once.",
       {{"{3, 1, 2, 1}", "{1,2,3}"}, {"{}", "{}"}},
       {"into", "union", "isset"}},
      {"ranges", kLit, kLang, "a..b",
       "The range from a to b, as plot takes it. opleft and opright give its ends.",
       {{"1..5", "1..5"}, {"opright(1..5)", "5"}},
       {"plot", "isrange"}},

      // ---- definitions and the names a session keeps ---------------------------------
      {"variables", kDefs, kLang, "name := value",
       "Gives a name a value, and the value is the result. Names are written with the "
       "letters a-z, digits and _. Names that have a value are replaced at once; a name "
       "without one stays in the expression and takes the value it has when used.",
       {{"x := 3; x^2 + 1", "3; 10"}, {"y := x + 1; x := 5; y", "1+x; 5; 6"}},
       {"removing names", "constants", "ans"}},
      {"constants", kDefs, kLang, "#name := value",
       "A # before the name makes a constant: it can be neither changed nor removed. "
       "The engine starts with the constants e, pi, im, true, false, inf, infinity and "
       "undefined.",
       {{"#c := 2; c + 1; c := 5", "2; 3; <Error> Constant is already declared. \"c\""}},
       {"variables", "pi"}},
      {"functions", kDefs, kLang, "name(a,b) := body",
       "Defines a function of up to four parameters. The parameter list is written "
       "without spaces: f(a,b) := ..., not f(a, b) := .... Names in the body that have "
       "a value are replaced when the function is defined; the parameters take the "
       "arguments of each call. A new definition of the name replaces the old one for "
       "later calls.",
       {{"f(a,b) := a*b + 1; f(2, 3)", "1+a*b; 7"},
        {"sq(t) := t^2; sq(y + 1)", "t^2; (1+y)^2"},
        {"f(a, b) := a*b", "<Error> Functionname is not correct. \"f(a, b)\""}},
       {"removing names", "clearfunc"}},
      {"removing names", kDefs, kLang, "name :=   name() :=",
       "name := with nothing after it removes the variable; name() := removes your "
       "function of that name. Both answer true.",
       {{"x := 3; x :=; x", "3; true; x"}, {"g(t) := t; g() :=; g(2)", "t; true; <Error> Function is not declared. \"g\""}},
       {"clearvar", "clearfunc"}},
      {"ans", kDefs, kLang, "ans",
       "The value of the last piece evaluated, on this line or an earlier one. It is an "
       "ordinary variable that the worksheet sets after each piece.",
       {{"6*7; ans + 1", "42; 43"}},
       {"Ctrl+M"}},
      {"clearvar", kDefs, EntryKind::Builtin, "clearvar(name)",
       "Removes a variable, as name := does, and answers true. Constants cannot be "
       "removed.",
       {{"y := 5; clearvar(y); y", "5; true; y"}, {"clearvar(y)", "<Error> Variable is not declared. y"}},
       {"removing names", "clearfunc"}},
      {"clearfunc", kDefs, EntryKind::Builtin, "clearfunc(name)",
       "Removes your function of that name, as name() := does, and answers true. After "
       "several definitions the oldest goes first. Builtins cannot be removed.",
       {{"g(t) := t + 1; clearfunc(g); g(1)", "1+t; true; <Error> Function is not declared. \"g\""},
        {"clearfunc(sin)", "<Error> Function cannot delete. sin"}},
       {"removing names", "clearvar"}},
      {"functionlist", kDefs, EntryKind::Builtin, "functionlist()",
       "A string of every function name, the builtins and your own, in alphabetical "
       "order.",
       {{"functionlist()",
         "\"abs, acos, acosh, array, asin, asinh, atan, atanh, ceiling, cis, clearfunc, "
         "clearvar, conjugate, cos, cosh, denominator, det, diff, divisors, errormath, exp, "
         "expand, factorial, factorout, factors, factorset, float, floor, funcarg, "
         "functionlist, getarg, getargxy, gettype, height, identity, if, imagpart, "
         "intersect, into, isarray, isboolean, iscomplex, isdouble, iserror, iseven, "
         "isfunction, isinfinity, ismathsymbol, isnumber, isodd, isoperator, isprime, "
         "isqword, isrange, isratio, isrational, isreal, isset, isstring, issymbol, istype, "
         "isundefined, isvariable, isvariaop, iszero, log, minus, not, numbfuncarg, "
         "numerator, opleft, opright, phase, plot, pow, ratio, rational, realpart, round, "
         "scalar, setarg, setargxy, sgn, sin, sinh, solve, sqr, subset, tan, tanh, "
         "truncate, typelist, union, untdet, untmat, vector, width\""}},
       {"functions"}},

      // ---- the worksheet's keys -----------------------------------------------------
      {"Return", kKeys, kKey, "Return",
       "Evaluates the line the cursor is in and draws its values below it. Pieces "
       "separated by ; are evaluated one after the other. If the completion list is open "
       "it closes, and the line is evaluated as you typed it.",
       {},
       {"Tab", "ans"},
       {"Enter"}},
      {"Up and Down", kKeys, kKey, "Up   Down",
       "Move to the line above or below. While the completion list is open they move in "
       "the list instead.",
       {},
       {"Tab"}},
      {"Ctrl+M", kKeys, kKey, "Ctrl+M",
       "Replaces the text of the line with the last result in text form, ready to be "
       "edited.",
       {},
       {"ans"}},
      {"Ctrl+Shift+C", kKeys, kKey, "Ctrl+Shift+C",
       "Copies the results of the line the cursor is in to the clipboard as text, as LaTeX "
       "and as a picture at once; a text editor pastes the text, a word processor the "
       "picture. Right-click a result picture to copy one form only. Text of several lines "
       "pasted into the last, empty line becomes one line each, evaluated in turn.",
       {},
       {"Ctrl+M", "Esc"}},
      {"Tab", kKeys, kKey, "Tab",
       "After two or more letters of a name a list of matching builtins and of your "
       "functions and variables opens. Tab takes the highlighted name and a click the "
       "name clicked; a function comes with its opening parenthesis. Inside a call, the line below shows "
       "what the function takes, with the current argument in bold.",
       {},
       {"Esc", "Up and Down"}},
      {"Esc", kKeys, kKey, "Esc",
       "Closes the completion list when it is open; otherwise stops a line that is still "
       "being computed, drops the pasted lines not yet started, and stops a copy still "
       "writing its text (the clipboard keeps what it held). In this reference window it "
       "closes the window.",
       {},
       {"Tab", "F1"}},
      {"F1", kKeys, kKey, "F1",
       "Opens this reference at the name the cursor is in or right after, else at the "
       "function whose parentheses hold the cursor, else at the index. The search field "
       "filters names and descriptions as you type; Paste puts an example into the "
       "worksheet's line.",
       {},
       {"Esc"}},
      {"end and quit", kKeys, kKey, "end   quit",
       "A line that reads end or quit, in any mix of capitals, closes the program.",
       {},
       {"Return"},
       {"end", "quit"}},
  };
}

}  // namespace symcalc::gui::help
