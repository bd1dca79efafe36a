// The value records: constructors, copies that share, release, and the
// live-record count that session tests rely on.
#include "builtins/builtins.h"
#include "eval/simplify.h"
#include "state/engine_state.h"
#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {
namespace {

class Values : public EngineTest {};

std::string Show(Value* v) {
  std::string s = PrintValue(v);
  FreeValue(v);
  return s;
}

TEST_F(Values, ErrorCodesAreClamped) {
  EXPECT_EQ(Show(MakeError(static_cast<ErrorCode>(-5), nullptr)), "<Error> Division by 0.");
  EXPECT_EQ(Show(MakeError(static_cast<ErrorCode>(70), nullptr)), "<Error> Is not a setof-symbol.");
  EXPECT_EQ(Show(MakeError(ErrorCode::NotASetofSymbol, nullptr)), "<Error> Is not a setof-symbol.");
}

TEST_F(Values, CopyOfASetHasItsOwnChain) {
  Value* set = EvaluateText("{1,2,3}");
  Value* copy = CopyValue(set);
  ASSERT_NE(copy->set.first, set->set.first);
  int n = 0;
  const Value* last = nullptr;
  for (const Value* e = copy->set.first; e; e = e->setLink) {
    ++n;
    last = e;
  }
  EXPECT_EQ(n, 3);
  EXPECT_EQ(last->setLink, nullptr);
  FreeValue(copy);
  EXPECT_EQ(PrintValue(set), "{1,2,3}");
  FreeValue(set);
}

TEST_F(Values, CopyOfAComplexSharesItsParts) {
  Value* c = EvaluateText("#c(1, 2)");
  Value* copy = CopyValue(c);
  EXPECT_EQ(copy->pair.left, c->pair.left);
  FreeValue(c);
  EXPECT_EQ(PrintValue(copy), "#c(1, 2)");
  FreeValue(copy);
}

TEST_F(Values, CopyLeavesTheSetLinkEmpty) {
  Value* set = EvaluateText("{1,2}");
  Value* element = CopyValue(set->set.first);
  EXPECT_EQ(element->setLink, nullptr);
  FreeValue(element);
  FreeValue(set);
}

TEST_F(Values, VariableNames) {
  EXPECT_EQ(Show(MakeVariable("x_1")), "x_1");
  EXPECT_EQ(Show(MakeVariable("X")), "<Error> Variablename is not correct. \"X\"");
  EXPECT_EQ(Show(MakeVariable("a.b")), "<Error> Variablename is not correct. \"a.b\"");
}

TEST_F(Values, ArraySizes) {
  EXPECT_EQ(Show(MakeArray(0, 3)), "<Error> Illegal array-size (lower as 1). 0");
  EXPECT_EQ(Show(MakeArray(3, -1)), "<Error> Illegal array-size (lower as 1). -1");
  EXPECT_EQ(Show(MakeArray(200, 200)),
            "<Error> Illegal array-size (width*height greater as 32767). 40000");
  EXPECT_EQ(Show(MakeArray(2, 2)), "[0,0] [0,0]");
  Value* big = MakeArray(181, 181);
  EXPECT_EQ(big->type, ValueType::Array);
  FreeValue(big);
  // The product is never formed in a narrower type: no wrap to an empty array.
  EXPECT_EQ(Show(MakeArray(4294967296LL, 4294967296LL)),
            "<Error> Illegal array-size (width*height greater as 32767). "
            "18446744073709551616.");
  EXPECT_EQ(Show(MakeArray(65536, 1)),
            "<Error> Illegal array-size (width*height greater as 32767). 65536");
}

TEST_F(Values, ArrayTakesItsCellsOverOnEveryPath) {
  const std::int64_t before = LiveRecordCount();
  CellTable* cells = MakeCellTable(2);
  cells->cells()[0] = MakeQword(1);
  cells->cells()[1] = MakeQword(2);
  FreeValue(MakeArray(0, 2, cells));  // refused: the cells are released too
  EXPECT_EQ(LiveRecordCount(), before);
  cells = MakeCellTable(2);
  cells->cells()[0] = MakeQword(1);
  Value* one = MakeQword(1);
  cells->cells()[1] = MakeError(ErrorCode::DivisionByZero, one);
  FreeValue(one);
  EXPECT_EQ(Show(MakeArray(2, 1, cells)), "<Error> Division by 0. 1");
  EXPECT_EQ(LiveRecordCount(), before);
}

TEST_F(Values, MathSymbols) {
  EXPECT_EQ(Show(MakeMathSymbol(3)), "3.1415926536");
  Value* pi = MakeMathSymbol(3);
  EXPECT_EQ(pi->type, ValueType::Double);
  FreeValue(pi);
  EXPECT_EQ(Show(MakeMathSymbol(7)), "undefined");
  EXPECT_EQ(Show(MakeMathSymbol(-1)), "undefined");
  EXPECT_EQ(Show(MakeMathSymbol(2)), "-infinity");
}

TEST_F(Values, RatioNormalisation) {
  EXPECT_EQ(Show(MakeRatio(6, 4)), "3/2");
  EXPECT_EQ(Show(MakeRatio(6, -4)), "-3/2");
  EXPECT_EQ(Show(MakeRatio(-6, -4)), "3/2");
  EXPECT_EQ(Show(MakeRatio(4, 2)), "2");
  EXPECT_EQ(Show(MakeRatio(0, 5)), "0");
  EXPECT_EQ(Show(MakeRatio(1, 0)), "<Error> Division by 0. \"pow\"");
  // The most negative 32-bit values normalise without trapping.
  EXPECT_EQ(Show(MakeRatio(INT32_MIN, -1)), "2147483648");
  EXPECT_EQ(Show(MakeRatio(-1, INT32_MIN)), "0.0000000005");
  EXPECT_EQ(Show(MakeRatio(INT32_MIN, INT32_MIN)), "1");
  EXPECT_EQ(Show(MakeRatio(2, INT32_MIN)), "-1/1073741824");
}

TEST_F(Values, DoublesSnapToZero) {
  EXPECT_EQ(Show(MakeDouble(1e-14)), "0.");
  EXPECT_EQ(Show(MakeDouble(-1e-13)), "0.");
  Value* kept = MakeDouble(1.0000000000000003e-13);
  EXPECT_NE(kept->dbl, 0.0);
  FreeValue(kept);
}

TEST_F(Values, FunctionNodeKeepsEachArgumentInItsSlot) {
  Value* a = MakeVariable("a");
  Value* b = MakeVariable("b");
  Value* c = MakeVariable("c");
  Value* d = MakeVariable("d");
  Value* node = MakeFunctionNode(BuiltinSetargxy, 5, a, b, c, d);
  EXPECT_EQ(PrintValue(node), "setargxy(a,b,c,d)");
  for (Value* v : {a, b, c, d, node}) FreeValue(v);
}

TEST_F(Values, DeepValuesAreReleasedWithoutRecursion) {
  // Built directly: a chain far deeper than any recursion could release.
  const std::int64_t before = LiveRecordCount();
  Value* v = MakeVariable("x");
  for (int i = 0; i < 200000; ++i) v = MakeRawPair(ValueType::Plus, v, MakeQword(i));
  EXPECT_EQ(LiveRecordCount(), before + 400001);
  FreeValue(v);
  EXPECT_EQ(LiveRecordCount(), before);
}

TEST_F(Values, NothingLeaksAcrossEvaluations) {
  const char* lines[] = {"x:=[1,2][3,4]", "{1,2,3}", "f(a):=a*x", "f(2)", "#c(1,2)*x",
                         "clearvar(x)",   "1/0",     "y:=y+1",    "g(a,a):=1", "f():="};
  for (const char* line : lines) {
    Value* v = EvaluateText(line);
    FreeValue(v);
  }
  EXPECT_GE(LiveRecordCount(), start_);
  EngineShutdown();
  EngineInit();
  EXPECT_EQ(LiveRecordCount(), start_);
}

// The fixture's own leak check: records the engine holds (bindings, user
// functions) go with its shutdown, so only a value the test kept counts.
TEST_F(Values, LeakCheckFailsOnlyForAKeptValue) {
  struct Planted {
    const char* line;
    bool kept;
  };
  const Planted cases[] = {
      {"7", true},
      {"7", false},
      {"{1,{2,x},\"s\"}", true},
      {"x:=[1,2][3,4]", false},
      {"f(a):=a*{a}", false},
      {"x:=[1,2][3,4]", true},
  };
  for (const Planted& c : cases) {
    SCOPED_TRACE(std::string(c.line) + (c.kept ? " kept" : " released"));
    EngineShutdown();
    EngineInit();
    Value* v = EvaluateText(c.line);
    if (!c.kept) FreeValue(v);
    EngineShutdown();
    EXPECT_EQ(static_cast<bool>(NoRecordsLeaked()), !c.kept);
    if (c.kept) FreeValue(v);
    EXPECT_TRUE(NoRecordsLeaked());
  }
  EngineInit();
}

}  // namespace
}  // namespace symcalc::testing
