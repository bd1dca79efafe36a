// The names of the registry and the variable list, read without changing them.
#include <algorithm>

#include "state/engine_state.h"
#include "symcalc/engine.h"

namespace symcalc {
namespace {

std::vector<std::string> SortedUnique(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

}  // namespace

std::vector<std::string> FunctionNames() {
  std::vector<std::string> names;
  for (const BuiltinEntry* e : Engine().registry)
    if (!e->removed) names.push_back(e->name);
  return SortedUnique(std::move(names));
}

// A name bound twice (a parameter in front of a global) is listed once.
std::vector<std::string> VariableNames() {
  std::vector<std::string> names;
  for (const Binding& b : Engine().variables) names.push_back(b.name);
  return SortedUnique(std::move(names));
}

}  // namespace symcalc
