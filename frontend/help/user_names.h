// The functions and variables of the user's session, as the engine last
// reported them. Read on the engine's thread, used on the window's.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "reference.h"

namespace symcalc::gui::help {

struct UserFunction {
  QString name;
  QStringList parameters;
};

struct UserVariable {
  QString name;
  bool constant = false;
};

struct UserNames {
  std::vector<UserFunction> functions;  // the definition a call reaches, one per name
  std::vector<UserVariable> variables;  // constants included, the engine's own too
};

// Engine thread only.
UserNames ReadUserNames();

// "area(w, h)"
QString UsageOf(const UserFunction& function);

// What a call of `name` takes: a user function first (it cannot share a
// builtin's name), then a builtin.
std::optional<Arity> ArityOfFunction(const QString& name, const UserNames& names);
// A function's usage line: the user's or the reference's; empty if unknown.
QString UsageOfFunction(const QString& name, const UserNames& names);

}  // namespace symcalc::gui::help
