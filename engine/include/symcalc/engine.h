// The engine's narrow API, used by the worksheet and the command-line tool.
//
// Values are opaque records owned by reference: every function that returns a
// Value* hands the caller one reference, to be released with FreeValue.
// Arguments are borrowed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "symcalc/error_code.h"
#include "symcalc/value_type.h"

namespace symcalc {

struct Value;

// An external function's handler: receives `maxArgs` arguments (missing
// optional ones null) and an optional destination record.
using ExternalFn = Value* (*)(Value* const* args, Value* out);

// ---- engine --------------------------------------------------------------
void EngineInit();
void EngineShutdown();
void RegisterExternalFunction(ExternalFn fn, std::string_view name, int maxArgs,
                              int optionalArgs);
// The unevaluated application of the registered external function `fn` to
// the given arguments (null: absent), for a handler that answers with itself.
Value* MakeExternalApplication(ExternalFn fn, const Value* a, const Value* b = nullptr,
                               const Value* c = nullptr, const Value* d = nullptr,
                               Value* out = nullptr);
// Binds `name` to a copy of `value` at the head of the variable list, in front
// of any binding of the same name, until the matching pop; for a caller that
// evaluates an expression at sample points without touching the user's names.
void PushTemporaryBinding(std::string_view name, const Value* value);
void PopTemporaryBinding();
// Null on success, else an error value.
Value* Assign(std::string_view name, const Value* value);
Value* EvaluateText(std::string_view text);
std::string PrintValue(const Value* v);

// One worksheet line: "end"/"quit" (whole line, any case) stop; otherwise the
// line is split at ";" outside double quotes, each piece trimmed, lower-cased
// and evaluated, and `ans` is set to a copy of each value.
struct LineResult {
  bool quit = false;
  // A cancel request stopped the line: `values` holds the pieces that
  // completed before it; the piece it stopped left no trace, not even in ans.
  bool cancelled = false;
  std::vector<Value*> values;  // owned by the caller
};
LineResult HandleLine(std::string_view line);
// Lower-cases A-Z and the Latin-1 capitals U+00C0-U+00DE (except U+00D7),
// working on the code points of UTF-8 text.
std::string LowerCase(std::string_view text);
std::vector<std::string> SplitPieces(std::string_view line);

// ---- the names a session knows ---------------------------------------------
// What completion and help offer besides the builtins: every callable
// function in registration order (a user function defined twice is listed
// twice; the later entry is the one a call reaches), and every binding of a
// variable or constant, head of the list first.
struct FunctionInfo {
  std::string name;
  int maxArgs = 0;
  int optionalArgs = 0;
  bool userDefined = false;
  std::vector<std::string> parameters;  // a user function's, in order
};
std::vector<FunctionInfo> RegisteredFunctions();
struct VariableInfo {
  std::string name;
  bool constant = false;
};
std::vector<VariableInfo> VariableBindings();

// ---- a scratch engine --------------------------------------------------------
// Sets the running state aside and starts a fresh one, as EngineInit builds
// it, for work that must neither see nor change the user's names (running
// the examples of the help). EndScratchEngine drops the fresh state and
// brings back the one set aside. Values built meanwhile must be released
// before the end. Pairs nest.
void BeginScratchEngine();
void EndScratchEngine();

// ---- cancellation ----------------------------------------------------------
// Asks the running evaluation (or print) to stop; safe to call from any
// thread. It unwinds normally, releasing what it built; a piece of a line
// that it stops leaves the engine as if the piece had not been evaluated.
void RequestCancel();
// Withdraws any request; the owner of the engine calls it before handing a
// new line over, so that a request meant for the previous one is not taken
// for this one.
void ClearCancelRequest();
// True while a request is pending: a text from PrintValue is then incomplete,
// and long loops outside the engine (sampling a plot) should stop.
bool CancelPending();

// ---- records -------------------------------------------------------------
Value* CopyValue(const Value* src, Value* out = nullptr);
void FreeValue(Value* v);
Value* Simplify(const Value* v, bool numeric = false);
std::int64_t LiveRecordCount();
void ReleaseValues(std::vector<Value*>& values);

// Holds one reference, so that every return path releases it; release() only
// where the value is handed on to an owner.
struct ValueReleaser {
  void operator()(Value* v) const { FreeValue(v); }
};
using Held = std::unique_ptr<Value, ValueReleaser>;
inline Held Hold(Value* v) { return Held(v); }

// ---- constructors and arithmetic -------------------------------------------
Value* MakeQword(std::int64_t n, Value* out = nullptr);
Value* MakeDouble(double x, Value* out = nullptr);
Value* MakeRatio(std::int64_t n, std::int64_t d, Value* out = nullptr);
Value* MakeSymbol(std::string_view text, Value* out = nullptr);
Value* MakeString(std::string_view text, Value* out = nullptr);
Value* MakeError(ErrorCode code, const Value* operand, Value* out = nullptr);
Value* Add(const Value* a, const Value* b, Value* out = nullptr);
Value* Subtract(const Value* a, const Value* b, Value* out = nullptr);
Value* Multiply(const Value* a, const Value* b, Value* out = nullptr);
Value* Divide(const Value* a, const Value* b, Value* out = nullptr);
Value* Greater(const Value* a, const Value* b, Value* out = nullptr);
Value* Equal(const Value* a, const Value* b, Value* out = nullptr);
// Calls the builtin of that name with the given arguments (null: absent).
Value* CallBuiltin(std::string_view name, const Value* a = nullptr, const Value* b = nullptr,
                   const Value* c = nullptr, const Value* d = nullptr);

// ---- truth and accessors (the value is simplified first) -----------------
bool IsTrue(const Value* v);
bool IsFalse(const Value* v);
std::int64_t QwordValueOf(const Value* v);
int ErrorCodeOf(const Value* v);
std::string VariableNameOf(const Value* v);
std::string ErrorMessage(int code);
// The argument counts a call of `name` is checked against (its newest
// definition): false, with nothing written, when no function has that name.
bool FunctionArgumentCounts(std::string_view name, int* fewest, int* most);

// ---- structure, read as it is (no simplification, nothing changed) --------
ValueType TypeOf(const Value* v);
std::string_view TypeNameOf(const Value* v);
const Value* LeftOperand(const Value* v);   // operator nodes, ranges, complex
const Value* RightOperand(const Value* v);
int FunctionArgumentCount(const Value* v);
const Value* FunctionArgument(const Value* v, int index);  // slot 0..3, may be null
std::string_view FunctionEntryName(const Value* v);
int ArrayWidth(const Value* v);
int ArrayHeight(const Value* v);
const Value* ArrayCell(const Value* v, int index);  // row-major
std::int64_t SetCount(const Value* v);
const Value* SetFirst(const Value* v);
const Value* SetNext(const Value* element);
std::string_view TextValueOf(const Value* v);  // symbol, string, variable
std::int64_t RawQword(const Value* v);
double RawDouble(const Value* v);
std::int32_t RatioNumerator(const Value* v);
std::int32_t RatioDenominator(const Value* v);
int RawMathSymbol(const Value* v);
int RawErrorCode(const Value* v);
const Value* ErrorOperand(const Value* v);  // may be null
bool RawBoolean(const Value* v);

// Runs fn on a thread with a large stack and waits for it: deep expressions
// then have room to be simplified and printed. Returns fn's result.
int RunWithLargeStack(int (*fn)(void*), void* data);

}  // namespace symcalc
