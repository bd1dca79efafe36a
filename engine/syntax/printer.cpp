// The printer: one line of text in the engine's own notation, with as few
// parentheses as the binding strengths allow, that reads back as the value.
#include <charconv>
#include <vector>

#include "eval/cancel.h"
#include "eval/depth_guard.h"
#include "eval/simplify.h"
#include "state/engine_state.h"
#include "syntax/number_text.h"

namespace symcalc {
namespace {

int Strength(const Value* v) {
  switch (v->type) {
    case ValueType::Power:
      return 1;
    case ValueType::Times:
      return 2;
    case ValueType::Plus:
      return 3;
    case ValueType::Range:
      return 4;
    case ValueType::Equal:
    case ValueType::Greater:
    case ValueType::GreaterEqual:
    case ValueType::NotEqual:
      return 5;
    case ValueType::And:
    case ValueType::Or:
    case ValueType::Xor:
      return 6;
    default:
      return 0;
  }
}

bool IsNegativeNumber(const Value* v) {
  switch (v->type) {
    case ValueType::Qword:
      return v->qword < 0;
    case ValueType::Double:
      return v->dbl < 0.0;
    case ValueType::Ratio:
      return v->ratio.num < 0;
    default:
      return false;
  }
}

bool IsMinusInfinity(const Value* v) {
  return v->type == ValueType::MathSymbol && v->mathSymbol == kMinusInfinity;
}

bool LeftNeedsParens(const Value* node, const Value* left) {
  if (Strength(left) > Strength(node)) return true;
  if (IsNegativeNumber(left)) return true;
  // (2/3)^x: without parentheses the text would read back as 2/(3^x).
  return node->type == ValueType::Power && left->type == ValueType::Ratio;
}

void AppendValue(std::string& out, const Value* v);

void AppendEnclosed(std::string& out, const Value* v) {
  out += '(';
  AppendValue(out, v);
  out += ')';
}

void AppendRight(std::string& out, const Value* node, const Value* right) {
  const std::string_view op = TypeName(node->type);
  const int t = Strength(node);
  // -infinity is written like a negative number so that it reads back.
  const bool negative = IsNegativeNumber(right) || IsMinusInfinity(right);
  if (Strength(right) >= t && Strength(right) > 0) {
    out += op;
    AppendEnclosed(out, right);
  } else if (right->type == ValueType::Ratio && t <= 2) {
    out += op;
    AppendEnclosed(out, right);
  } else if (negative) {
    if (node->type == ValueType::Plus) {
      AppendValue(out, right);
    } else {
      out += op;
      AppendEnclosed(out, right);
    }
  } else {
    out += op;
    AppendValue(out, right);
  }
}

void AppendInteger(std::string& out, std::int64_t n) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, n);
  out.append(buf, r.ptr);
}

void AppendLeaf(std::string& out, const Value* v) {
  switch (v->type) {
    case ValueType::Qword:
      AppendInteger(out, v->qword);
      break;
    case ValueType::Double:
      AppendDouble(out, v->dbl);
      break;
    case ValueType::Ratio:
      AppendInteger(out, v->ratio.num);
      out += '/';
      AppendInteger(out, v->ratio.den);
      break;
    case ValueType::Complex:
      out += "#c(";
      AppendValue(out, v->pair.left);
      out += ", ";
      AppendValue(out, v->pair.right);
      out += ')';
      break;
    case ValueType::Boolean:
      out += v->boolean ? "true" : "false";
      break;
    case ValueType::Symbol:
      out += '\'';
      out += TextOf(v);
      out += '\'';
      break;
    case ValueType::MathSymbol:
      out += MathSymbolName(v->mathSymbol);
      break;
    case ValueType::Error:
      out += "<Error> ";
      out += ErrorText(v->error.code);
      if (v->error.operand) {
        out += ' ';
        AppendValue(out, v->error.operand);
      }
      break;
    case ValueType::String:
      out += '"';
      out += TextOf(v);
      out += '"';
      break;
    case ValueType::Array: {
      const int w = v->array.width;
      const int h = v->array.height;
      Value* const* cells = v->array.table->cells();
      for (int r = 0; r < h; ++r) {
        if (r) out += ' ';
        out += '[';
        for (int c = 0; c < w; ++c) {
          if (c) out += ',';
          AppendValue(out, cells[r * w + c]);
        }
        out += ']';
      }
      break;
    }
    case ValueType::Set:
      out += '{';
      for (const Value* e = v->set.first; e; e = e->setLink) {
        if (e != v->set.first) out += ',';
        AppendValue(out, e);
      }
      out += '}';
      break;
    case ValueType::Variable:
      out += TextOf(v);
      break;
    case ValueType::Function: {
      out += v->function.entry->name;
      out += '(';
      bool first = true;
      for (const Value* a : v->function.args) {
        if (!a) continue;
        if (!first) out += ',';
        AppendValue(out, a);
        first = false;
      }
      out += ')';
      break;
    }
    default:
      break;
  }
}

// Values that hold other values; only printing those can recurse.
bool Nests(const Value* v) {
  switch (v->type) {
    case ValueType::Complex:
    case ValueType::Error:
    case ValueType::Array:
    case ValueType::Set:
    case ValueType::Function:
      return true;
    default:
      return IsPairNode(v);
  }
}

void AppendValue(std::string& out, const Value* v) {
  if (Nests(v)) {
    // A value whose parts are shared can print far longer than it is big;
    // a cancelled print stops here and its caller drops the text.
    if (CancelPending()) return;
    if (StackExhausted()) {
      out += "...";
      return;
    }
  }
  if (!IsPairNode(v)) {
    AppendLeaf(out, v);
    return;
  }
  // Sums and products lean to the left: walk the left spine in a loop so that
  // a chain of many thousand terms does not recurse once per term. Short
  // spines (every term of a sum is one) stay in a local array.
  constexpr std::size_t kLocal = 16;
  const Value* local[kLocal];
  std::vector<const Value*> spill;
  std::size_t count = 0;
  auto at = [&](std::size_t i) { return i < kLocal ? local[i] : spill[i - kLocal]; };
  for (const Value* n = v;;) {
    if (count < kLocal)
      local[count] = n;
    else
      spill.push_back(n);
    ++count;
    const Value* left = n->pair.left;
    if (!IsPairNode(left) || LeftNeedsParens(n, left)) break;
    n = left;
  }
  const Value* deepest = at(count - 1);
  if (LeftNeedsParens(deepest, deepest->pair.left))
    AppendEnclosed(out, deepest->pair.left);
  else
    AppendValue(out, deepest->pair.left);
  for (std::size_t i = count; i-- > 0;) AppendRight(out, at(i), at(i)->pair.right);
}

}  // namespace

std::string PrintValue(const Value* v) {
  std::string out;
  out.reserve(64);
  if (v) AppendValue(out, v);
  return out;
}

}  // namespace symcalc
