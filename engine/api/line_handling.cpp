// One worksheet line, handled the same way by the worksheet and the CLI.
#include "eval/cancel.h"
#include "eval/simplify.h"
#include "state/engine_state.h"
#include "syntax/parser.h"
#include "symcalc/engine.h"

namespace symcalc {

namespace {

// Lower-cases A-Z and the Latin-1 capitals (U+00C0..U+00DE, 0xC3 0x80..0x9E
// in UTF-8) except U+00D7, the multiplication sign.
void LowerInPlace(char* text, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c >= 'A' && c <= 'Z') {
      text[i] = static_cast<char>(c + 32);
    } else if (c == 0xC3 && i + 1 < n) {
      auto next = static_cast<unsigned char>(text[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) text[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    }
  }
}

// Calls f with each piece of the line between semicolons outside double
// quotes, trimmed; empty pieces are skipped.
template <typename F>
void ForEachPiece(std::string_view line, F f) {
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    const bool end = i == line.size();
    if (!end && line[i] == '"') quoted = !quoted;
    if (end || (line[i] == ';' && !quoted)) {
      const std::string_view piece = TrimSpaces(line.substr(start, i - start));
      if (!piece.empty()) f(piece);
      start = i + 1;
    }
  }
}

}  // namespace

std::string LowerCase(std::string_view text) {
  std::string out(text);
  LowerInPlace(out.data(), out.size());
  return out;
}

std::vector<std::string> SplitPieces(std::string_view line) {
  std::vector<std::string> pieces;
  ForEachPiece(line, [&](std::string_view piece) { pieces.emplace_back(piece); });
  return pieces;
}

LineResult HandleLine(std::string_view line) {
  LineResult result;
  // Only a whole line of three or four letters can be "end" or "quit".
  if (line.size() == 3 || line.size() == 4) {
    const std::string lowered = LowerCase(line);
    if (lowered == "end" || lowered == "quit") {
      result.quit = true;
      return result;
    }
  }
  ForEachPiece(line, [&](std::string_view piece) {
    if (result.cancelled) return;
    if (CancelPending()) {
      result.cancelled = true;
      return;
    }
    // Pieces of ordinary length are lower-cased on the stack.
    char small[256];
    std::string large;
    std::string_view text;
    if (piece.size() <= sizeof small) {
      piece.copy(small, piece.size());
      LowerInPlace(small, piece.size());
      text = std::string_view(small, piece.size());
    } else {
      large = LowerCase(piece);
      text = large;
    }
    BeginPiece();
    Value* v = EvaluateText(text);
    if (CancelPending()) {
      // Cut short: the value is unfinished and nothing the piece did stays.
      FreeValue(v);
      result.cancelled = true;
      return;
    }
    // From here the piece is complete, and so is its assignment to ans.
    CommitPiece();
    Held copy = Hold(CopyValue(v));
    FreeValue(Assign("ans", copy.get()));
    result.values.push_back(v);
    BeginPiece();
  });
  return result;
}

}  // namespace symcalc
