// The one walk over a text that knows what is quoted and how deep in brackets
// each character sits. The parser's readers (the operator scan, the argument
// splitter of a call, the search for a comma or closer inside an atom) all step
// through it, so a quote hides a bracket or a comma from every one of them alike.
#pragma once

#include <array>
#include <cstdint>

namespace symcalc {

enum class Bracket : std::uint8_t { Round, Square, Curly };

enum class BracketStep : std::uint8_t {
  Quoted,     // inside a quoted text, its quote marks included
  Plain,      // any other character, at whatever depth
  Open,       // an opener of a counted kind
  Close,      // a closer that matches an open bracket of its kind
  Unmatched,  // a closer with no open bracket of its kind
};

class BracketScanner {
 public:
  // Array rows are found by their own brackets, and some searches inside an
  // atom leave square brackets uncounted: then they are Plain characters.
  explicit BracketScanner(bool countSquare = true) : countSquare_(countSquare) {}

  // The step for the next character; `bracket()` names the kind of an Open,
  // Close or Unmatched. An unmatched closer still lowers its depth below
  // zero, so a search that reads on finds depth 0 again only after the
  // matching opener.
  BracketStep Next(char c) {
    const bool wasQuoted = dq_ || sq_;
    if (c == '"' && !sq_) dq_ = !dq_;
    if (c == '\'' && !dq_) sq_ = !sq_;
    if (wasQuoted || dq_ || sq_) return BracketStep::Quoted;
    bool opens = false;
    switch (c) {
      case '(':
        opens = true;
        [[fallthrough]];
      case ')':
        bracket_ = Bracket::Round;
        break;
      case '[':
        opens = true;
        [[fallthrough]];
      case ']':
        if (!countSquare_) return BracketStep::Plain;
        bracket_ = Bracket::Square;
        break;
      case '{':
        opens = true;
        [[fallthrough]];
      case '}':
        bracket_ = Bracket::Curly;
        break;
      default:
        return BracketStep::Plain;
    }
    long& depth = depth_[static_cast<std::size_t>(bracket_)];
    if (opens) {
      ++depth;
      return BracketStep::Open;
    }
    return depth-- > 0 ? BracketStep::Close : BracketStep::Unmatched;
  }

  Bracket bracket() const { return bracket_; }
  // True between brackets: every counted kind is at depth 0.
  bool AtTop() const { return depth_[0] == 0 && depth_[1] == 0 && depth_[2] == 0; }
  // Whether an opener of this kind is still waiting for its closer.
  bool Open(Bracket b) const { return depth_[static_cast<std::size_t>(b)] > 0; }

 private:
  bool countSquare_;
  bool dq_ = false;
  bool sq_ = false;
  Bracket bracket_ = Bracket::Round;
  std::array<long, 3> depth_{};
};

}  // namespace symcalc
