// One worksheet line, handled the same way by the worksheet and the CLI.
#include "eval/simplify.h"
#include "state/engine_state.h"
#include "syntax/parser.h"
#include "symcalc/engine.h"

namespace symcalc {

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + 32);
    } else if (c == 0xC3 && i + 1 < out.size()) {
      // U+00C0..U+00DE are 0xC3 0x80..0x9E in UTF-8; U+00D7 (the sign x) stays.
      auto n = static_cast<unsigned char>(out[i + 1]);
      if (n >= 0x80 && n <= 0x9E && n != 0x97) out[i + 1] = static_cast<char>(n + 0x20);
      ++i;
    }
  }
  return out;
}

std::vector<std::string> SplitPieces(std::string_view line) {
  std::vector<std::string> pieces;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    const bool end = i == line.size();
    if (!end && line[i] == '"') quoted = !quoted;
    if (end || (line[i] == ';' && !quoted)) {
      const std::string_view piece = TrimSpaces(line.substr(start, i - start));
      if (!piece.empty()) pieces.emplace_back(piece);
      start = i + 1;
    }
  }
  return pieces;
}

LineResult HandleLine(std::string_view line) {
  LineResult result;
  const std::string lowered = LowerCase(line);
  if (lowered == "end" || lowered == "quit") {
    result.quit = true;
    return result;
  }
  for (const std::string& piece : SplitPieces(line)) {
    Value* v = EvaluateText(LowerCase(piece));
    Held copy = Hold(CopyValue(v));
    FreeValue(Assign("ans", copy.get()));
    result.values.push_back(v);
  }
  return result;
}

}  // namespace symcalc
