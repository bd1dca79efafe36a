#include "reference.h"

#include <algorithm>
#include <array>

namespace symcalc::gui::help {

std::string_view TopicTitle(Topic topic) {
  static constexpr std::array<std::string_view, kTopicCount> kTitles = {
      "Arithmetic and elementary functions",
      "Type tests",
      "Trigonometric, hyperbolic and complex",
      "Rounding and conversion",
      "Number theory",
      "Arrays and matrices",
      "Sets",
      "Differentiation, solving, expansion",
      "Expression access and control",
      "Plotting",
      "Constants",
      "Operators",
      "Writing values",
      "Definitions and names",
      "Worksheet keys",
  };
  return kTitles[static_cast<std::size_t>(topic)];
}

const std::vector<HelpEntry>& Reference() {
  static const std::vector<HelpEntry> entries = [] {
    std::vector<HelpEntry> all;
    for (auto part : {NumericEntries, StructureEntries, SymbolicEntries, LanguageEntries}) {
      std::vector<HelpEntry> some = part();
      all.insert(all.end(), std::make_move_iterator(some.begin()),
                 std::make_move_iterator(some.end()));
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const HelpEntry& a, const HelpEntry& b) { return a.topic < b.topic; });
    return all;
  }();
  return entries;
}

const HelpEntry* FindEntry(std::string_view word) {
  for (const HelpEntry& entry : Reference()) {
    if (entry.name == word) return &entry;
    if (std::find(entry.aliases.begin(), entry.aliases.end(), word) != entry.aliases.end())
      return &entry;
  }
  return nullptr;
}

const HelpEntry* FindBuiltin(std::string_view name) {
  for (const HelpEntry& entry : Reference())
    if (entry.kind == EntryKind::Builtin && entry.name == name) return &entry;
  return nullptr;
}

std::vector<std::string_view> ParametersOf(std::string_view usage) {
  std::vector<std::string_view> parameters;
  const std::size_t open = usage.find('(');
  const std::size_t close = usage.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close <= open)
    return parameters;
  std::string_view list = usage.substr(open + 1, close - open - 1);
  while (!list.empty()) {
    const std::size_t comma = list.find(", ");
    parameters.push_back(list.substr(0, comma));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 2);
  }
  return parameters;
}

std::optional<Arity> ArityOf(std::string_view usage) {
  if (usage.find('(') == std::string_view::npos) return std::nullopt;
  Arity arity;
  for (std::string_view parameter : ParametersOf(usage)) {
    ++arity.most;
    if (parameter.front() == '[') ++arity.optional;
  }
  return arity;
}

}  // namespace symcalc::gui::help
