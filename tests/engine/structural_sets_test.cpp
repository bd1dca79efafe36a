// union, minus, intersect and subset: the table cases, and the side-by-side
// walks checked against one search from the first element per element.
#include <random>
#include <string>
#include <vector>

#include "eval/set_insert.h"
#include "eval/set_order.h"
#include "eval/simplify.h"
#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {
namespace {

class Sets : public EngineTest {};

TEST_F(Sets, Operations) {
  const Case cases[] = {
      {"into({1,3},2)", "{1,2,3}"},
      {"union({1,2},{2,3})", "{1,2,3}"},
      {"union({1},{})", "{1}"},
      {"union({},{})", "{}"},
      {"union({3,\"a\",x},{1,\"b\",y,2.5})", "{1,3,2.5,\"a\",\"b\",x,y}"},
      {"union({1,2},{1.0,2.0})", "{1,2,1.,2.}"},
      {"minus({1,2,3},{2,4})", "{1,3}"},
      {"minus({},{1})", "{}"},
      {"minus({1,x,\"s\"},{x,\"s\",1})", "{}"},
      {"minus({1,2},{1.0})", "{1,2}"},
      {"intersect({1,2,3},{2,3,4})", "{2,3}"},
      {"intersect({1},{2})", "{}"},
      // Set literals split at every comma outside parentheses and braces, so
      // arrays of more than one cell enter through into.
      {"intersect(into({x,1},[1,2]),into({1},[1,2]))", "{1,[1,2]}"},
      {"subset({},{1})", "true"},
      {"subset({1,2},{1,2,3})", "true"},
      {"subset({1,4},{1,2})", "false"},
      {"subset({[1],{2}},{{2},[1],3})", "true"},
      {"width(union({1,2,3},{3,4,5}))", "5"},
      {"width(minus({1,2,3},{3,4,5}))", "2"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Sets, ChecksInOrder) {
  const Case cases[] = {
      {"union({1},2)", "<Error> Is not a set. 2"},
      {"union(2,{1})", "<Error> Is not a set. 2"},
      {"union(2,3)", "<Error> Is not a set. 2"},
      {"union(\"a\",{1})", "<Error> Is not a number-type. \"a\""},
      {"minus({1},\"b\")", "<Error> Is not a number-type. \"b\""},
      {"intersect(\"a\",2)", "<Error> Is not a number-type. \"a\""},
      {"union(x,{1})", "union(x,{1})"},
      {"subset({1},y)", "subset({1},y)"},
      {"minus(1/0,x)", "<Error> Division by 0. \"pow\""},
      {"intersect(x,1/0)", "<Error> Division by 0. \"pow\""},
      {"into(5,1)", "<Error> Is not a set. 5"},
      {"into({1},1/0)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Sets, OperandsAreLeftUnchanged) {
  EXPECT_EQ(Line("a:={1,2,3}"), "{1,2,3}");
  EXPECT_EQ(Line("b:={2,5}"), "{2,5}");
  EXPECT_EQ(Line("union(a,b)"), "{1,2,3,5}");
  EXPECT_EQ(Line("minus(a,b)"), "{1,3}");
  EXPECT_EQ(Line("intersect(a,b)"), "{2}");
  EXPECT_EQ(Line("a"), "{1,2,3}");
  EXPECT_EQ(Line("b"), "{2,5}");
}

// ---- against the one-search-per-element definitions -------------------------

Value* ReferenceUnion(const Value* a, const Value* b) {
  Value* c = CopyValue(a);
  for (const Value* e = b->set.first; e; e = e->setLink) InsertIntoSet(c, e);
  return c;
}

Value* ReferenceMinus(const Value* a, const Value* b) {
  Value* c = CopyValue(a);
  for (const Value* e = b->set.first; e; e = e->setLink) {
    for (Value** slot = &c->set.first; *slot; slot = &(*slot)->setLink) {
      if (!Alike(*slot, e)) continue;
      Value* gone = *slot;
      *slot = gone->setLink;
      gone->setLink = nullptr;
      FreeValue(gone);
      --c->set.count;
      break;
    }
  }
  return c;
}

bool Contains(const Value* s, const Value* x) {
  for (const Value* e = s->set.first; e; e = e->setLink)
    if (Alike(e, x)) return true;
  return false;
}

Value* ReferenceIntersect(const Value* a, const Value* b) {
  Value* c = MakeEmptySet();
  Value** tail = &c->set.first;
  for (const Value* e = b->set.first; e; e = e->setLink) {
    if (!Contains(a, e)) continue;
    *tail = CopyValue(e);
    tail = &(*tail)->setLink;
    ++c->set.count;
  }
  return c;
}

bool ReferenceSubset(const Value* a, const Value* b) {
  for (const Value* e = a->set.first; e; e = e->setLink)
    if (!Contains(b, e)) return false;
  return true;
}

std::int64_t ChainLength(const Value* s) {
  std::int64_t n = 0;
  for (const Value* e = s->set.first; e; e = e->setLink) ++n;
  return n;
}

// Elements of every kind, among them several of one type whose order is not
// total (arrays, booleans, functions, sets, complex numbers) and NaN.
const char* const kPool[] = {
    "1",      "2",       "3",     "-4",      "1/2",    "7/3",       "0.5",    "2.5",
    "-1e300", "1e308*10-1e308*10", "\"a\"", "\"b\"", "\"ab\"", "x",   "y",      "z1",
    "sin(x)", "sin(y)",  "cos(x)", "atan(x,y)", "[1,2]", "[1,3]", "[2]",    "true",
    "false",  "{1}",     "{2}",   "{1,2}",   "x+1",    "2*y",       "1..2",   "#c(1,2)",
    "#c(0,-1)", "undefined", "infinity", "-infinity", "x=1", "x>2",
};

class SetsAgainstReference : public Sets {
 protected:
  void SetUp() override {
    Sets::SetUp();
    for (const char* text : kPool) pool_.push_back(EvaluateText(text));
  }
  void TearDown() override {
    for (Value* v : pool_) FreeValue(v);
    Sets::TearDown();
  }
  Value* RandomSet(std::mt19937& rng, bool numbersOnly) {
    SetBuilder b;
    const int size = std::uniform_int_distribution<int>(0, 14)(rng);
    for (int i = 0; i < size; ++i) {
      if (numbersOnly) {
        Held q = Hold(MakeQword(std::uniform_int_distribution<int>(-30, 30)(rng)));
        b.Insert(q.get());
      } else {
        b.Insert(pool_[std::uniform_int_distribution<std::size_t>(0, pool_.size() - 1)(rng)]);
      }
    }
    return b.Finish();
  }
  std::vector<Value*> pool_;
};

void ExpectSameSet(const Value* got, const Value* want, const std::string& what) {
  ASSERT_EQ(got->type, ValueType::Set) << what;
  EXPECT_EQ(PrintValue(got), PrintValue(want)) << what;
  EXPECT_EQ(got->set.count, want->set.count) << what;
  EXPECT_EQ(got->set.count, ChainLength(got)) << what;
}

TEST_F(SetsAgainstReference, AllFourOperations) {
  std::mt19937 rng(2024);
  for (int trial = 0; trial < 400; ++trial) {
    const bool numbersOnly = trial % 4 == 0;
    Held a = Hold(RandomSet(rng, numbersOnly));
    Held b = Hold(RandomSet(rng, numbersOnly));
    const std::string what = PrintValue(a.get()) + " and " + PrintValue(b.get());
    Held u = Hold(CallBuiltin("union", a.get(), b.get()));
    Held uRef = Hold(ReferenceUnion(a.get(), b.get()));
    ExpectSameSet(u.get(), uRef.get(), "union of " + what);
    Held m = Hold(CallBuiltin("minus", a.get(), b.get()));
    Held mRef = Hold(ReferenceMinus(a.get(), b.get()));
    ExpectSameSet(m.get(), mRef.get(), "minus of " + what);
    Held i = Hold(CallBuiltin("intersect", a.get(), b.get()));
    Held iRef = Hold(ReferenceIntersect(a.get(), b.get()));
    ExpectSameSet(i.get(), iRef.get(), "intersect of " + what);
    Held s = Hold(CallBuiltin("subset", a.get(), b.get()));
    EXPECT_EQ(PrintValue(s.get()), ReferenceSubset(a.get(), b.get()) ? "true" : "false")
        << "subset of " << what;
    // Operands unchanged.
    EXPECT_EQ(PrintValue(a.get()) + " and " + PrintValue(b.get()), what);
  }
}

// ---- building a set once against inserting one element at a time -----------

// Elements of the kinds the set order ties in every way: equal numbers of
// different types, powers and products that tie on their numbers, arguments
// that tie without being alike, NaN, and values that are never ordered.
constexpr int kElementKinds = 16;

std::string RandomElement(std::mt19937& rng, int kind) {
  auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  static const char* const kNames[] = {"x", "y", "z", "ab", "a_1"};
  const std::string name = kNames[below(5)];
  const std::string other = kNames[below(5)];
  const std::string k = std::to_string(below(7) - 3);
  switch (kind) {
    case 0: return k;
    case 1: return k + "/" + std::to_string(below(4) + 1);
    case 2: return k + ".5";
    case 3: return name;
    case 4: return name + "^" + std::to_string(below(5));
    case 5: return "(" + k + ")*" + name;
    case 6: return "sin(" + name + ")^" + std::to_string(below(3) + 1);
    case 7: return "atan(" + (below(2) ? name : k + "*" + name) + "," + other + ")";
    case 8: return "cos(" + k + "*" + name + ")";
    case 9: return "exp(" + name + "+" + other + ")";
    case 10: return "{" + k + "," + name + "}";
    case 11: return below(2) ? "true" : "false";
    case 12: return "#c(" + k + ",1)";
    case 13: return "(" + k + ".." + name + ")";
    case 14: return below(2) ? "0.0/0.0+0.5" : "\"" + name + "\"";
    default: return name + "*" + other + "^" + std::to_string(below(3) + 1);
  }
}

TEST_F(Sets, BuildingOnceMatchesInsertingOneAtATime) {
  std::mt19937 rng(17);
  auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  int sorted = 0;
  for (int trial = 0; trial < 600; ++trial) {
    // Most sets draw from one to three kinds, so that many can be sorted and
    // many elements of one kind meet.
    const int kinds[3] = {below(kElementKinds), below(kElementKinds), below(kElementKinds)};
    const int spread = below(4);
    std::vector<Held> elements;
    const int size = below(121);
    for (int i = 0; i < size; ++i) {
      const int kind = spread == 3 ? below(kElementKinds) : kinds[below(spread + 1)];
      Held v = Hold(EvaluateText(RandomElement(rng, kind)));
      if (!IsError(v.get())) elements.push_back(std::move(v));
    }
    SetBuilder builder;
    Held reference = Hold(MakeEmptySet());
    bool sortable = true;
    for (const Held& e : elements) {
      builder.Insert(e.get());
      InsertIntoSet(reference.get(), e.get());
      sortable = sortable && SortsAsSetElement(e.get());
    }
    if (sortable && elements.size() > 1) ++sorted;
    Held built = Hold(builder.Finish());
    ExpectSameSet(built.get(), reference.get(), PrintValue(reference.get()));
  }
  EXPECT_GT(sorted, 150);
}

}  // namespace
}  // namespace symcalc::testing
