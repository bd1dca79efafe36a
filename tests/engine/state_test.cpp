// Engine state: definitions with ":=", constants, user functions, clearvar,
// clearfunc, functionlist, typelist and the registry.
#include <map>
#include <tuple>

#include "builtins/builtin_table.h"
#include "builtins/builtins.h"
#include "state/engine_state.h"
#include "test_support.h"

namespace symcalc::testing {
namespace {

class State : public EngineTest {};

struct Step {
  const char* input;
  const char* expected;
};

// Runs a session: each step's text through one engine, in order.
#define EXPECT_SESSION(steps)                                       \
  for (const auto& st : steps) {                                    \
    SCOPED_TRACE(st.input);                                         \
    EXPECT_EQ(Eval(st.input), std::string(st.expected)) << st.input; \
  }

TEST_F(State, Constants) {
  const Step steps[] = {
      {"e", "2.7182818285"},
      {"pi", "3.1415926536"},
      {"im", "#c(0, 1)"},
      {"true", "true"},
      {"false", "false"},
      {"undefined", "undefined"},
      {"inf", "infinity"},
      {"infinity", "infinity"},
      {"ans", "0"},
      {"e:=3", "<Error> Constant is already declared. \"e\""},
      {"clearvar(pi)", "<Error> Constant cannot delete. 3.1415926536"},
      {"#c:=2", "2"},
      {"#c:=3", "<Error> Constant is already declared. \"c\""},
      {"c:=3", "<Error> Constant is already declared. \"c\""},
      {"c", "2"},
      {"v:=1", "1"},
      {"#v:=2", "2"},
      {"v:=3", "<Error> Constant is already declared. \"v\""},
  };
  EXPECT_SESSION(steps);
}

TEST_F(State, ExactConstants) {
  Value* e = EvaluateText("e");
  EXPECT_EQ(RawDouble(e), 2.7182818284590455);
  EXPECT_NE(RawDouble(e), 2.718281828459045);
  FreeValue(e);
  Value* pi = EvaluateText("pi");
  EXPECT_EQ(RawDouble(pi), 3.141592653589793);
  FreeValue(pi);
}

TEST_F(State, Variables) {
  const Step steps[] = {
      {"x:=5", "5"},
      {"x", "5"},
      {"clearvar(y)", "<Error> Variable is not declared. y"},
      {"clearvar(x)", "true"},
      {"x", "x"},
      {"clearvar(3)", "<Error> Is not a string, symbol or variable. 3"},
      {"clearvar(1/0)", "<Error> Division by 0. \"pow\""},
      {"z:=1", "1"},
      {"clearvar(\"z\")", "true"},
      {"z:=1", "1"},
      {"clearvar('z')", "true"},
      {"X:=1", "<Error> Variablename is not correct. \"X\""},
      {"x y:=1", "<Error> Variablename is not correct. \"x y\""},
  };
  EXPECT_SESSION(steps);
}

TEST_F(State, FunctionDefinitions) {
  const Step steps[] = {
      {"f(a,b):=a*b", "a*b"},
      {"f(2,3)", "6"},
      {"f(2)", "<Error> Incorrect number of parameters. \"f(2)\""},
      {"g(a,a):=1", "<Error> Parameternames must be different. \"g(a,a)\""},
      {"g(a,b,c,d,e):=1", "<Error> Maximum of parameter is 4. \"g(a,b,c,d,e)\""},
      {"g(,a):=1", "<Error> Functionname is not correct. \"g(,a)\""},
      {"g(a,):=1", "<Error> Functionname is not correct. \"g(a,)\""},
      {"G:=1", "<Error> Variablename is not correct. \"G\""},
      {"g(a)b:=1", "<Error> Functionname is not correct. \"g(a)b\""},
      {"g(a:=1", "<Error> '(' without ')'. \"g(a:=1\""},
      {"g(a+b):=1", "<Error> Functionname is not correct. \"g(a+b)\""},
      {"sin(x):=1", "<Error> Function is already declared. \"sin\""},
      {"clearfunc(sin)", "<Error> Function cannot delete. sin"},
      {"clearfunc(nothere)", "<Error> Function is not declared. nothere"},
      {"clearfunc(3)", "<Error> Is not a string, symbol or variable. 3"},
      {"k():=7", "7"},
      {"k()", "7"},
      {"four(a,b,c,d):=a+b+c+d", "a+b+c+d"},
      {"four(1,2,3,4)", "10"},
  };
  EXPECT_SESSION(steps);
}

// Parameter names are taken apart once, when the function is defined; every
// call binds its arguments to them by position (all at once, so swapped
// names stay swapped), and a parameter hides a variable of its name only
// during the call.
TEST_F(State, ArgumentsBindToParametersByPosition) {
  const Step steps[] = {
      {"q(u,v):=u-v", "u+(-1)*v"},
      {"q(1,2)", "-1"},
      {"q(v,u)", "(-1)*u+v"},
      {"q(u,v):=u*v", "u*v"},
      {"q(2,3)", "6"},
      {"clearfunc(q)", "true"},
      {"u:=7", "7"},
      {"q(1,2)", "2"},
      {"u", "7"},
  };
  EXPECT_SESSION(steps);
}

TEST_F(State, NewestDefinitionWinsOldestIsRemovedFirst) {
  const Step steps[] = {
      {"f(t):=t+1", "1+t"},
      {"f(t):=t+2", "2+t"},
      {"f(1)", "3"},
      {"clearfunc(f)", "true"},
      {"f(1)", "3"},
      {"clearfunc(f)", "true"},
      {"f(1)", "<Error> Function is not declared. \"f\""},
  };
  EXPECT_SESSION(steps);
}

TEST_F(State, BodiesAreEvaluatedAtDefinitionTime) {
  EXPECT_EQ(Eval("x:=3"), "3");
  EXPECT_EQ(Eval("g(t):=t+x"), "3+t");
  EXPECT_EQ(Eval("clearvar(x)"), "true");
  EXPECT_EQ(Eval("h(x):=x*x"), "x^2");
  EXPECT_EQ(Eval("h(y)"), "y^2");
  EXPECT_EQ(Eval("x"), "x");  // the parameter binding is gone again
}

TEST_F(State, ParametersShadowGlobals) {
  EXPECT_EQ(Eval("f(a):=a+b"), "a+b");
  EXPECT_EQ(Eval("a:=100"), "100");
  EXPECT_EQ(Eval("b:=10"), "10");
  EXPECT_EQ(Eval("f(1)"), "11");
  EXPECT_EQ(Eval("a"), "100");
}

TEST_F(State, ArgumentsMentioningParametersAreSubstitutedOnce) {
  const Step steps[] = {
      {"q(x):=x*x", "x^2"},
      {"q(x+1)", "(1+x)^2"},
      {"q(y+1)", "(1+y)^2"},
      {"w(x,y):=x+2*y", "x+2*y"},
      {"w(y,x)", "2*x+y"},
      {"w(x,x)", "3*x"},
  };
  EXPECT_SESSION(steps);
}

TEST_F(State, SelfReferenceIsRefused) {
  const Step steps[] = {
      {"x:=x+1", "<Error> Variable is not declared. x"},
      {"x", "x"},
      {"x:=x", "x"},
      {"x", "x"},
      {"a:=b", "b"},
      {"b:=a*2", "<Error> Variable is not declared. b"},
      {"b:=c", "c"},
      {"c:=a", "c"},
      {"a+1", "1+c"},
      {"s:=sin(s)", "<Error> Variable is not declared. s"},
  };
  EXPECT_SESSION(steps);
}

// A value can hold a variable in every part Simplify or arithmetic looks
// into; naming the assigned variable in any of them, directly or through
// other bindings, is a cycle and refused like y:=y+1.
TEST_F(State, SelfReferenceInsideAnyPartIsRefused) {
  const Step steps[] = {
      {"y:=#c(1,y)", "<Error> Variable is not declared. y"},
      {"y:=[y,1]", "<Error> Variable is not declared. y"},
      {"y:={1,{y}}", "<Error> Variable is not declared. y"},
      {"y:=1..y", "<Error> Variable is not declared. y"},
      {"y:=y..2", "<Error> Variable is not declared. y"},
      {"y:=1+{y}", "<Error> Variable is not declared. y"},  // an error whose operand is {y}
      {"y:=[(1..sin(y))]", "<Error> Variable is not declared. y"},
      {"y", "y"},
      {"y:=[x,1]", "[x,1]"},
      {"a:=[b]", "[b]"},
      {"b:={a}", "<Error> Variable is not declared. b"},
      {"b:=[(1..a)]", "<Error> Variable is not declared. b"},
      // A simplified sum is trusted not to mention b by its name mask, but
      // the array in it keeps its variables out of the mask.
      {"b:=a+w", "<Error> Variable is not declared. b"},
      {"b", "b"},
      {"c:=a", "[b]"},
      {"2*c", "[2*b]"},
  };
  EXPECT_SESSION(steps);
}

// A parameter bound to an argument that mentions it would be found again
// wherever arithmetic looks into the argument: such an argument is put into
// the body in one pass instead, like any argument naming a parameter.
TEST_F(State, ArgumentsMentioningParametersInsideArraysAreSubstitutedOnce) {
  const Step steps[] = {
      {"g(a):=2*a", "2*a"},
      {"g([a,1])", "[2*a,2]"},
      {"g([b,1])", "[2*b,2]"},
      {"h(p,q):=p*q", "p*q"},
      {"h([q,1],2)", "[2*q,2]"},
      {"h(1..p,q)", "(1..p)*q"},
  };
  EXPECT_SESSION(steps);
}

TEST_F(State, RemovedEntryIsNeverCalled) {
  EXPECT_EQ(Eval("f(x):=x"), "x");
  EXPECT_EQ(Eval("f(clearfunc(f))"), "<Error> Function is not declared. \"f\"");
  EXPECT_EQ(Eval("g(x):=x"), "x");
  EXPECT_EQ(Eval("g(g():=)"), "<Error> Function is not declared. \"g\"");
  EXPECT_EQ(Eval("f(1)"), "<Error> Function is not declared. \"f\"");
}

TEST_F(State, FailedAssignChangesNothing) {
  EXPECT_EQ(Eval("#k:=1"), "1");
  const std::size_t vars = Engine().variables.size();
  const std::size_t funcs = Engine().registry.size();
  const std::int64_t records = LiveRecordCount();
  const char* failing[] = {"k:=2", "f(a,a):=1", "sin(x):=1", "f(a,b,c,d,e):=1", "F:=1",
                           "q:=q*2"};
  for (const char* line : failing) {
    SCOPED_TRACE(line);
    Value* v = EvaluateText(line);
    EXPECT_EQ(TypeOf(v), ValueType::Error);
    FreeValue(v);
    EXPECT_EQ(Engine().variables.size(), vars);
    EXPECT_EQ(Engine().registry.size(), funcs);
    EXPECT_EQ(LiveRecordCount(), records);
  }
}

TEST_F(State, Listings) {
  const std::string types = Eval("typelist()");
  EXPECT_EQ(types.substr(0, 28), "\"'qword', 'double', 'ratio',");
  EXPECT_EQ(types.substr(types.size() - 11), "'>=', '<>'\"");
  EXPECT_EQ(Eval("f(x):=x"), "x");
  const std::string list = Eval("functionlist()");
  EXPECT_EQ(list.substr(0, 12), "\"abs, acos, ");
  EXPECT_NE(list.find(", f, "), std::string::npos);
  EXPECT_LT(list.find("abs"), list.find("acos"));
  // Listing never reorders the registry, so the newest f is still the one called.
  EXPECT_EQ(Eval("f(x):=2*x"), "2*x");
  Eval("functionlist()");
  EXPECT_EQ(Eval("f(3)"), "6");
}

// The builtin files' own tables make up the registry: a keyword dropped from
// its table, listed twice, or out of place in the registry fails here.
TEST_F(State, FileTablesFillTheRegistryInItsOrder) {
  std::map<std::string_view, int> tables;
  for (const BuiltinSpec& spec : BuiltinTable()) ++tables[spec.name];
  for (const auto& [name, count] : tables) EXPECT_EQ(count, 1) << name;
  const std::span<const std::string_view> order = RegistryOrder();
  for (std::string_view name : order) EXPECT_EQ(tables[name], 1) << name;
  ASSERT_GE(Engine().registry.size(), order.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    EXPECT_EQ(Engine().registry[i]->name, order[i]) << i;
}

TEST_F(State, RegistryHoldsAllBuiltins) {
  EXPECT_EQ(Engine().registry.size(), 96u);
  const BuiltinEntry* first = Engine().registry.front();
  EXPECT_EQ(first->name, "functionlist");
  const BuiltinEntry* last = Engine().registry.back();
  EXPECT_EQ(last->name, "numbfuncarg");
  struct Counts {
    const char* name;
    int max, optional, hold;
  };
  const Counts counts[] = {{"clearvar", 1, 0, 1}, {"diff", 2, 0, 2}, {"solve", 2, 0, 2},
                           {"atan", 2, 1, 0},     {"round", 2, 1, 0}, {"if", 3, 1, 0},
                           {"setargxy", 4, 0, 0}, {"typelist", 0, 0, 0}, {"pow", 2, 0, 0}};
  for (const Counts& c : counts) {
    const BuiltinEntry* e = FindFunction(c.name);
    ASSERT_NE(e, nullptr) << c.name;
    EXPECT_EQ(e->maxArgs, c.max) << c.name;
    EXPECT_EQ(e->optionalArgs, c.optional) << c.name;
    EXPECT_EQ(e->holdMask, c.hold) << c.name;
  }
}

TEST_F(State, ExternalFunctionsRegisterOnce) {
  auto first = [](Value* const*, Value* out) { return MakeQword(1, out); };
  auto second = [](Value* const*, Value* out) { return MakeQword(2, out); };
  RegisterExternalFunction(first, "plot", 3, 1);
  RegisterExternalFunction(second, "plot", 3, 1);
  EXPECT_EQ(Eval("plot(1,2)"), "1");
  EXPECT_EQ(Eval("plot(1)"), "<Error> Incorrect number of parameters. \"plot(1)\"");
  EXPECT_EQ(Eval("plot(x):=1"), "<Error> Function is already declared. \"plot\"");
}

TEST_F(State, ApiAccessors) {
  Value* v = EvaluateText("1/3");
  EXPECT_EQ(RatioNumerator(v), 1);
  EXPECT_EQ(RatioDenominator(v), 3);
  FreeValue(v);
  v = EvaluateText("x:=7");
  Value* x = EvaluateText("x");
  EXPECT_EQ(QwordValueOf(x), 7);
  FreeValue(x);
  FreeValue(v);
  Value* name = MakeVariable("x");
  EXPECT_EQ(QwordValueOf(name), 7);  // accessors look through bindings
  EXPECT_EQ(VariableNameOf(name), "");
  FreeValue(name);
  EXPECT_EQ(ErrorMessage(40), "Function is not declared.");
  EXPECT_EQ(ErrorMessage(60), "");
  Value* t = EvaluateText("3>2");
  EXPECT_TRUE(IsTrue(t));
  EXPECT_FALSE(IsFalse(t));
  FreeValue(t);
}

// The counts a call is checked against, as the worksheet explains a call
// with the wrong number of arguments: optional ones lower the fewest, and the
// newest user definition is the one a call reaches.
TEST_F(State, ArgumentCountsOfTheFunctionACallReaches) {
  for (const char* line : {"f(a,b):=a*b", "f(a):=a", "g(a):=1", "clearfunc(g)"}) Eval(line);
  // name: found, fewest, most (-1: left unwritten)
  const std::tuple<const char*, bool, int, int> rows[] = {
      {"sin", true, 1, 1}, {"atan", true, 1, 2}, {"if", true, 2, 3}, {"typelist", true, 0, 0},
      {"f", true, 1, 1},   {"g", false, -1, -1}, {"nosuch", false, -1, -1}};
  for (const auto& [name, found, fewest, most] : rows) {
    int counts[2] = {-1, -1};
    EXPECT_EQ(FunctionArgumentCounts(name, &counts[0], &counts[1]), found) << name;
    EXPECT_EQ(counts[0], fewest) << name;
    EXPECT_EQ(counts[1], most) << name;
  }
}

TEST_F(State, LineHandling) {
  EXPECT_EQ(Line("x:=2; x*x+1/3"), "2\n13/3");
  EXPECT_EQ(Line("1;;2"), "1\n2");
  EXPECT_EQ(Line("\"a;b\""), "\"a;b\"");
  EXPECT_EQ(Line("  ;  "), "");
  EXPECT_EQ(Line("ANS"), "\"a;b\"");  // set by the last value of the line before
  EXPECT_EQ(Line("\"ÀÉÎ\""), "\"àéî\"");
  EXPECT_EQ(Line("\"×\""), "\"×\"");
  EXPECT_TRUE(HandleLine("QuIt").quit);
  EXPECT_TRUE(HandleLine("end").quit);
  LineResult r = HandleLine("quit;1");
  EXPECT_FALSE(r.quit);
  ASSERT_EQ(r.values.size(), 2u);
  ReleaseValues(r.values);
  EXPECT_EQ(Line("5; ans+1"), "5\n6");
}

TEST_F(State, NamesListUserFunctionsWithParametersAndEveryBinding) {
  Line("area(w,h):=w*h; area(w,h):=w*h/2; v:=1; #k:=2");
  const std::vector<FunctionInfo> functions = RegisteredFunctions();
  ASSERT_EQ(functions.size(), 98u);  // the 96 builtins and two definitions
  EXPECT_EQ(functions.front().name, "functionlist");
  const FunctionInfo& atan = functions[63];
  EXPECT_EQ(atan.name, "atan");
  EXPECT_EQ(atan.maxArgs, 2);
  EXPECT_EQ(atan.optionalArgs, 1);
  EXPECT_FALSE(atan.userDefined);
  const FunctionInfo& area = functions.back();
  EXPECT_TRUE(area.userDefined);
  EXPECT_EQ(area.maxArgs, 2);
  EXPECT_EQ(area.parameters, (std::vector<std::string>{"w", "h"}));
  std::string bindings;
  for (const VariableInfo& b : VariableBindings()) bindings += b.name + (b.constant ? "# " : " ");
  EXPECT_EQ(bindings, "e# im# false# true# ans undefined# inf# infinity# pi# v k# ");
}

TEST_F(State, ScratchEngineNeitherSeesNorChangesTheUserState) {
  Line("a:=1; a:=2; a:=3; a:=4; a:=5; a:=6; x:=3; f(t):=t+x; y:=x+z");
  Value* kept = EvaluateText("y");
  const std::int64_t records = LiveRecordCount();
  BeginScratchEngine();
  EXPECT_EQ(Line("x; f(1)"), "x\n<Error> Function is not declared. \"f\"");
  EXPECT_EQ(Line("x:=7; g(t):=t; #c:=1; z:=1; ans"), "7\nt\n1\n1\n1");
  // A record simplified in the other state is not taken as simplified here.
  Value* here = Simplify(kept);
  EXPECT_EQ(PrintValue(here), "4");
  FreeValue(here);
  EndScratchEngine();
  EXPECT_EQ(LiveRecordCount(), records);  // the scratch state went with all it held
  EXPECT_EQ(Line("ans; x; f(1); g(1); c:=5; y"),
            "3+z\n3\n4\n<Error> Function is not declared. \"g\"\n5\n3+z");
  FreeValue(kept);
}

}  // namespace
}  // namespace symcalc::testing
