// The evaluating parser. It never builds a syntax tree: it finds the loosest
// operator, evaluates both sides and combines them at once.
#include "syntax/parser.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eval/arithmetic.h"
#include "eval/cancel.h"
#include "eval/depth_guard.h"
#include "eval/relations.h"
#include "eval/set_insert.h"
#include "eval/simplify.h"
#include "state/engine_state.h"
#include "syntax/bracket_scanner.h"
#include "syntax/nesting_depth.h"
#include "syntax/number_text.h"

namespace symcalc {
namespace {

// The recursive descent takes at most eight levels for one level of nesting
// (one per operator precedence, one for the bracket or sign), and a text
// nested deeper than kMaxNesting is refused before it is read; so this bound,
// like the stack guard, is only a backstop.
constexpr int kMaxRecursion = 10 * kMaxNesting;

Value* TextError(ErrorCode code, std::string_view text) {
  Held s = Hold(MakeString(text));
  return MakeError(code, s.get());
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The errors of brackets that do not pair up, one row per Bracket kind in
// its order: a closer without its opener, an opener left without its closer.
struct UnpairedErrors {
  ErrorCode closer;
  ErrorCode opener;
};
constexpr std::array<UnpairedErrors, 3> kUnpaired = {{
    {ErrorCode::CloseParenWithoutOpen, ErrorCode::OpenParenWithoutClose},
    {ErrorCode::CloseBracketWithoutOpen, ErrorCode::OpenBracketWithoutClose},
    {ErrorCode::CloseBraceWithoutOpen, ErrorCode::OpenBraceWithoutClose},
}};

ErrorCode CloserWithoutOpener(Bracket b) { return kUnpaired[static_cast<std::size_t>(b)].closer; }
ErrorCode OpenerWithoutCloser(Bracket b) { return kUnpaired[static_cast<std::size_t>(b)].opener; }

// Positions of the loosest operator in a piece of text: nearly always a few,
// kept inline so that reading a line allocates nothing for them.
class Positions {
 public:
  void push_back(std::size_t p) {
    if (count_ < kInline) {
      inline_[count_] = p;
    } else {
      if (count_ == kInline) spill_.assign(inline_.begin(), inline_.end());
      spill_.push_back(p);
    }
    ++count_;
  }
  void clear() {
    count_ = 0;
    spill_.clear();
  }
  bool empty() const { return count_ == 0; }
  std::size_t size() const { return count_; }
  std::size_t operator[](std::size_t i) const {
    return count_ <= kInline ? inline_[i] : spill_[i];
  }
  std::size_t back() const { return (*this)[count_ - 1]; }

 private:
  static constexpr std::size_t kInline = 8;
  std::array<std::size_t, kInline> inline_{};
  std::vector<std::size_t> spill_;
  std::size_t count_ = 0;
};

struct ScanResult {
  std::optional<ErrorCode> error;
  Operator best = Operator::None;
  Positions positions;  // every position holding the best operator
};

// The characters OperatorCode can give a code to; every other one is skipped
// without asking it.
constexpr std::array<bool, 256> kOperatorChars = [] {
  std::array<bool, 256> t{};
  for (unsigned char c : std::string_view(":&|!<>=.+-*/^()[]{}")) t[c] = true;
  return t;
}();

// One scan finds the loosest operator and every position where it occurs at
// depth 0, so a long chain of equal operators is split without rescanning.
ScanResult ScanOperators(std::string_view s) {
  ScanResult r;
  BracketScanner brackets;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const BracketStep step = brackets.Next(c);
    if (step == BracketStep::Unmatched) {
      r.error = CloserWithoutOpener(brackets.bracket());
      return r;
    }
    if (step != BracketStep::Plain || !brackets.AtTop()) continue;
    if (!kOperatorChars[static_cast<unsigned char>(c)]) continue;
    const Operator op = OperatorCode(s, i);
    if (op == Operator::None) continue;
    if (op == Operator::Sum && i == 0) continue;  // a leading sign is not an operator
    if (op > r.best) {
      r.best = op;
      r.positions.clear();
    }
    if (op == r.best) r.positions.push_back(i);
  }
  for (const Bracket b : {Bracket::Round, Bracket::Square, Bracket::Curly})
    if (brackets.Open(b)) {
      r.error = OpenerWithoutCloser(b);
      break;
    }
  return r;
}

// Length of the operator written at position b (one or two characters).
std::size_t OperatorLength(std::string_view s, std::size_t b) {
  if (b + 1 >= s.size()) return 1;
  const std::string_view two = s.substr(b, 2);
  if (two == ">=" || two == "=>" || two == "<=" || two == "=<" || two == "<>" ||
      two == "><" || two == "..")
    return 2;
  return 1;
}

Value* Combine(std::string_view s, std::size_t b, const Value* left, const Value* right) {
  const std::string_view two = b + 1 < s.size() ? s.substr(b, 2) : s.substr(b, 1);
  if (two == ">=" || two == "=>") return GreaterOrEqual(left, right);
  if (two == "<=" || two == "=<") return GreaterOrEqual(right, left);
  if (two == "<>" || two == "><") return NotEqual(left, right);
  if (two == "..") return MakeRange(left, right);
  switch (s[b]) {
    case '+':
      return Add(left, right);
    case '-':
      return Subtract(left, right);
    case '*':
      return Multiply(left, right);
    case '/':
      return Divide(left, right);
    case '^':
      return Power(left, right);
    case '&':
      return And(left, right);
    case '|':
      return Or(left, right);
    case '!':
      return Xor(left, right);
    case '=':
      return Equal(left, right);
    case '>':
      return Greater(left, right);
    default:  // '<'
      return Greater(right, left);
  }
}

Value* Evaluate(std::string_view text, bool hold);

Value* EvaluateAssignment(std::string_view s, std::size_t b, bool hold) {
  const std::string_view right = TrimSpaces(s.substr(b + 2));
  const std::string_view name = TrimSpaces(s.substr(0, b));
  if (right.empty()) {
    if (name.size() >= 2 && name.substr(name.size() - 2) == "()") {
      Held fname = Hold(MakeString(name.substr(0, name.size() - 2)));
      return ClearFunction(fname.get());
    }
    Held vname = Hold(MakeString(name));
    return ClearVariable(vname.get());
  }
  Held value = Hold(Evaluate(right, hold));
  if (Value* err = Assign(name, value.get())) return err;
  return value.release();
}

// Splits at every occurrence of the chain's operator and combines left to
// right: the same result as splitting at the rightmost one and evaluating the
// left side recursively, without rescanning every prefix.
Value* EvaluateChain(std::string_view s, const Positions& pos, bool hold) {
  std::vector<std::string_view> segments;
  std::size_t start = 0;
  for (std::size_t i = 0; i < pos.size(); ++i) {
    const std::size_t p = pos[i];
    if (p < start) return nullptr;  // overlapping two-character operators
    segments.push_back(s.substr(start, p - start));
    start = p + OperatorLength(s, p);
  }
  segments.push_back(s.substr(start));
  // The recursive reading stops at the last prefix that ends in an operator
  // (or starts with one): that prefix is refused whole and nothing left of it
  // is evaluated. A two-character operator ending a prefix does not sit at
  // its last position, so that prefix is read on and its empty right side
  // is the error; the same holds for an empty last segment.
  std::size_t refused = 0;
  for (std::size_t j = 0; j < segments.size(); ++j)
    if (TrimSpaces(segments[j]).empty() && (j == 0 || OperatorLength(s, pos[j - 1]) == 1))
      refused = std::max<std::size_t>(j, 1);
  Held acc;
  std::size_t next;
  if (refused > 0) {
    acc = Hold(TextError(ErrorCode::IllegalNumberFormat, TrimSpaces(s.substr(0, pos[refused]))));
    next = refused;
  } else {
    acc = Hold(Evaluate(segments[0], hold));
    next = 0;
  }
  for (std::size_t k = next; k < pos.size(); ++k) {
    if (CancelPending()) return Abandoned(nullptr);
    Held right = Hold(Evaluate(segments[k + 1], hold));
    acc = Hold(Combine(s, pos[k], acc.get(), right.get()));
  }
  return acc.release();
}

Value* Evaluate(std::string_view text, bool hold) {
  const DepthGuard guard(Recursion::Parse, kMaxRecursion);
  const std::string_view s = TrimSpaces(text);
  if (guard.Exceeded()) return TextError(ErrorCode::IllegalNumberFormat, s);
  // Reading a deep text scans it once per level before anything is computed.
  if (CancelPending()) return Abandoned(nullptr);
  if (guard.Outermost())
    if (const std::optional<std::string_view> deep = PartTooDeep(s))
      return TextError(ErrorCode::IllegalNumberFormat, *deep);
  const ScanResult scan = ScanOperators(s);
  if (scan.error) return TextError(*scan.error, s);
  if (scan.positions.empty()) return ParseAtom(s, hold);
  const std::size_t b = scan.positions.back();
  if (b == s.size() - 1 || b == 0) return TextError(ErrorCode::IllegalNumberFormat, s);
  if (scan.best == Operator::Assignment) return EvaluateAssignment(s, b, hold);
  if (scan.positions.size() > 1)
    if (Value* v = EvaluateChain(s, scan.positions, hold)) return v;
  Held left = Hold(Evaluate(s.substr(0, b), hold));
  Held right = Hold(Evaluate(s.substr(b + OperatorLength(s, b)), hold));
  return Combine(s, b, left.get(), right.get());
}

// ---- atoms -------------------------------------------------------------------

Value* ParseRadix(std::string_view s) {
  const bool binary = s[1] == 'b' || s[1] == 'B';
  const int bitsPerDigit = binary ? 1 : 4;
  std::uint64_t value = 0;
  const std::size_t digits = s.size() - 2;
  for (std::size_t k = 0; k < digits; ++k) {
    const char c = s[2 + k];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (!binary && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (!binary && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      d = -1;
    if (d < 0 || (binary && d > 1))
      return TextError(binary ? ErrorCode::IllegalBinaryDigits : ErrorCode::IllegalHexDigits,
                       std::string_view(&s[2 + k], 1));
    const std::size_t distance = digits - 1 - k;
    if (d == 0) continue;
    // Bits beyond the 64th would be lost: such a literal is not a number here.
    if (distance * bitsPerDigit >= 64) return TextError(ErrorCode::IllegalNumberFormat, s);
    value |= static_cast<std::uint64_t>(d) << (distance * bitsPerDigit);
  }
  return MakeQword(static_cast<std::int64_t>(value));
}

Value* ParseComplex(std::string_view s, bool hold) {
  if (s.size() < 4 || s[2] != '(' || s.back() != ')')
    return TextError(ErrorCode::IllegalComplexFormat, s);
  const std::size_t comma = FindAtDepth(s, ',', 3);
  if (comma == std::string_view::npos || comma + 1 >= s.size())
    return TextError(ErrorCode::IllegalComplexFormat, s);
  Held re = Hold(Evaluate(s.substr(3, comma - 3), hold));
  Held im = Hold(Evaluate(s.substr(comma + 1, s.size() - 1 - (comma + 1)), hold));
  return MakeComplex(re.get(), im.get());
}

Value* ParseArray(std::string_view s, bool hold) {
  std::vector<std::string_view> cells;
  std::size_t width = 0;
  std::size_t rowCells = 0;
  std::size_t rows = 0;
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t pos = 1;        // just after the row's "["
  std::size_t rowStart = 1;   // where the current row's cells begin
  std::size_t close = kNone;  // the row's "]", searched again while not found
  for (;;) {
    if (close == kNone) close = FindAtDepth(s, ']', pos);
    const std::size_t limit = close != kNone ? close : s.size();
    const std::size_t comma = FindAtDepth(s.substr(0, limit), ',', pos);
    if (comma != kNone) {
      cells.push_back(s.substr(pos, comma - pos));
      ++rowCells;
      pos = comma + 1;
      continue;
    }
    if (close == kNone) return TextError(ErrorCode::IllegalArrayFormat, s);
    const std::size_t c0 = close;
    if (c0 == rowStart || c0 == pos)
      return TextError(ErrorCode::IllegalArrayFormat, s);  // "[]" or "[1,]"
    cells.push_back(s.substr(pos, c0 - pos));
    ++rowCells;
    if (rows > 0 && rowCells != width) return TextError(ErrorCode::ArrayRowSizesDiffer, s);
    width = rowCells;
    ++rows;
    rowCells = 0;
    if (c0 == s.size() - 1) break;
    std::size_t next;
    if (s[c0 + 1] == '[')
      next = c0 + 2;
    else if (s[c0 + 1] == ' ' && c0 + 2 < s.size() && s[c0 + 2] == '[')
      next = c0 + 3;
    else
      return TextError(ErrorCode::IllegalArrayFormat, s);
    pos = rowStart = next;
    close = kNone;
  }
  // Sizes are checked before any cell is computed.
  if (rows > 32767 || width > 32767 || rows * width > 32767)
    return MakeArray(static_cast<std::int64_t>(width), static_cast<std::int64_t>(rows));
  HeldCells table(MakeCellTable(cells.size()));
  for (std::size_t i = 0; i < cells.size(); ++i) table->cells()[i] = Evaluate(cells[i], hold);
  return MakeArray(static_cast<std::int64_t>(width), static_cast<std::int64_t>(rows),
                   table.release());
}

Value* ParseSet(std::string_view s) {
  if (FindAtDepth(s, '}', 0) != s.size() - 1) return TextError(ErrorCode::IllegalSetFormat, s);
  const std::string_view inner = TrimSpaces(s.substr(1, s.size() - 2));
  if (inner.empty()) return MakeEmptySet();
  const std::string body = std::string(inner) + ",";
  SetBuilder builder;
  Held failure;  // the first error element; the rest is still evaluated
  std::size_t start = 0;
  for (;;) {
    if (CancelPending()) return Abandoned(nullptr);
    const std::size_t comma = FindAtDepth(body, ',', start);
    if (comma == std::string_view::npos) break;
    Held element = Hold(EvaluateText(std::string_view(body).substr(start, comma - start)));
    if (!failure) {
      if (IsError(element.get()))
        failure = Hold(PassError(element.get()));
      else
        builder.Insert(element.get());
    }
    start = comma + 1;
  }
  if (failure) return failure.release();
  return builder.Finish();
}

Value* ParseCall(std::string_view s, std::size_t open, bool hold) {
  if (s.back() != ')') return TextError(ErrorCode::IllegalFunctionFormat, s);
  const std::string_view name = s.substr(0, open);
  BuiltinEntry* entry = FindFunction(name);
  if (!entry) return TextError(ErrorCode::FunctionNotDeclared, name);
  const std::string_view argText = s.substr(open + 1, s.size() - open - 2);
  const int m = entry->maxArgs;
  const int minimum = m - entry->optionalArgs;
  if (m == 0) {
    if (!TrimSpaces(argText).empty()) return TextError(ErrorCode::WrongParameterCount, s);
    return CallEntry(entry, nullptr, nullptr);
  }
  if (TrimSpaces(argText).empty()) return TextError(ErrorCode::WrongParameterCount, s);

  // The entry is kept alive while the arguments are computed: one of them may
  // remove it (f(clearfunc(f))), and then the call is refused.
  RetainEntry(entry);
  struct EntryRef {
    BuiltinEntry* e;
    ~EntryRef() { ReleaseEntryRef(e); }
  } keep{entry};

  Value* args[4] = {nullptr, nullptr, nullptr, nullptr};
  struct ArgsRelease {
    Value** a;
    ~ArgsRelease() {
      for (int i = 0; i < 4; ++i) FreeValue(a[i]);
    }
  } release{args};

  int taken = 0;
  BracketScanner brackets;
  std::size_t start = 0;
  const std::size_t n = argText.size();
  // The end of the list closes the last argument as a comma would; a comma
  // inside quotes or brackets belongs to its argument.
  for (std::size_t i = 0; i <= n; ++i) {
    if (i < n) {
      const BracketStep step = brackets.Next(argText[i]);
      if (step == BracketStep::Unmatched)
        return TextError(CloserWithoutOpener(brackets.bracket()), s);
      if (step != BracketStep::Plain || argText[i] != ',') continue;
    }
    if (brackets.AtTop()) {
      if (taken == m) return TextError(ErrorCode::WrongParameterCount, s);
      const bool held = hold || ((entry->holdMask >> taken) & 1);
      args[taken] = Evaluate(argText.substr(start, i - start), held);
      ++taken;
      start = i + 1;
    }
  }
  if (taken < minimum) return TextError(ErrorCode::WrongParameterCount, s);
  if (entry->removed) return TextError(ErrorCode::FunctionNotDeclared, name);
  return CallEntry(entry, args, nullptr);
}

Value* ParseNumberOrName(std::string_view s, bool hold) {
  // The part of a number the reading is in; a character no part takes makes
  // the text a name.
  enum class NumberPart : std::uint8_t { Integer, Fraction, Exponent };
  NumberPart part = NumberPart::Integer;
  bool isName = false;
  for (std::size_t i = 0; i < s.size() && !isName; ++i) {
    const char c = s[i];
    const char prev = i ? s[i - 1] : '\0';
    if (c == '.' && part == NumberPart::Integer) {
      part = NumberPart::Fraction;
    } else if (c == '.' && part == NumberPart::Fraction) {
      return TextError(ErrorCode::IllegalNumberFormat, s);
    } else if ((c == '+' || c == '-') && (i == 0 || prev == 'e' || prev == 'E')) {
      // sign of the number or of its exponent
    } else if ((c == 'e' || c == 'E') && i >= 1 && part != NumberPart::Exponent) {
      part = NumberPart::Exponent;
    } else if (IsDigit(c)) {
      // digit
    } else {
      isName = true;
    }
  }
  if (isName) {
    if (hold) return MakeVariable(s);
    if (const Binding* b = FindBinding(s)) return Simplify(b->value);
    return MakeVariable(s);
  }
  if (part == NumberPart::Integer) return ReadDecimalInteger(s);
  return MakeDouble(ReadDouble(s));
}

}  // namespace

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

Operator OperatorCode(std::string_view s, std::size_t i) {
  const char c = s[i];
  const char n = i + 1 < s.size() ? s[i + 1] : '\0';
  const char p1 = i >= 1 ? s[i - 1] : '\0';
  const char p2 = i >= 2 ? s[i - 2] : '\0';
  auto isRel = [](char x) { return x == '=' || x == '>' || x == '<'; };
  if (c == ':' && n == '=') return Operator::Assignment;
  if (c == '&' || c == '|' || c == '!') return Operator::Logic;
  if (c == '>' && (n == '=' || n == '<')) return Operator::Relation;
  if (c == '<' && (n == '=' || n == '>')) return Operator::Relation;
  if (c == '=' && (n == '>' || n == '<')) return Operator::Relation;
  // The second character of a two-character relation is not one of its own.
  if (isRel(c)) return isRel(p1) ? Operator::None : Operator::Relation;
  if (c == '.' && n == '.') return Operator::Range;
  if (c == '+' || c == '-') {
    // The sign of an exponent belongs to its number: 1e-5, 1.e+5.
    if ((p1 == 'e' || p1 == 'E') && i >= 2 && (IsDigit(p2) || p2 == '.')) return Operator::None;
    return Operator::Sum;
  }
  if (c == '*' || c == '/') return Operator::Product;
  if (c == '^') return Operator::Power;
  return Operator::None;
}

std::size_t FindAtDepth(std::string_view s, char ch, std::size_t start) {
  BracketScanner brackets(/*countSquare=*/false);
  for (std::size_t i = start; i < s.size(); ++i) {
    // A closer searched for is found when it brings its level back to 0.
    if (brackets.Next(s[i]) != BracketStep::Quoted && s[i] == ch && brackets.AtTop()) return i;
  }
  return std::string_view::npos;
}

Value* ParseAtom(std::string_view text, bool hold, Value* out) {
  std::string_view s = TrimSpaces(text);
  if (s.empty()) return Deliver(TextError(ErrorCode::IllegalNumberFormat, s), out);
  if (s[0] == '+') {
    const std::string_view whole = s;
    s.remove_prefix(1);  // the rest is deliberately not trimmed again
    if (s.empty()) return Deliver(TextError(ErrorCode::IllegalNumberFormat, whole), out);
  }
  if (s[0] == '-') {
    // A chain of leading signs nests like brackets.
    const DepthGuard guard(Recursion::Parse, kMaxRecursion);
    if (guard.Exceeded()) return Deliver(TextError(ErrorCode::IllegalNumberFormat, s), out);
    Held rest = Hold(ParseAtom(s.substr(1), hold));
    Held minusOne = Hold(MakeQword(-1));
    return Multiply(minusOne.get(), rest.get(), out);
  }
  if (s[0] == '\'' || s[0] == '"') {
    const char q = s[0];
    if (s.size() >= 2 && s.back() == q) {
      const std::string_view inner = s.substr(1, s.size() - 2);
      if (inner.find(q) == std::string_view::npos)
        return q == '\'' ? MakeSymbol(inner, out) : MakeString(inner, out);
    }
    return Deliver(TextError(ErrorCode::IllegalStringFormat, s), out);
  }
  if (s[0] == '[') return Deliver(ParseArray(s, hold), out);
  if (s[0] == '{') return Deliver(ParseSet(s), out);
  if (s[0] == '#') {
    const char k = s.size() > 1 ? s[1] : '\0';
    if (k == 'c' || k == 'C') return Deliver(ParseComplex(s, hold), out);
    if (k == 'b' || k == 'B' || k == 'x' || k == 'X') return Deliver(ParseRadix(s), out);
    return Deliver(TextError(ErrorCode::IllegalNumberFormat, s), out);
  }
  const std::size_t open = s.find('(');
  if (open == 0) {
    if (s.back() != ')') return Deliver(TextError(ErrorCode::IllegalNumberFormat, s), out);
    return Deliver(Evaluate(s.substr(1, s.size() - 2), hold), out);
  }
  if (open != std::string_view::npos) return Deliver(ParseCall(s, open, hold), out);
  return Deliver(ParseNumberOrName(s, hold), out);
}

Value* EvaluateText(std::string_view text) { return Evaluate(text, false); }

}  // namespace symcalc
