// The printer: text forms of every type, parenthesis rules, and the promise
// that printed text reads back as the same value.
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "builtins/builtins.h"
#include "eval/simplify.h"
#include "syntax/number_text.h"
#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {
namespace {

class Printer : public EngineTest {};

TEST_F(Printer, FormatDoubleKeepsThePoint) {
  struct D {
    double x;
    const char* text;
  };
  const D cases[] = {{3.0, "3."},      {0.1, "0.1"},        {2.5, "2.5"},
                     {100.0, "100."},  {0.0, "0."},         {-0.25, "-0.25"},
                     {1.0 / 3, "0.3333333333"},             {2.0 / 3, "0.6666666667"},
                     {1e20, "100000000000000000000."},      {-1e-11, "-0."},
                     {1e-11, "0."},    {123456789.125, "123456789.125"}};
  for (const D& d : cases) EXPECT_EQ(FormatDouble(d.x), d.text) << d.x;
}

// Whatever sign bit the processor leaves on a NaN (inf - inf sets it on x86).
TEST_F(Printer, NotANumberHasOneText) {
  EXPECT_EQ(FormatDouble(std::nan("")), "nan");
  EXPECT_EQ(FormatDouble(-std::nan("")), "nan");
  EXPECT_EQ(FormatDouble(-HUGE_VAL), "-inf");
  const Case cases[] = {
      {"1e308*10-1e308*10", "nan"},
      {"-(1e308*10-1e308*10)", "nan"},
      {"cis(1e308*10)", "#c(nan, nan)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Printer, NumbersIgnoreTheCLocale) {
  // Some environments give the C library a decimal comma; the language has
  // only the point.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  if (!switched) {
    // Build the locale from the system's sources into a private folder.
    const std::string dir = ::testing::TempDir() + "symcalc-locales";
    const std::string cmd = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir +
                            "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) == 0) {
      setenv("LOCPATH", dir.c_str(), 1);
      switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    }
  }
  if (switched) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 2.5);
    EXPECT_STREQ(buf, "2,5");  // the C library really uses a decimal comma now
  }
  EXPECT_EQ(Eval("2.5+1"), "3.5");
  EXPECT_EQ(Eval("1.25e1"), "12.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
}

TEST_F(Printer, EveryType) {
  const Case cases[] = {
      {"#x8000000000000000", "-9223372036854775808"},
      {"0", "0"},
      {"-1/2", "-1/2"},
      {"#c(1, 1/2)", "#c(1, 1/2)"},
      {"true", "true"},
      {"'abc'", "'abc'"},
      {"undefined", "undefined"},
      {"infinity", "infinity"},
      {"-infinity", "-infinity"},
      {"\"text\"", "\"text\""},
      {"[1,2][3,4]", "[1,2] [3,4]"},
      {"[1,2,3]", "[1,2,3]"},
      {"{}", "{}"},
      {"{2,1}", "{1,2}"},
      {"x", "x"},
      {"1..10", "1..10"},
      {"nosuch(1)", "<Error> Function is not declared. \"nosuch\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Printer, ErrorWithoutOperandEndsAfterTheMessage) {
  Value* e = MakeError(ErrorCode::FunctionNotDeclared, nullptr);
  EXPECT_EQ(PrintValue(e), "<Error> Function is not declared.");
  FreeValue(e);
}

TEST_F(Printer, FunctionArguments) {
  Value* x = MakeVariable("x");
  Value* one = MakeQword(1);
  Value* atan1 = MakeFunctionNode(BuiltinAtan, 3, x, nullptr, nullptr, nullptr);
  EXPECT_EQ(PrintValue(atan1), "atan(x)");
  Value* atan2 = MakeFunctionNode(BuiltinAtan, 3, x, one, nullptr, nullptr);
  EXPECT_EQ(PrintValue(atan2), "atan(x,1)");
  Value* list = MakeFunctionNode(BuiltinFunctionlist, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(PrintValue(list).substr(0, 6), "\"abs, ");  // computed at once: no arguments
  for (Value* v : {x, one, atan1, atan2, list}) FreeValue(v);
}

// Nodes built directly, so the printer's rules are checked independently of
// the order the simplifier would choose.
TEST_F(Printer, ParenthesisRules) {
  auto var = [](const char* n) { return MakeVariable(n); };
  auto node = [](ValueType t, Value* l, Value* r) { return MakeRawPair(t, l, r); };
  struct P {
    Value* v;
    const char* text;
  };
  const P cases[] = {
      {node(ValueType::Plus, var("x"), MakeQword(-3)), "x-3"},
      {node(ValueType::Times, var("x"), MakeQword(-3)), "x*(-3)"},
      {node(ValueType::Times, MakeQword(-1), var("y")), "(-1)*y"},
      {node(ValueType::Power, var("x"), MakeRatio(1, 2)), "x^(1/2)"},
      {node(ValueType::Times, var("x"), MakeRatio(1, 2)), "x*(1/2)"},
      {node(ValueType::Plus, var("x"), MakeRatio(1, 2)), "x+1/2"},
      {node(ValueType::Times, node(ValueType::Plus, var("a"), var("b")), var("c")), "(a+b)*c"},
      {node(ValueType::Equal, node(ValueType::Plus, var("a"), var("b")),
            node(ValueType::Plus, var("c"), var("d"))),
       "a+b=c+d"},
      {node(ValueType::And, node(ValueType::Greater, var("a"), var("b")),
            node(ValueType::NotEqual, var("c"), var("d"))),
       "a>b&c<>d"},
      {node(ValueType::Plus, var("a"), node(ValueType::Plus, var("b"), var("c"))), "a+(b+c)"},
      {node(ValueType::Plus, node(ValueType::Plus, var("a"), var("b")), var("c")), "a+b+c"},
      {node(ValueType::Power, var("a"), node(ValueType::Power, var("b"), var("c"))), "a^(b^c)"},
      {node(ValueType::Power, node(ValueType::Power, var("a"), var("b")), var("c")), "a^b^c"},
      {node(ValueType::Power, MakeRatio(2, 3), var("x")), "(2/3)^x"},
      {node(ValueType::Power, var("x"), MakeMathSymbol(kMinusInfinity)), "x^(-infinity)"},
      {node(ValueType::Plus, var("x"), MakeMathSymbol(kMinusInfinity)), "x-infinity"},
      {node(ValueType::Times, MakeDouble(-2.5), var("x")), "(-2.5)*x"},
      {node(ValueType::Plus, var("x"), MakeDouble(-2.5)), "x-2.5"},
      {node(ValueType::Range, MakeQword(1), MakeQword(-5)), "1..(-5)"},
      {node(ValueType::Times, MakeRatio(1, 2), var("x")), "1/2*x"},
  };
  for (const P& p : cases) {
    EXPECT_EQ(PrintValue(p.v), p.text);
    FreeValue(p.v);
  }
}

TEST_F(Printer, PrintedTextReadsBack) {
  const char* inputs[] = {
      "x-y",         "x/y",        "x/2",          "2*x+3*y",       "x^2*y",
      "(2/3)^x",     "x^(1/2)",    "(x+1)^2",      "x*y^(-1)",      "-x",
      "x-3",         "x+1/2",      "#c(1, 1/2)",   "x<3",           "a>b&c<>d",
      "{3,1,2}",     "[1,2][3,4]", "'sym'",        "\"str\"",       "1..10",
      "2.5*x",       "x-2.5",      "x*(-1/2)",     "(a+b)*(c+d)",   "a^b^c",
      "x^(-infinity)", "x+(-infinity)", "-infinity*x", "1/x",
  };
  for (const char* in : inputs) {
    SCOPED_TRACE(in);
    Value* v = EvaluateText(in);
    const std::string text = PrintValue(v);
    Value* back = EvaluateText(text);
    EXPECT_TRUE(Alike(v, back)) << text << " read back as " << PrintValue(back);
    FreeValue(v);
    FreeValue(back);
  }
}

TEST_F(Printer, DeepChainsPrintWithoutRecursingPerTerm) {
  // Names in ascending order, so each term joins the end of the chain.
  auto name = [](int i) {
    std::string digits = std::to_string(i);
    return "x" + std::string(5 - digits.size(), '0') + digits;
  };
  std::string text = name(0);
  for (int i = 1; i < 20000; ++i) text += "+" + name(i);
  Value* v = EvaluateText(text);
  EXPECT_EQ(PrintValue(v), text);
  FreeValue(v);
}

}  // namespace
}  // namespace symcalc::testing
