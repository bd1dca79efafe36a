// Helpers for the numeric builtin tests: results printed with every digit of
// their doubles, so a table can pin a result to the last bit.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {

// Numbers with doubles in their shortest round-trip form and their type
// visible (a double always shows a point or an exponent); anything else as
// the printer writes it.
inline void AppendExact(std::string& out, const Value* v) {
  switch (v->type) {
    case ValueType::Double: {
      char text[64];
      const auto r = std::to_chars(text, text + sizeof text, v->dbl);
      std::string_view s(text, static_cast<std::size_t>(r.ptr - text));
      out += s;
      if (s.find_first_of(".en") == std::string_view::npos) out += ".0";
      break;
    }
    case ValueType::Complex:
      out += "#c(";
      AppendExact(out, v->pair.left);
      out += ", ";
      AppendExact(out, v->pair.right);
      out += ')';
      break;
    default:
      out += PrintValue(v);
  }
}

class NumericTest : public EngineTest {
 protected:
  std::string Exact(std::string_view text) {
    Value* v = EvaluateText(text);
    std::string s;
    AppendExact(s, v);
    FreeValue(v);
    return s;
  }
};

#define EXPECT_EXACT_CASES(cases)                                 \
  for (const auto& c : cases) {                                   \
    SCOPED_TRACE(c.input);                                        \
    EXPECT_EQ(Exact(c.input), std::string(c.expected)) << c.input; \
  }

}  // namespace symcalc::testing
