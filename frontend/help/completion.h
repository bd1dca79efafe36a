// The names offered for the letters typed so far.
#pragma once

#include <QString>

#include <vector>

#include "user_names.h"

namespace symcalc::gui::help {

// Completion starts at this many letters: one letter matches too much.
inline constexpr int kCompletionMinimum = 2;

enum class CandidateKind { Builtin, UserFunction, Variable, Constant };

struct Candidate {
  QString name;
  QString label;  // what the list shows: the usage of a function, else the name and its kind
  CandidateKind kind = CandidateKind::Builtin;
  bool IsFunction() const {
    return kind == CandidateKind::Builtin || kind == CandidateKind::UserFunction;
  }
};

// Builtins, the user's functions and the bindings whose names begin with
// `prefix` (in any case), sorted by name, functions before variables of the
// same name. Empty below the minimum, or when the one match is the word
// already typed.
std::vector<Candidate> CompletionsFor(const QString& prefix, const UserNames& names);

}  // namespace symcalc::gui::help
