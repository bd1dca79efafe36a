#include "completion.h"

#include <algorithm>

#include "qt_text.h"

namespace symcalc::gui::help {

std::vector<Candidate> CompletionsFor(const QString& prefix, const UserNames& names) {
  std::vector<Candidate> found;
  if (prefix.size() < kCompletionMinimum) return found;
  const QString typed = prefix.toLower();
  for (const HelpEntry& entry : Reference()) {
    if (entry.kind != EntryKind::Builtin) continue;
    const QString name = ToQString(entry.name);
    if (name.startsWith(typed)) found.push_back({name, ToQString(entry.usage), CandidateKind::Builtin});
  }
  for (const UserFunction& function : names.functions)
    if (function.name.startsWith(typed))
      found.push_back({function.name, UsageOf(function), CandidateKind::UserFunction});
  for (const UserVariable& variable : names.variables) {
    if (!variable.name.startsWith(typed)) continue;
    const bool known = std::any_of(found.begin(), found.end(), [&](const Candidate& c) {
      return !c.IsFunction() && c.name == variable.name;
    });
    if (known) continue;  // a name bound twice (a parameter over a variable) shows once
    found.push_back({variable.name,
                     variable.name + (variable.constant ? QStringLiteral("   constant")
                                                        : QStringLiteral("   variable")),
                     variable.constant ? CandidateKind::Constant : CandidateKind::Variable});
  }
  std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
    if (a.name != b.name) return a.name < b.name;
    return a.IsFunction() && !b.IsFunction();
  });
  if (found.size() == 1 && found.front().name == typed) found.clear();
  return found;
}

}  // namespace symcalc::gui::help
