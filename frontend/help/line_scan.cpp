#include "line_scan.h"

namespace symcalc::gui::help {
namespace {

bool IsLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsNameChar(QChar c) { return IsLetter(c) || (c >= u'0' && c <= u'9') || c == u'_'; }
bool IsOpener(QChar c) { return c == u'(' || c == u'[' || c == u'{'; }
bool IsCloser(QChar c) { return c == u')' || c == u']' || c == u'}'; }

// Whether `position` lies inside a quoted text. A double quote toggles unless
// a single-quoted text is open and the other way round, as the engine reads.
bool InsideQuotes(const QString& line, int position) {
  bool inDouble = false;
  bool inSingle = false;
  for (int i = 0; i < position && i < line.size(); ++i) {
    if (line[i] == u'"' && !inSingle) inDouble = !inDouble;
    else if (line[i] == u'\'' && !inDouble) inSingle = !inSingle;
  }
  return inDouble || inSingle;
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

// The ")" that closes the "(" at `open`, or -1.
int MatchingClose(const QString& line, int open) {
  int depth = 0;
  for (int i = open; i < line.size(); ++i) {
    if (line[i] == u';' && !InsideQuotes(line, i)) return -1;
    if (IsOpener(line[i])) ++depth;
    else if (IsCloser(line[i]) && --depth == 0) return i;
  }
  return -1;
}

}  // namespace

std::optional<Span> NameAt(const QString& line, int cursor) {
  if (cursor < 0 || cursor > line.size()) return std::nullopt;
  int end = cursor;
  while (end < line.size() && IsNameChar(line[end])) ++end;
  std::optional<Span> span = NameBefore(line, end);
  if (!span || span->start > cursor || InsideQuotes(line, span->start)) return std::nullopt;
  return span;
}

int PieceStart(const QString& line, int position) {
  int start = 0;
  bool inDouble = false;
  for (int i = 0; i < position && i < line.size(); ++i) {
    if (line[i] == u'"') inDouble = !inDouble;
    else if (line[i] == u';' && !inDouble) start = i + 1;
  }
  return start;
}

std::optional<CallAt> CallAround(const QString& line, int cursor) {
  if (cursor < 0 || cursor > line.size()) return std::nullopt;
  const int piece = PieceStart(line, cursor);
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
      if (!name || InsideQuotes(line, name->start)) continue;
      CallAt call;
      call.name = line.mid(name->start, name->end - name->start);
      call.open = i;
      call.argument = CommasBetween(line, i + 1, cursor);
      const int close = MatchingClose(line, i);
      const int end = close < 0 ? static_cast<int>(line.size()) : close;
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
  std::vector<Miscount> found;
  for (int i = 0; i < line.size(); ++i) {
    if (line[i] != u'(') continue;
    const std::optional<Span> name = NameBefore(line, i);
    if (!name || InsideQuotes(line, name->start)) continue;
    const int close = MatchingClose(line, i);
    if (close < 0) continue;
    const QString callee = line.mid(name->start, name->end - name->start).toLower();
    const std::optional<Arity> arity = arityOf(callee);
    if (!arity) continue;
    const bool blank = IsBlank(line.mid(i + 1, close - i - 1));
    const int given = blank ? 0 : CommasBetween(line, i + 1, close) + 1;
    if (Refuses(*arity, given)) found.push_back({callee, given});
  }
  return found;
}

}  // namespace symcalc::gui::help
