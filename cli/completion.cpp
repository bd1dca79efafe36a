#include "completion.h"

#include <algorithm>

namespace symcalc_cli {
namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

}  // namespace

NameCandidates FindCandidates(std::string_view beforeCursor, const std::vector<std::string>& functions,
                              const std::vector<std::string>& variables) {
  std::size_t start = beforeCursor.size();
  while (start > 0 && IsNameChar(beforeCursor[start - 1])) --start;
  const std::string_view typed = beforeCursor.substr(start);
  // A digit starts a number, not a name.
  if (typed.empty() || (typed[0] >= '0' && typed[0] <= '9')) return {};
  const std::string prefix = AsciiLower(typed);

  NameCandidates found;
  found.typed = typed.size();
  for (const std::string& name : functions)
    if (name.starts_with(prefix)) found.names.push_back(name + "(");
  for (const std::string& name : variables)
    if (name.starts_with(prefix)) found.names.push_back(name);
  std::sort(found.names.begin(), found.names.end());
  found.names.erase(std::unique(found.names.begin(), found.names.end()), found.names.end());
  return found;
}

}  // namespace symcalc_cli
