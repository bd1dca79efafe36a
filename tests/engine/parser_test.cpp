// The evaluating parser: operators and their binding, atoms, literals and the
// errors of malformed input, read through the printer.
#include <string>

#include "syntax/parser.h"
#include "test_support.h"

namespace symcalc::testing {
namespace {

class Parser : public EngineTest {};

TEST_F(Parser, LoosestOperatorWinsRightmost) {
  const Case cases[] = {
      {"1-2-3", "-4"},       {"2*3+4", "10"},   {"2+3*4", "14"},
      {"10/2/5", "1"},       {"2*(-3)", "-6"},  {"-2*2", "-4"},
      {"(1+2)*3", "9"},      {"1 + 2", "3"},    {"  7  ", "7"},
      {"-(-(3))", "3"},
      {"3>2 & 2>1", "true"}, {"1..10", "1..10"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, SignsBindToTheAtomOnly) {
  const Case cases[] = {
      {"2*-3", "<Error> Illegal number format. \"2*\""},
      {"2^-1", "<Error> Illegal number format. \"2^\""},
      {"- 5", "-5"},
      {"+ 5", "<Error> Variablename is not correct. \" 5\""},
      {"+5", "5"},
      // A second sign is an operator with nothing on its left.
      {"--5", "<Error> Illegal number format. \"\""},
      {"+-5", "<Error> Illegal number format. \"+\""},
      {"---5", "<Error> Illegal number format. \"--\""},
      {"-", "<Error> Illegal number format. \"\""},
      {"+", "<Error> Illegal number format. \"+\""},
      {"!x", "<Error> Illegal number format. \"!x\""},
      {"&x", "<Error> Illegal number format. \"&x\""},
      {"1+", "<Error> Illegal number format. \"1+\""},
      {"*2", "<Error> Illegal number format. \"*2\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, NumbersOfEveryKind) {
  const Case cases[] = {
      {"7", "7"},
      {"7.0", "7."},
      {"7.", "7."},
      {"7e0", "7."},
      {"1e-5", "0.00001"},
      {"2.5E+3", "2500."},
      {"1.2.3", "<Error> Illegal number format. \"1.2.3\""},
      {"e-1", "1.7182818285"},
      {"x2e-1", "<Error> Variablename is not correct. \"x2e-1\""},
      {"1e-14", "0."},
      {"9223372036854775807", "9223372036854775807"},
      {"#x8000000000000000", "-9223372036854775808"},
      {"-9223372036854775807", "-9223372036854775807"},
      // Too long for 64 bits: read as a double, never wrapped around.
      {"9223372036854775808", "9223372036854775808."},
      {"18446744073709551617", "18446744073709551616."},
  };
  EXPECT_CASES(cases);
  // The largest doubles print in full, all 309 digits and the point.
  const std::string big = Eval("1e308");
  EXPECT_EQ(big.size(), 310u);
  EXPECT_EQ(big.substr(0, 17), "10000000000000000");
  EXPECT_EQ(big.back(), '.');
}

TEST_F(Parser, RadixLiterals) {
  const Case cases[] = {
      {"#b101", "5"},
      {"#b", "0"},
      {"#B11", "3"},
      {"#b102", "<Error> Illegal digits for radix 2. \"2\""},
      {"#xff", "255"},
      {"#XFF", "255"},
      {"#x", "0"},
      {"#xfg", "<Error> Illegal digits for radix 16. \"g\""},
      {"#xffffffffffffffff", "-1"},
      {"#x7fffffffffffffff", "9223372036854775807"},
      {"#x0000000000000000000ff", "255"},
      {"#x1ffffffffffffffff", "<Error> Illegal number format. \"#x1ffffffffffffffff\""},
      {"#b1" "0000000000000000000000000000000000000000000000000000000000000000",
       "<Error> Illegal number format. "
       "\"#b10000000000000000000000000000000000000000000000000000000000000000\""},
      {"#e", "<Error> Illegal number format. \"#e\""},
      {"#", "<Error> Illegal number format. \"#\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, ComplexLiterals) {
  const Case cases[] = {
      {"#c(1, 2)", "#c(1, 2)"},
      {"#c(1,0)", "1"},
      {"#c(1/2, -1)", "#c(1/2, -1)"},
      {"#c(x, 1)", "#c(x, 1)"},
      {"#c", "<Error> Illegal complex number format. \"#c\""},
      {"#c(1 2)", "<Error> Illegal complex number format. \"#c(1 2)\""},
      {"#c(1,2", "<Error> '(' without ')'. \"#c(1,2\""},
      {"#c(#c(1,2), 1)", "<Error> Is not a real-number. #c(1, 2)"},
      {"#c(true, 1)", "<Error> Is not a number-type. true"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, StringsAndSymbols) {
  const Case cases[] = {
      {"\"a,b\"", "\"a,b\""},
      {"'a'", "'a'"},
      {"\"\"", "\"\""},
      {"\"a\"b\"", "<Error> Illegal string format. \"\"a\"b\"\""},
      {"'", "<Error> Illegal string format. \"'\""},
      {"\"", "<Error> Illegal string format. \"\"\""},
      {"isstring(\"a,b\")", "true"},
      {"\"x+1\"", "\"x+1\""},
  };
  EXPECT_CASES(cases);
}

// A call's arguments are split where the rest of the parser sees a comma:
// not inside quotes, and a bracket inside quotes neither opens nor closes.
TEST_F(Parser, CallArgumentsHonourQuotes) {
  const Case cases[] = {
      {"issymbol('a,b')", "true"},
      {"isstring(\")\")", "true"},
      {"isstring(\"(,\")", "true"},
      {"if(true, \"x,y\", 2)", "\"x,y\""},
      {"if(false, 1, \"]}\")", "\"]}\""},
      {"f(s):=s", "s"},
      {"f(\"1,2\")", "\"1,2\""},
      // Outside the quotes a comma still separates and a closer still has to match.
      {"isstring(\"a\",b)", "<Error> Incorrect number of parameters. \"isstring(\"a\",b)\""},
      {"isstring(\"a\"))", "<Error> ')' without '('. \"isstring(\"a\"))\""},
      {"isstring(\"(\",1])", "<Error> ']' without '['. \"isstring(\"(\",1])\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, ArrayLiterals) {
  const Case cases[] = {
      {"[1,2][3,4]", "[1,2] [3,4]"},
      {"[1,2] [3,4]", "[1,2] [3,4]"},
      {"[1,2,3]", "[1,2,3]"},
      {"[1][2]", "[1] [2]"},
      {"[1,2]  [3,4]", "<Error> Illegal array format. \"[1,2]  [3,4]\""},
      {"[1,2][3]", "<Error> Array-size is not equal. \"[1,2][3]\""},
      {"[]", "<Error> Illegal array format. \"[]\""},
      {"[1,]", "<Error> Illegal array format. \"[1,]\""},
      {"[1,[2]]", "<Error> Illegal array format. \"[1,[2]]\""},
      {"[1,2]x", "<Error> Illegal array format. \"[1,2]x\""},
      {"[1,2", "<Error> '[' without ']'. \"[1,2\""},
      {"[1/0,2]", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, CellsKeepTheirBrackets) {
  // Parentheses, braces and quotes inside a cell hide their commas.
  EXPECT_EQ(Eval("[{1,2},\"a,b\"]"), "[{1,2},\"a,b\"]");
  EXPECT_EQ(Eval("[(1+2)*3,4]"), "[9,4]");
}

TEST_F(Parser, SetLiterals) {
  const Case cases[] = {
      {"{3,1,2,1}", "{1,2,3}"},
      {"{}", "{}"},
      {"{ }", "{}"},
      {"{1,2}3", "<Error> Illegal set format. \"{1,2}3\""},
      {"{1,1/0,2}", "<Error> Division by 0. \"pow\""},
      {"{{1},{1}}", "{{1}}"},
      {"{1", "<Error> '{' without '}'. \"{1\""},
      {"1}", "<Error> '}' without '{'. \"1}\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, SetElementsIgnoreHoldMode) {
  // clearvar parses its argument without substitution, but a set literal
  // inside it still evaluates its elements.
  Eval("y:=5");
  EXPECT_EQ(Eval("clearvar({y})"), "<Error> Is not a string, symbol or variable. {5}");
}

TEST_F(Parser, BracketErrors) {
  const Case cases[] = {
      {"(1+2", "<Error> '(' without ')'. \"(1+2\""},
      {"1+2)", "<Error> ')' without '('. \"1+2)\""},
      {"abs(1))", "<Error> ')' without '('. \"abs(1))\""},
      {"1]", "<Error> ']' without '['. \"1]\""},
      {"(1", "<Error> '(' without ')'. \"(1\""},
      {"(", "<Error> '(' without ')'. \"(\""},
      {")", "<Error> ')' without '('. \")\""},
      {"(1)2", "<Error> Illegal number format. \"(1)2\""},
      {"", "<Error> Illegal number format. \"\""},
      {"   ", "<Error> Illegal number format. \"\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, Calls) {
  const Case cases[] = {
      {"isqword(1)", "true"},
      {"isqword(1,2)", "<Error> Incorrect number of parameters. \"isqword(1,2)\""},
      {"isqword()", "<Error> Incorrect number of parameters. \"isqword()\""},
      {"isqword( )", "<Error> Incorrect number of parameters. \"isqword( )\""},
      {"typelist(1)", "<Error> Incorrect number of parameters. \"typelist(1)\""},
      {"nosuch(1)", "<Error> Function is not declared. \"nosuch\""},
      {"isqword (1)", "<Error> Function is not declared. \"isqword \""},
      {"isqword(1", "<Error> '(' without ')'. \"isqword(1\""},
      {"isqword(1)2", "<Error> Illegal function format. \"isqword(1)2\""},
      {"isqword(1])", "<Error> ']' without '['. \"isqword(1])\""},
      {"istype(1,'qword')", "true"},
      {"istype(1)", "<Error> Incorrect number of parameters. \"istype(1)\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, HoldMaskKeepsNamesUnsubstituted) {
  Eval("x:=3");
  EXPECT_EQ(Eval("clearvar(x)"), "true");
  EXPECT_EQ(Eval("x"), "x");
  Eval("y:=4");
  EXPECT_EQ(Eval("isvariable(y)"), "false");
}

TEST_F(Parser, Definitions) {
  EXPECT_EQ(Eval("x:=3"), "3");
  EXPECT_EQ(Eval("x"), "3");
  EXPECT_EQ(Eval("x:="), "true");
  EXPECT_EQ(Eval("x"), "x");
  EXPECT_EQ(Eval("x:="), "<Error> Variable is not declared. \"x\"");
  EXPECT_EQ(Eval("f(a):=a+1"), "1+a");
  EXPECT_EQ(Eval("f():="), "true");
  EXPECT_EQ(Eval("f(1)"), "<Error> Function is not declared. \"f\"");
  // A right side that fails is bound all the same.
  EXPECT_EQ(Eval("z:=1/0"), "<Error> Division by 0. \"pow\"");
  EXPECT_EQ(Eval("z"), "<Error> Division by 0. \"pow\"");
}

TEST_F(Parser, OperatorCodes) {
  struct CodeCase {
    const char* text;
    std::size_t pos;
    Operator op;
  };
  using enum Operator;
  const CodeCase cases[] = {
      {"x:=1", 1, Assignment}, {"a&b", 1, Logic},    {"a|b", 1, Logic},     {"a!b", 1, Logic},
      {"a>=b", 1, Relation},   {"a>=b", 2, None},    {"a<>b", 1, Relation}, {"a<>b", 2, None},
      {"a=<b", 1, Relation},   {"a<b", 1, Relation}, {"1..2", 1, Range},    {"a+b", 1, Sum},
      {"1e-5", 2, None},       {"e-1", 1, Sum},      {"1.e+5", 3, None},    {"a*b", 1, Product},
      {"a/b", 1, Product},     {"a^b", 1, Power},    {"(", 0, None},        {")", 0, None},
      {"[", 0, None},          {"]", 0, None},       {"{", 0, None},        {"}", 0, None},
      {"a:b", 1, None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.pos));
    EXPECT_EQ(OperatorCode(c.text, c.pos), c.op);
  }
}

// Long and deep input: linear time, no stack overflow, exact results below
// the nesting limit and error 1 above it.
TEST_F(Parser, LongChainsAreLinear) {
  std::string sum = "1";
  for (int i = 1; i < 100000; ++i) sum += "+1";
  EXPECT_EQ(Eval(sum), "100000");

  std::string mixed = "0";
  for (int i = 0; i < 20000; ++i) mixed += "+3-2";
  EXPECT_EQ(Eval(mixed), "20000");

  std::string row = "[0";
  for (int i = 1; i < 30000; ++i) row += ",1";
  row += "]";
  Value* v = EvaluateText(row);
  EXPECT_EQ(ArrayWidth(v), 30000);
  FreeValue(v);

  std::string rows;
  for (int i = 0; i < 30000; ++i) rows += "[1]";
  v = EvaluateText(rows);
  EXPECT_EQ(ArrayHeight(v), 30000);
  FreeValue(v);
}

TEST_F(Parser, ChainSplitMatchesTheRecursiveReading) {
  const Case cases[] = {
      {"1-2-3-4", "-8"},
      {"64/4/2*3", "24"},
      {"1<2=true", "<Error> Is not a number-type. true"},
      {"1-+2", "<Error> Illegal number format. \"1-\""},
      {"1- -2", "<Error> Illegal number format. \"1-\""},
      {"1...2", "1...2"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Parser, NestingLimit) {
  auto nested = [](int depth) {
    return std::string(static_cast<std::size_t>(depth), '(') + "1" +
           std::string(static_cast<std::size_t>(depth), ')');
  };
  EXPECT_EQ(Eval(nested(2999)), "1");
  EXPECT_EQ(Eval(nested(3000)).rfind("<Error> Illegal number format.", 0), 0u);
  auto signs = [](int depth) {
    std::string s;
    for (int i = 0; i < depth; ++i) s += "-(";
    return s + "1" + std::string(static_cast<std::size_t>(depth), ')');
  };
  EXPECT_EQ(Eval(signs(1499)), "-1");
  EXPECT_EQ(Eval(signs(1501)).rfind("<Error> Illegal number format.", 0), 0u);
  // A long run of signs is refused at once, with the run as the operand.
  const std::string dashes(100000, '-');
  EXPECT_EQ(Eval(dashes + "1"),
            "<Error> Illegal number format. \"" + dashes.substr(1) + "\"");
  std::string braces = std::string(5000, '{') + std::string(5000, '}');
  EXPECT_EQ(Eval(braces).rfind("<Error> Illegal number format.", 0), 0u);
  std::string calls;
  for (int i = 0; i < 2000; ++i) calls += "isqword(";
  calls += "1";
  calls += std::string(2000, ')');
  EXPECT_EQ(Eval(calls), "false");
}

// The nesting is that of the text, counted in one pass before reading:
// brackets of every kind and leading minus signs, not the levels the reading
// takes for operators. Past the limit the part at the limit is the operand.
TEST_F(Parser, NestingIsCountedOnTheText) {
  auto repeat = [](std::string_view open, int n, std::string_view inner, std::string_view close) {
    std::string s;
    for (int i = 0; i < n; ++i) s += open;
    s += inner;
    for (int i = 0; i < n; ++i) s += close;
    return s;
  };
  const std::string tooDeep = "<Error> Illegal number format. \"";
  struct NestingCase {
    std::string input;
    std::string expected;
  };
  const NestingCase cases[] = {
      // A million levels are refused before anything is read.
      {repeat("(", 1000000, "1", ")"), tooDeep + repeat("(", 997000, "1", ")") + "\""},
      {repeat("{", 1000000, "1", "}"), tooDeep + repeat("{", 997000, "1", "}") + "\""},
      {repeat("sin(", 1000000, "x", ")"), tooDeep + repeat("sin(", 997000, "x", ")") + "\""},
      {repeat("1+(", 1000000, "1", ")"), tooDeep + repeat("1+(", 997000, "1", ")") + "\""},
      // A sign at the limit: its atom runs to the end of its bracket.
      {repeat("(-", 1500, "x", ")"), tooDeep + "-x\""},
      {repeat("(-", 1499, "((x))", ")"), tooDeep + "x\""},
      // Operators between the brackets add no nesting.
      {repeat("1+(", 2999, "1", ")"), "3000"},
      {repeat("-(1+(", 999, "1", "))"), "-2"},
      // Quoted brackets are text.
      {"\"" + std::string(5000, '(') + "\"", "\"" + std::string(5000, '(') + "\""},
  };
  for (const NestingCase& c : cases) {
    SCOPED_TRACE(c.input.substr(0, 40));
    EXPECT_EQ(Eval(c.input), c.expected);
  }
}

}  // namespace
}  // namespace symcalc::testing
