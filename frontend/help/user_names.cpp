#include "user_names.h"

#include <algorithm>

#include "qt_text.h"
#include "symcalc/engine.h"

namespace symcalc::gui::help {
namespace {

const UserFunction* FindUserFunction(const QString& name, const UserNames& names) {
  for (const UserFunction& function : names.functions)
    if (function.name == name) return &function;
  return nullptr;
}

}  // namespace

UserNames ReadUserNames() {
  UserNames names;
  for (const FunctionInfo& info : RegisteredFunctions()) {
    if (!info.userDefined) continue;
    UserFunction function{QString::fromStdString(info.name), {}};
    for (const std::string& parameter : info.parameters)
      function.parameters.push_back(QString::fromStdString(parameter));
    // A later definition of the name is the one calls reach.
    auto same = std::find_if(names.functions.begin(), names.functions.end(),
                             [&](const UserFunction& f) { return f.name == function.name; });
    if (same != names.functions.end()) *same = std::move(function);
    else names.functions.push_back(std::move(function));
  }
  for (const VariableInfo& info : VariableBindings())
    names.variables.push_back({QString::fromStdString(info.name), info.constant});
  return names;
}

QString UsageOf(const UserFunction& function) {
  return function.name + u'(' + function.parameters.join(QStringLiteral(", ")) + u')';
}

std::optional<Arity> ArityOfFunction(const QString& name, const UserNames& names) {
  if (const UserFunction* function = FindUserFunction(name, names))
    return Arity{static_cast<int>(function->parameters.size()), 0};
  if (const HelpEntry* entry = FindBuiltin(name.toStdString())) return ArityOf(entry->usage);
  return std::nullopt;
}

QString UsageOfFunction(const QString& name, const UserNames& names) {
  if (const UserFunction* function = FindUserFunction(name, names)) return UsageOf(*function);
  if (const HelpEntry* entry = FindBuiltin(name.toStdString()))
    return ToQString(entry->usage);
  return {};
}

}  // namespace symcalc::gui::help
