// Reading an input line around the cursor the way the engine will read it:
// which name the cursor is on, which call it is inside and at which argument,
// and which calls give a function the wrong number of arguments.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "reference.h"

namespace symcalc::gui::help {

struct Span {
  int start = 0;
  int end = 0;  // one past the last character
};

// The name the cursor is in or right after: letters, digits and "_" starting
// with a letter, outside quotes, and not the digits of a "#x"/"#b" literal.
std::optional<Span> NameAt(const QString& line, int cursor);

// The start of the piece of the line (pieces are separated by ";" outside
// double quotes) that holds `position`.
int PieceStart(const QString& line, int position);

struct CallAt {
  QString name;
  int open = 0;      // position of the "("
  int argument = 0;  // the argument the cursor is in, counted from 0
  int given = 0;     // how many arguments the call has so far
  bool closed = false;
};

// The innermost call whose parentheses hold the cursor. Arguments are
// separated by commas outside (), [] and {}; like the engine, quotes do not
// hide a comma.
std::optional<CallAt> CallAround(const QString& line, int cursor);

// What a function takes, by name; nothing for a name that is not a function.
using ArityLookup = std::function<std::optional<Arity>(const QString& name)>;

// Whether the engine refuses a call with `given` arguments (blank
// parentheses give none).
bool Refuses(const Arity& arity, int given);

struct Miscount {
  QString name;
  int given = 0;
};

// The complete calls of known functions in the line whose argument count the
// engine will refuse ("Incorrect number of parameters."), left to right.
std::vector<Miscount> MiscountedCalls(const QString& line, const ArityLookup& arityOf);

}  // namespace symcalc::gui::help
