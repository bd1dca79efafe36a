#include "line_scan.h"

#include <algorithm>
#include <utility>

namespace symcalc::gui::help {
namespace {

bool IsLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsNameChar(QChar c) { return IsLetter(c) || (c >= u'0' && c <= u'9') || c == u'_'; }
bool IsOpener(QChar c) { return c == u'(' || c == u'[' || c == u'{'; }
bool IsCloser(QChar c) { return c == u')' || c == u']' || c == u'}'; }

// Which positions lie inside a quoted text. A double quote toggles unless a
// single-quoted text is open and the other way round, as the engine reads.
std::vector<bool> QuotedPositions(const QString& line) {
  std::vector<bool> quoted(static_cast<std::size_t>(line.size()) + 1, false);
  bool inDouble = false;
  bool inSingle = false;
  for (int i = 0; i < line.size(); ++i) {
    quoted[static_cast<std::size_t>(i)] = inDouble || inSingle;
    if (line[i] == u'"' && !inSingle) inDouble = !inDouble;
    else if (line[i] == u'\'' && !inDouble) inSingle = !inSingle;
  }
  quoted.back() = inDouble || inSingle;
  return quoted;
}


// The name that ends right before `position`, if any.
std::optional<Span> NameBefore(const QString& line, int position) {
  int start = position;
  while (start > 0 && IsNameChar(line[start - 1])) --start;
  if (start == position || !IsLetter(line[start])) return std::nullopt;
  if (start > 0 && line[start - 1] == u'#') return std::nullopt;
  return Span{start, position};
}

// The engine trims spaces only; a tab is text.
bool IsBlank(const QString& text) {
  for (QChar c : text)
    if (c != u' ') return false;
  return true;
}

// Commas at depth 0 between `from` and `to`.
int CommasBetween(const QString& line, int from, int to) {
  int depth = 0;
  int commas = 0;
  for (int i = from; i < to; ++i) {
    if (IsOpener(line[i])) ++depth;
    else if (IsCloser(line[i])) --depth;
    else if (line[i] == u',' && depth == 0) ++commas;
  }
  return commas;
}

// The ")" before `end` that closes the "(" at `open`, or -1.
int MatchingClose(const QString& line, int open, int end) {
  int depth = 0;
  for (int i = open; i < end; ++i) {
    if (IsOpener(line[i])) ++depth;
    else if (IsCloser(line[i]) && --depth == 0) return i;
  }
  return -1;
}

// A worksheet line is cut into pieces at every ";" outside double quotes
// (single quotes do not count there).
bool CutsPieces(QChar c, bool& inDouble) {
  if (c == u'"') inDouble = !inDouble;
  return c == u';' && !inDouble;
}

// One past the end of the piece that holds `position`.
int PieceEnd(const QString& line, int position) {
  bool inDouble = false;
  for (int i = 0; i < line.size(); ++i)
    if (CutsPieces(line[i], inDouble) && i >= position) return i;
  return static_cast<int>(line.size());
}

}  // namespace

std::optional<Span> NameAt(const QString& line, int cursor) {
  if (cursor < 0 || cursor > line.size()) return std::nullopt;
  int end = cursor;
  while (end < line.size() && IsNameChar(line[end])) ++end;
  std::optional<Span> span = NameBefore(line, end);
  if (!span || span->start > cursor || QuotedPositions(line)[static_cast<std::size_t>(span->start)])
    return std::nullopt;
  return span;
}

int PieceStart(const QString& line, int position) {
  int start = 0;
  bool inDouble = false;
  for (int i = 0; i < position && i < line.size(); ++i)
    if (CutsPieces(line[i], inDouble)) start = i + 1;
  return start;
}

std::optional<CallAt> CallAround(const QString& line, int cursor) {
  if (cursor < 0 || cursor > line.size()) return std::nullopt;
  const int piece = PieceStart(line, cursor);
  const std::vector<bool> quoted = QuotedPositions(line);
  int depth = 0;
  for (int i = cursor - 1; i >= piece; --i) {
    if (IsCloser(line[i])) {
      ++depth;
    } else if (IsOpener(line[i])) {
      if (depth > 0) {
        --depth;
        continue;
      }
      // An unclosed bracket that is not a call (a group, an array, a set)
      // sits inside whatever call encloses it.
      if (line[i] != u'(') continue;
      const std::optional<Span> name = NameBefore(line, i);
      if (!name || quoted[static_cast<std::size_t>(name->start)]) continue;
      CallAt call;
      call.name = line.mid(name->start, name->end - name->start);
      call.open = i;
      call.argument = CommasBetween(line, i + 1, cursor);
      const int pieceEnd = PieceEnd(line, cursor);
      const int close = MatchingClose(line, i, pieceEnd);
      const int end = close < 0 ? pieceEnd : close;
      const bool blank = IsBlank(line.mid(i + 1, end - i - 1));
      call.given = blank ? 0 : CommasBetween(line, i + 1, end) + 1;
      call.closed = close >= 0;
      return call;
    }
  }
  return std::nullopt;
}

bool Refuses(const Arity& arity, int given) {
  return given < arity.most - arity.optional || given > arity.most;
}

std::vector<Miscount> MiscountedCalls(const QString& line, const ArityLookup& arityOf) {
  // One pass with the open brackets on a stack, so that a long line with many
  // calls costs no more than reading it once.
  struct Open {
    int at = 0;
    bool call = false;    // a "(" right after a name, outside quotes
    bool blank = true;    // nothing but spaces inside so far
    int commas = 0;       // at this bracket's own depth
  };
  std::vector<Open> open;
  std::vector<std::pair<int, Miscount>> found;
  bool inDouble = false;  // for quoted calls
  bool inSingle = false;
  bool pieceQuote = false;  // for the cuts between pieces
  for (int i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (CutsPieces(c, pieceQuote)) {
      open.clear();
      continue;
    }
    const bool wasQuoted = inDouble || inSingle;
    if (c == u'"' && !inSingle) inDouble = !inDouble;
    else if (c == u'\'' && !inDouble) inSingle = !inSingle;
    if (c != u' ' && !open.empty() && !IsCloser(c)) open.back().blank = false;
    // As in the engine, a comma or bracket inside quotes belongs to the text.
    if (wasQuoted || inDouble || inSingle) continue;
    if (IsOpener(c)) {
      open.push_back({i, c == u'(' && NameBefore(line, i) && !inDouble && !inSingle, true, 0});
    } else if (c == u',' && !open.empty()) {
      ++open.back().commas;
    } else if (IsCloser(c) && !open.empty()) {
      const Open closed = open.back();
      open.pop_back();
      if (!closed.call) continue;
      const std::optional<Span> name = NameBefore(line, closed.at);
      const QString callee = line.mid(name->start, name->end - name->start).toLower();
      const int given = closed.blank ? 0 : closed.commas + 1;
      const std::optional<Arity> arity = arityOf(callee);
      if (arity && Refuses(*arity, given)) found.push_back({closed.at, {callee, given}});
    }
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Miscount> inOrder;
  for (auto& [at, miscount] : found) inOrder.push_back(std::move(miscount));
  return inOrder;
}

}  // namespace symcalc::gui::help
