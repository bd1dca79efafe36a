// Definitions with ":=": variables, constants and user functions, and the
// implementation shared by all user functions.
#include <algorithm>
#include <optional>
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

Value* NameError(ErrorCode code, std::string_view name) {
  Held s = Hold(MakeString(name));
  return MakeError(code, s.get());
}

// What an assignment that a cancel request stopped before it bound anything
// returns; the line handling drops it with the rest of the piece.
Value* AbandonedError(std::string_view name) {
  return NameError(ErrorCode::NotAnAnalysisTerm, name);
}

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

// Replaces every parameter variable by its argument in one pass, so that an
// argument that mentions a parameter name is never substituted again.
Value* SubstituteParameters(const Value* v, const std::vector<std::string>& names,
                            Value* const* args) {
  if (StackExhausted()) return MakeError(ErrorCode::NotAnAnalysisTerm, v);
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

// Where the scan of a definition's name stands: in the name, in the
// parameter list, or past its closing parenthesis.
enum class NamePart : std::uint8_t { Name, Parameters, Closed };

// The left side of ":=", read: a variable's name, or a function's name and
// its parameter names.
struct DefinedName {
  std::string_view name;
  bool function = false;
  std::vector<std::string_view> parameters;
};

// Reads `text` (the left side without its '#'); returns the error that
// refuses it, or nothing.
std::optional<ErrorCode> ReadDefinedName(std::string_view text, DefinedName& out) {
  NamePart part = NamePart::Name;
  int count = 0;
  std::size_t open = 0;
  std::size_t paramStart = 0;
  auto takeParameter = [&](std::size_t end) -> std::optional<ErrorCode> {
    std::string_view p = text.substr(paramStart, end - paramStart);
    if (p.empty()) return ErrorCode::IllegalFunctionName;
    for (std::string_view q : out.parameters)
      if (q == p) return ErrorCode::ParameterNamesNotDistinct;
    out.parameters.push_back(p);
    return std::nullopt;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (part == NamePart::Closed) return ErrorCode::IllegalFunctionName;
    if (IsNameChar(c)) {
      if (part == NamePart::Parameters && count == 0) count = 1;
    } else if (c == '(' && part == NamePart::Name) {
      part = NamePart::Parameters;
      open = i;
      paramStart = i + 1;
    } else if (c == ')' && part == NamePart::Parameters) {
      part = NamePart::Closed;
      if (count >= 1)
        if (const std::optional<ErrorCode> err = takeParameter(i)) return err;
    } else if (c == ',' && part == NamePart::Parameters) {
      if (++count > 4) return ErrorCode::TooManyParameters;
      if (const std::optional<ErrorCode> err = takeParameter(i)) return err;
      paramStart = i + 1;
    } else {
      return part == NamePart::Name ? ErrorCode::IllegalVariableName : ErrorCode::IllegalFunctionName;
    }
  }
  if (part == NamePart::Parameters) return ErrorCode::IllegalFunctionName;
  out.function = part == NamePart::Closed;
  out.name = out.function ? text.substr(0, open) : text;
  return std::nullopt;
}

// name := value, for a variable or a constant (constant: the name began
// with '#').
Value* BindVariable(std::string_view name, Held simplified, bool constant) {
  if (name.empty()) return NameError(ErrorCode::IllegalVariableName, name);
  // A value that mentions its own name, directly or through the bindings of
  // the variables it mentions, would make every later lookup substitute
  // without end; the variable itself (x:=x) is harmless.
  const bool isItself = simplified->type == ValueType::Variable && TextOf(simplified.get()) == name;
  if (!isItself && !CannotMention(simplified.get(), name) &&
      MentionsVariable(simplified.get(), name, true)) {
    Held var = Hold(MakeVariable(name));
    return MakeError(ErrorCode::VariableNotDeclared, var.get());
  }
  Binding* b = FindBinding(name);
  if (b && b->constant) return NameError(ErrorCode::ConstantAlreadyDeclared, name);
  if (CancelPending()) return AbandonedError(name);
  CommitPiece();
  if (b) {
    FreeValue(b->value);
    b->value = simplified.release();
    b->constant = constant;
  } else {
    Engine().variables.push_back(Binding{std::string(name), simplified.release(), constant});
  }
  BindingsChanged(name);
  return nullptr;
}

// f(a, b) := body: a new registry entry, which later calls of f reach; a
// builtin's name cannot be taken. The parameter names are kept apart here,
// once, for every call to bind.
Value* DefineFunction(const DefinedName& f, Held body) {
  EngineState& s = Engine();
  for (BuiltinEntry* e : s.registry)
    if (e->name == f.name && !e->body) return NameError(ErrorCode::FunctionAlreadyDeclared, f.name);
  if (CancelPending()) return AbandonedError(f.name);
  CommitPiece();
  auto* e = new BuiltinEntry();
  e->name = std::string(f.name);
  e->maxArgs = static_cast<std::int8_t>(f.parameters.size());
  e->body = body.release();
  e->parameters.assign(f.parameters.begin(), f.parameters.end());
  s.registry.push_back(e);
  return nullptr;
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
  DefinedName defined;
  if (const std::optional<ErrorCode> err = ReadDefinedName(name, defined)) return NameError(*err, name);
  if (!defined.function) return BindVariable(defined.name, std::move(simplified), constant);
  // An empty function name is refused with the whole left side.
  if (defined.name.empty()) return NameError(ErrorCode::IllegalFunctionName, name);
  return DefineFunction(defined, std::move(simplified));
}

Value* CallUserFunction(const BuiltinEntry& entry, Value* const* args, Value* out) {
  const std::vector<std::string>& names = entry.parameters;
  const std::size_t k = names.size();
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
    Held body = Hold(SubstituteParameters(entry.body, names, simplified.data()));
    for (Value* a : simplified) FreeValue(a);
    result = Simplify(body.get());
  } else {
    // Parameters are bound at the head of the variable list, so they shadow
    // global variables of the same name while the body is simplified.
    for (std::size_t i = k; i-- > 0;) PushParameter(names[i], simplified[i]);
    Held body = Hold(CopyValue(entry.body));
    result = Simplify(body.get());
    PopParameters(k);
  }
  return Deliver(result, out);
}

}  // namespace symcalc
