#include "errors/error_notes.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "errors/error_explanations.h"
#include "result_description.h"
#include "result_picture.h"

namespace symcalc::gui {
namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsName(std::string_view text) {
  for (const char c : text)
    if (!IsNameChar(c)) return false;
  return !text.empty();
}

// The text the engine quotes for an error: a name or a piece of the line as
// it was written, or else the printed value. A value whose text would take
// minutes to print cannot stand in the line anyway, and gives no text.
std::string OffendingText(const Value* operand) {
  switch (TypeOf(operand)) {
    case ValueType::String:
    case ValueType::Symbol:
    case ValueType::Variable:
      return std::string(TextValueOf(operand));
    default:
      return PrintsReadably(operand) ? PrintValue(operand) : std::string();
  }
}

int Utf16Length(std::string_view utf8) {
  return static_cast<int>(
      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).size());
}

}  // namespace

std::size_t FindOffendingText(std::string_view loweredPiece, std::string_view text) {
  if (text.empty()) return std::string_view::npos;
  const std::size_t first = loweredPiece.find(text);
  if (first == std::string_view::npos || !IsName(text)) return first;
  // "x" in "max+x" is the second one: a name inside a longer name is not it.
  for (std::size_t at = first; at != std::string_view::npos; at = loweredPiece.find(text, at + 1)) {
    const std::size_t end = at + text.size();
    const bool startsWord = at == 0 || !IsNameChar(loweredPiece[at - 1]);
    const bool endsWord = end == loweredPiece.size() || !IsNameChar(loweredPiece[end]);
    if (startsWord && endsWord) return at;
  }
  return first;
}

LineNotes NoteLineErrors(std::string_view line, const std::vector<Value*>& results,
                         const std::vector<FormulaBox>& boxes) {
  LineNotes notes;
  notes.line = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
  // Each result comes from one non-empty piece, in order; the pieces are
  // found again in the line one after the other, so each is found where it
  // stands, not earlier inside another piece.
  const std::vector<std::string> pieces = SplitPieces(line);
  std::size_t searchFrom = 0;
  // 64 bits: many tall results must not wrap around.
  std::int64_t top = 0;
  for (std::size_t i = 0; i < results.size() && i < boxes.size(); ++i) {
    const int height = boxes[i].Height();
    std::size_t pieceStart = std::string_view::npos;
    if (i < pieces.size()) {
      pieceStart = line.find(pieces[i], searchFrom);
      if (pieceStart != std::string_view::npos) searchFrom = pieceStart + pieces[i].size();
    }
    const Value* v = results[i];
    if (TypeOf(v) == ValueType::Error) {
      ErrorNote note;
      note.top = static_cast<int>(std::min<std::int64_t>(top, std::numeric_limits<int>::max()));
      note.height = height;
      const Value* operand = ErrorOperand(v);
      const std::string text = operand ? OffendingText(operand) : std::string();
      note.tip = QString::fromStdString(ErrorTip(RawErrorCode(v), text));
      if (pieceStart != std::string_view::npos) {
        const std::size_t at = FindOffendingText(LowerCase(pieces[i]), text);
        if (at != std::string_view::npos) {
          note.located = true;
          note.span.start = Utf16Length(line.substr(0, pieceStart + at));
          note.span.length = Utf16Length(text);
        }
      }
      notes.errors.push_back(std::move(note));
    }
    top += std::int64_t{height} + kResultGap;
  }
  return notes;
}

}  // namespace symcalc::gui
