#include "clipboard/result_store.h"

namespace symcalc::gui {

ResultStore::~ResultStore() {
  for (std::vector<Value*>& values : kept_) ReleaseValues(values);
}

void ResultStore::Keep(int entry, const std::vector<Value*>& results) {
  if (entry < 0) return;
  const auto index = static_cast<std::size_t>(entry);
  if (index >= kept_.size()) kept_.resize(index + 1);
  std::vector<Value*> copies;
  copies.reserve(results.size());
  for (const Value* v : results) copies.push_back(CopyValue(v));
  ReleaseValues(kept_[index]);
  kept_[index] = std::move(copies);
}

const std::vector<Value*>& ResultStore::Of(int entry) const {
  static const std::vector<Value*> kNone;
  if (entry < 0 || static_cast<std::size_t>(entry) >= kept_.size()) return kNone;
  return kept_[static_cast<std::size_t>(entry)];
}

}  // namespace symcalc::gui
