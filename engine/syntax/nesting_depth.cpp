#include "syntax/nesting_depth.h"

#include <vector>

#include "syntax/bracket_scanner.h"
#include "syntax/parser.h"

namespace symcalc {
namespace {

bool IsOpener(char c) { return c == '(' || c == '[' || c == '{'; }
bool IsCloser(char c) { return c == ')' || c == ']' || c == '}'; }

// Quotes are read by the parser's one scanner; inside them nothing nests.
// (Only its quote state is used here: this count joins all bracket kinds.)
struct Quotes {
  BracketScanner scanner;
  // True when c is part of a quoted text (its quote marks included).
  bool Skip(char c) { return scanner.Next(c) == BracketStep::Quoted; }
};

// The text from `from` to the end of the bracket level it starts in: up to
// the closer of that level, or, with `atomOnly`, to the first operator or
// comma of the level as well.
std::string_view RestOfLevel(std::string_view s, std::size_t from, bool atomOnly) {
  Quotes quotes;
  long depth = 0;
  std::size_t i = from;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (quotes.Skip(c)) continue;
    if (IsOpener(c)) {
      ++depth;
    } else if (IsCloser(c)) {
      if (depth-- == 0) break;
    } else if (atomOnly && depth == 0 && i > from &&
               (c == ',' || OperatorCode(s, i) != Operator::None)) {
      break;
    }
  }
  return s.substr(from, i - from);
}

}  // namespace

std::optional<std::string_view> PartTooDeep(std::string_view s) {
  // One entry per open bracket level, the text itself first: whether a
  // leading sign is open in it. A sign nests until its atom ends, at the next
  // operator or comma of its level or at the level's closer.
  std::vector<bool> sign{false};
  int depth = 1;
  char previous = '\0';  // the last character before this one that is not a space
  Quotes quotes;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (quotes.Skip(c)) {
      previous = c;
      continue;
    }
    if (c == ' ') continue;
    const char before = previous;
    previous = c;
    auto closeSign = [&] {
      if (sign.back()) {
        sign.back() = false;
        --depth;
      }
    };
    if (IsOpener(c)) {
      sign.push_back(false);
      if (++depth > kMaxNesting) return TrimSpaces(RestOfLevel(s, i + 1, false));
      continue;
    }
    if (IsCloser(c)) {
      // A closer without its opener is the parser's error; it leaves the
      // count where it is.
      if (sign.size() == 1) continue;
      closeSign();
      sign.pop_back();
      --depth;
      continue;
    }
    if (c != ',' && OperatorCode(s, i) == Operator::None) continue;
    closeSign();
    // A minus at the start of an atom negates the atom: one level more.
    constexpr std::string_view kOperatorChars = ":=&|!<>.+-*/^";
    const bool startsAtom = before == '\0' || before == ',' || IsOpener(before) ||
                            kOperatorChars.find(before) != std::string_view::npos;
    if (c == '-' && startsAtom) {
      sign.back() = true;
      if (++depth > kMaxNesting) return TrimSpaces(RestOfLevel(s, i, true));
    }
  }
  return std::nullopt;
}

}  // namespace symcalc
