// The values each worksheet line shows, kept so that a line's results can be
// copied after later lines have been evaluated. The store belongs to the
// engine's side: it is used, and its last holder lets it go, only in jobs
// that run where the engine runs.
#pragma once

#include <vector>

#include "symcalc/engine.h"

namespace symcalc::gui {

class ResultStore {
 public:
  ResultStore() = default;
  ~ResultStore();
  ResultStore(const ResultStore&) = delete;
  ResultStore& operator=(const ResultStore&) = delete;

  // Replaces the entry's values by copies of `results`.
  void Keep(int entry, const std::vector<Value*>& results);
  // The entry's values, empty when it has none.
  const std::vector<Value*>& Of(int entry) const;

 private:
  std::vector<std::vector<Value*>> kept_;
};

}  // namespace symcalc::gui
