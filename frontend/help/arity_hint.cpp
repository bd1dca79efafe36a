#include "arity_hint.h"

#include "reference.h"

namespace symcalc::gui::help {

std::string ArityHint(std::string_view name) {
  const HelpEntry* entry = FindBuiltin(name);
  if (!entry) return {};
  const std::optional<Arity> arity = ArityOf(entry->usage);
  return arity ? ArityHint(name, arity->most, arity->optional) : std::string();
}

std::string ArityHint(std::string_view name, int most, int optional) {
  std::string text(name);
  text += " takes ";
  const int least = most - optional;
  if (most == 0) return text + "no arguments";
  if (least == most) text += std::to_string(most);
  else if (most == least + 1) text += std::to_string(least) + " or " + std::to_string(most);
  else text += std::to_string(least) + " to " + std::to_string(most);
  return text + (most == 1 ? " argument" : " arguments");
}

}  // namespace symcalc::gui::help
