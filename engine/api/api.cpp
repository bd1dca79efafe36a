// The front end's API: thin forwarders and read-only accessors.
#include "builtins/builtins.h"
#include "eval/simplify.h"
#include "state/engine_state.h"
#include "symcalc/engine.h"

namespace symcalc {
namespace {

template <typename F>
auto WithSimplified(const Value* v, F f) {
  Held s = Hold(Simplify(v));
  return f(s.get());
}

}  // namespace

void RegisterExternalFunction(ExternalFn fn, std::string_view name, int maxArgs,
                              int optionalArgs) {
  RegisterBuiltin(fn, name, maxArgs, optionalArgs, 0);
}

Value* MakeExternalApplication(ExternalFn fn, const Value* a, const Value* b, const Value* c,
                               const Value* d, Value* out) {
  const BuiltinEntry* entry = FindByImplementation(fn);
  const int arity = entry ? entry->maxArgs + 1 : 1;
  return MakeFunctionNode(fn, arity, a, b, c, d, out);
}

void PushTemporaryBinding(std::string_view name, const Value* value) {
  PushParameter(name, CopyValue(value));
}

void PopTemporaryBinding() { PopParameters(1); }

std::vector<FunctionInfo> RegisteredFunctions() {
  std::vector<FunctionInfo> functions;
  for (const BuiltinEntry* e : Engine().registry) {
    FunctionInfo info{e->name, e->maxArgs, e->optionalArgs, e->body != nullptr, {}};
    if (info.userDefined) info.parameters = e->parameters;
    functions.push_back(std::move(info));
  }
  return functions;
}

std::vector<VariableInfo> VariableBindings() {
  std::vector<VariableInfo> variables;
  for (const Binding& b : Engine().variables) variables.push_back({b.name, b.constant});
  return variables;
}

void ReleaseValues(std::vector<Value*>& values) {
  for (Value* v : values) FreeValue(v);
  values.clear();
}

Value* CallBuiltin(std::string_view name, const Value* a, const Value* b, const Value* c,
                   const Value* d) {
  BuiltinEntry* entry = FindFunction(name);
  if (!entry) {
    Held s = Hold(MakeString(name));
    return MakeError(ErrorCode::FunctionNotDeclared, s.get());
  }
  Value* const args[4] = {const_cast<Value*>(a), const_cast<Value*>(b), const_cast<Value*>(c),
                          const_cast<Value*>(d)};
  return CallEntry(entry, args, nullptr);
}

bool IsTrue(const Value* v) {
  return WithSimplified(v, [](const Value* s) {
    return s->type == ValueType::Boolean && s->boolean == 1;
  });
}

bool IsFalse(const Value* v) {
  return WithSimplified(v, [](const Value* s) {
    return s->type == ValueType::Boolean && s->boolean == 0;
  });
}

std::int64_t QwordValueOf(const Value* v) {
  return WithSimplified(v, [](const Value* s) -> std::int64_t {
    return s->type == ValueType::Qword ? s->qword : 0;
  });
}

int ErrorCodeOf(const Value* v) {
  return WithSimplified(v, [](const Value* s) {
    return s->type == ValueType::Error ? static_cast<int>(s->error.code) : 0;
  });
}

std::string VariableNameOf(const Value* v) {
  return WithSimplified(v, [](const Value* s) {
    return s->type == ValueType::Variable ? std::string(TextOf(s)) : std::string();
  });
}

std::string ErrorMessage(int code) {
  if (code < 0 || code >= kErrorCount) return {};
  return std::string(ErrorText(static_cast<ErrorCode>(code)));
}

bool FunctionArgumentCounts(std::string_view name, int* fewest, int* most) {
  const BuiltinEntry* entry = FindFunction(name);
  if (!entry) return false;
  *most = entry->maxArgs;
  *fewest = entry->maxArgs - entry->optionalArgs;
  return true;
}

ValueType TypeOf(const Value* v) { return v->type; }
std::string_view TypeNameOf(const Value* v) { return TypeName(v->type); }
const Value* LeftOperand(const Value* v) {
  return v->type == ValueType::Complex || IsPairNode(v) ? v->pair.left : nullptr;
}
const Value* RightOperand(const Value* v) {
  return v->type == ValueType::Complex || IsPairNode(v) ? v->pair.right : nullptr;
}
int FunctionArgumentCount(const Value* v) {
  if (v->type != ValueType::Function) return 0;
  int n = 0;
  for (const Value* a : v->function.args)
    if (a) ++n;
  return n;
}
const Value* FunctionArgument(const Value* v, int index) {
  if (v->type != ValueType::Function || index < 0 || index > 3) return nullptr;
  return v->function.args[index];
}
std::string_view FunctionEntryName(const Value* v) {
  return v->type == ValueType::Function ? std::string_view(v->function.entry->name)
                                        : std::string_view();
}
int ArrayWidth(const Value* v) { return v->type == ValueType::Array ? v->array.width : 0; }
int ArrayHeight(const Value* v) { return v->type == ValueType::Array ? v->array.height : 0; }
const Value* ArrayCell(const Value* v, int index) {
  if (v->type != ValueType::Array || index < 0 ||
      static_cast<std::uint32_t>(index) >= v->array.table->count)
    return nullptr;
  return v->array.table->cells()[index];
}
std::int64_t SetCount(const Value* v) { return v->type == ValueType::Set ? v->set.count : 0; }
const Value* SetFirst(const Value* v) { return v->type == ValueType::Set ? v->set.first : nullptr; }
const Value* SetNext(const Value* element) { return element->setLink; }
std::string_view TextValueOf(const Value* v) { return HasText(v) ? TextOf(v) : std::string_view(); }
std::int64_t RawQword(const Value* v) { return v->type == ValueType::Qword ? v->qword : 0; }
double RawDouble(const Value* v) { return v->type == ValueType::Double ? v->dbl : 0.0; }
std::int32_t RatioNumerator(const Value* v) {
  return v->type == ValueType::Ratio ? v->ratio.num : 0;
}
std::int32_t RatioDenominator(const Value* v) {
  return v->type == ValueType::Ratio ? v->ratio.den : 1;
}
int RawMathSymbol(const Value* v) {
  return v->type == ValueType::MathSymbol ? v->mathSymbol : 0;
}
int RawErrorCode(const Value* v) {
  return v->type == ValueType::Error ? static_cast<int>(v->error.code) : 0;
}
const Value* ErrorOperand(const Value* v) {
  return v->type == ValueType::Error ? v->error.operand : nullptr;
}
bool RawBoolean(const Value* v) { return v->type == ValueType::Boolean && v->boolean; }

}  // namespace symcalc
