// Definitions with ":=": variables, constants and user functions, and the
// implementation shared by all user functions.
#include <algorithm>
#include <string>
#include <vector>

#include "eval/cancel.h"
#include "eval/depth_guard.h"
#include "eval/simplify.h"
#include "state/engine_state.h"

namespace symcalc {
namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

Value* NameError(int code, std::string_view name) {
  Held s = Hold(MakeString(name));
  return MakeError(code, s.get());
}

// What an assignment that a cancel request stopped before it bound anything
// returns; the line handling drops it with the rest of the piece.
Value* AbandonedError(std::string_view name) { return NameError(19, name); }

// True when `name` occurs as a variable anywhere in v: in the positions
// Simplify substitutes (operator operands, function arguments, complex parts),
// in error operands, which are simplified again whenever an error is passed
// on, and in array cells, set elements and range ends, which arithmetic on
// them simplifies. With `throughBindings`, variables met on the way are
// followed into their values.
bool MentionsVariable(const Value* v, std::string_view name, bool throughBindings = false) {
  // Most values assigned are numbers.
  if (IsReal(v) || v->type == ValueType::Boolean || v->type == ValueType::MathSymbol ||
      v->type == ValueType::String || v->type == ValueType::Symbol)
    return false;
  std::vector<const Value*> work{v};
  std::vector<std::string_view> followed;
  while (!work.empty()) {
    const Value* x = work.back();
    work.pop_back();
    if (!x) continue;
    switch (x->type) {
      case ValueType::Variable: {
        const std::string_view var = TextOf(x);
        if (var == name) return true;
        if (!throughBindings) break;
        if (std::find(followed.begin(), followed.end(), var) != followed.end()) break;
        followed.push_back(var);
        if (const Binding* b = FindBinding(var)) work.push_back(b->value);
        break;
      }
      case ValueType::Function:
        for (const Value* a : x->function.args) work.push_back(a);
        break;
      case ValueType::Error:
        work.push_back(x->error.operand);
        break;
      case ValueType::Array: {
        const CellTable* t = x->array.table;
        work.insert(work.end(), t->cells(), t->cells() + t->count);
        break;
      }
      case ValueType::Set:
        for (const Value* e = x->set.first; e; e = e->setLink) work.push_back(e);
        break;
      default:
        if (x->type == ValueType::Complex || IsPairNode(x)) {
          work.push_back(x->pair.left);
          work.push_back(x->pair.right);
        }
        break;
    }
  }
  return false;
}

std::vector<std::string> SplitParameters(const std::string& text) {
  std::vector<std::string> names;
  if (text.empty()) return names;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    names.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return names;
}

// Replaces every parameter variable by its argument in one pass, so that an
// argument that mentions a parameter name is never substituted again.
Value* SubstituteParameters(const Value* v, const std::vector<std::string>& names,
                            Value* const* args) {
  if (StackExhausted()) return MakeError(19, v);
  switch (v->type) {
    case ValueType::Variable:
      for (std::size_t i = 0; i < names.size(); ++i)
        if (TextOf(v) == names[i]) return Retain(args[i]);
      return Retain(v);
    case ValueType::Function: {
      Value* c = CopyValue(v);
      for (Value*& a : c->function.args) {
        if (!a) continue;
        Value* n = SubstituteParameters(a, names, args);
        FreeValue(a);
        a = n;
      }
      return c;
    }
    default:
      if (v->type == ValueType::Complex || IsOperator(v)) {
        Value* l = SubstituteParameters(v->pair.left, names, args);
        Value* r = SubstituteParameters(v->pair.right, names, args);
        return MakeRawPair(v->type, l, r);
      }
      return Retain(v);
  }
}

}  // namespace

Value* Assign(std::string_view fullName, const Value* value) {
  Held simplified = Hold(Simplify(value));
  std::string_view name = fullName;
  bool constant = false;
  if (!name.empty() && name[0] == '#') {
    name.remove_prefix(1);
    constant = true;
  }

  int state = 0;
  int count = 0;
  std::size_t open = 0;
  std::size_t paramStart = 0;
  std::vector<std::string_view> params;
  auto takeParameter = [&](std::size_t end) -> int {
    std::string_view p = name.substr(paramStart, end - paramStart);
    if (p.empty()) return 38;
    for (std::string_view q : params)
      if (q == p) return 42;
    params.push_back(p);
    return 0;
  };
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (state == 2) return NameError(38, name);
    if (IsNameChar(c)) {
      if (state == 1 && count == 0) count = 1;
    } else if (c == '(' && state == 0) {
      state = 1;
      open = i;
      paramStart = i + 1;
    } else if (c == ')' && state == 1) {
      state = 2;
      if (count >= 1)
        if (int err = takeParameter(i)) return NameError(err, name);
    } else if (c == ',' && state == 1) {
      if (++count > 4) return NameError(39, name);
      if (int err = takeParameter(i)) return NameError(err, name);
      paramStart = i + 1;
    } else {
      return NameError(state == 0 ? 17 : 38, name);
    }
  }
  if (state == 1) return NameError(38, name);

  EngineState& s = Engine();
  if (state == 0) {
    if (name.empty()) return NameError(17, name);
    // A value that mentions its own name, directly or through the bindings of
    // the variables it mentions, would make every later lookup substitute
    // without end; the variable itself (x:=x) is harmless.
    const bool isItself =
        simplified->type == ValueType::Variable && TextOf(simplified.get()) == name;
    if (!isItself && !CannotMention(simplified.get(), name) &&
        MentionsVariable(simplified.get(), name, true)) {
      Held var = Hold(MakeVariable(name));
      return MakeError(21, var.get());
    }
    Binding* b = FindBinding(name);
    if (b && b->constant) return NameError(16, name);
    if (CancelPending()) return AbandonedError(name);
    CommitPiece();
    if (b) {
      FreeValue(b->value);
      b->value = simplified.release();
      b->constant = constant;
    } else {
      s.variables.push_back(Binding{std::string(name), simplified.release(), constant});
    }
    BindingsChanged(name);
    return nullptr;
  }

  const std::string_view fname = name.substr(0, open);
  if (fname.empty()) return NameError(38, name);
  for (BuiltinEntry* e : s.registry)
    if (e->name == fname && !e->body) return NameError(41, fname);
  if (CancelPending()) return AbandonedError(fname);
  CommitPiece();
  auto* e = new BuiltinEntry();
  e->impl = UserFunction;
  e->name = std::string(fname);
  e->maxArgs = static_cast<std::int8_t>(count);
  e->body = simplified.release();
  e->parameters = std::string(name.substr(open + 1, name.size() - open - 2));
  s.registry.push_back(e);
  return nullptr;
}

Value* UserFunction(Value* const* args, Value* out) {
  BuiltinEntry* entry = Engine().current;
  RetainEntry(entry);
  const std::vector<std::string> names = SplitParameters(entry->parameters);
  const std::size_t k = std::min<std::size_t>(names.size(), 4);
  std::vector<Value*> simplified(k, nullptr);
  bool mentions = false;
  for (std::size_t i = 0; i < k; ++i) {
    simplified[i] = Simplify(args[i]);
    for (std::size_t j = 0; j < k && !mentions; ++j)
      mentions = MentionsVariable(simplified[i], names[j]);
  }
  Value* result;
  if (mentions) {
    // Bound as a parameter, such an argument would meet its own binding
    // again wherever its variables are substituted (g(a):=2*a; g([a,1])
    // multiplies the cells, finds a, and nests arrays without end).
    Held body = Hold(SubstituteParameters(entry->body, names, simplified.data()));
    for (Value* a : simplified) FreeValue(a);
    result = Simplify(body.get());
  } else {
    // Parameters are bound at the head of the variable list, so they shadow
    // global variables of the same name while the body is simplified.
    for (std::size_t i = k; i-- > 0;) PushParameter(names[i], simplified[i]);
    Held body = Hold(CopyValue(entry->body));
    result = Simplify(body.get());
    PopParameters(k);
  }
  ReleaseEntryRef(entry);
  return Deliver(result, out);
}

}  // namespace symcalc
