// Tab completion of names: the names that the partial name before the cursor
// may stand for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace symcalc_cli {

struct NameCandidates {
  std::size_t typed = 0;             // length of the partial name before the cursor
  std::vector<std::string> names;    // sorted; each begins with the partial name
};

// `functions` are offered with "(" after them, `variables` without. Input is
// lower-cased before it is evaluated, so "FACT" finds factorial too.
NameCandidates FindCandidates(std::string_view beforeCursor, const std::vector<std::string>& functions,
                              const std::vector<std::string>& variables);

}  // namespace symcalc_cli
