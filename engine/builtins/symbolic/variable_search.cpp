#include "builtins/symbolic/variable_search.h"

#include <vector>

namespace symcalc {

bool ContainsVariable(const Value* t, std::string_view name) {
  // An explicit work list: sums and products are chains as long as the input.
  std::vector<const Value*> work{t};
  while (!work.empty()) {
    const Value* x = work.back();
    work.pop_back();
    if (!x) continue;
    switch (x->type) {
      case ValueType::Symbol:
      case ValueType::String:
      case ValueType::Variable:
        if (TextOf(x) == name) return true;
        break;
      case ValueType::Function:
        for (const Value* a : x->function.args) work.push_back(a);
        break;
      case ValueType::Array:
        for (std::uint32_t i = 0; i < x->array.table->count; ++i)
          work.push_back(x->array.table->cells()[i]);
        break;
      case ValueType::Set:
        for (const Value* e = x->set.first; e; e = e->setLink) work.push_back(e);
        break;
      case ValueType::Complex:
        // Complex parts may be expressions: #c(x, 1) depends on x.
        work.push_back(x->pair.left);
        work.push_back(x->pair.right);
        break;
      default:
        if (IsOperator(x)) {
          work.push_back(x->pair.left);
          work.push_back(x->pair.right);
        }
        break;
    }
  }
  return false;
}

bool IsVariableName(std::string_view text) {
  if (text.empty() || (text[0] >= '0' && text[0] <= '9')) return false;
  for (char c : text)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

}  // namespace symcalc
