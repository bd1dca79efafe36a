// The value record: one fixed-size, trivially copyable record for everything
// the engine computes with.
//
// Layout: a one-byte type tag, a reference count, the payload union and the set
// link. Every sub-value reference (operands, arguments, cells, set elements,
// complex parts, range ends, error operands) and every text is counted, so a
// copy of a whole expression is O(1): CopyValue makes a new top record and
// takes a reference to each child. A record reachable from more than one place
// is never changed: the simplifier rebuilds a node it rewrites as a new record
// that shares the unchanged children, an elementwise update first makes the
// array's cell table its own (UniqueCells), and an element is inserted only
// into a set its caller is still building (an element record belongs to
// exactly one set, so copying a set copies its elements).
//
// Ownership rules of the API:
//  - every operation borrows its Value arguments and returns a new reference
//    that the caller owns (release it with FreeValue);
//  - the optional destination `out` is a record the caller owns exclusively;
//    when given, the result is built inside it and `out` is returned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "symcalc/engine.h"
#include "symcalc/value_type.h"

namespace symcalc {

inline constexpr int kTypeCount = 24;
inline constexpr int kMathSymbolCount = 4;

enum MathSymbolIndex : std::int8_t { kUndefined = 0, kInfinity = 1, kMinusInfinity = 2, kPi = 3 };

struct Value;
struct BuiltinEntry;

// Immutable, counted byte string shared by symbols, strings and variables.
struct Text {
  std::uint32_t refs;
  std::uint32_t length;
  const char* chars() const { return reinterpret_cast<const char*>(this + 1); }
  char* mutableChars() { return reinterpret_cast<char*>(this + 1); }
  std::string_view view() const { return {chars(), length}; }
};

// Counted table of array cells, row by row; shared between copies of an array.
struct CellTable {
  std::uint32_t refs;
  std::uint32_t count;
  Value** cells() { return reinterpret_cast<Value**>(this + 1); }
  Value* const* cells() const { return reinterpret_cast<Value* const*>(this + 1); }
};

struct RatioPayload {
  std::int32_t num;
  std::int32_t den;
};
struct PairPayload {  // complex (re, im), range (low, high), operator nodes
  Value* left;
  Value* right;
};
struct ErrorPayload {
  ErrorCode code;
  Value* operand;  // may be null
};
struct ArrayPayload {
  std::int16_t width;
  std::int16_t height;
  CellTable* table;
};
struct SetPayload {
  std::int64_t count;  // wide on purpose: divisor sets exceed 32767 elements
  Value* first;
};
struct FunctionPayload {
  BuiltinEntry* entry;
  std::uint8_t arity;
  Value* args[4];
};

struct Value {
  ValueType type;
  // Set while a likeness table of the simplifier describes this chain
  // record (eval/like_table.h): releasing or rebuilding the record first
  // tells the table, which holds no reference of its own.
  std::uint8_t watched;
  std::uint8_t pad;
  // Set with the stamp below when the record holds an array, set, range or
  // error: the variables in those are left out of the mask, and being never
  // substituted, they may be bound.
  std::uint8_t sealed;
  std::uint32_t refs;
  // The binding epoch at which Simplify produced this record (0: never), and
  // a mask of the variable names it mentions. Simplifying the record again is
  // a no-op while none of those names has changed its binding since.
  std::uint64_t stamp;
  std::uint64_t vars;
  union {
    std::int64_t qword;
    double dbl;
    RatioPayload ratio;
    PairPayload pair;
    std::uint8_t boolean;
    Text* text;
    std::int8_t mathSymbol;
    ErrorPayload error;
    ArrayPayload array;
    SetPayload set;
    FunctionPayload function;
  };
  Value* setLink;
};

static_assert(std::is_trivially_copyable_v<Value>);

// ---- records and ownership -------------------------------------------------

Value* AllocRecord();                      // zeroed qword 0, count 1
// Makes room for n records to be allocated next, in one block when n is
// large: a builder that knows the size of what it builds calls this first.
void ReserveRecords(std::size_t n);
// The record a constructor writes its result into: `out` cleared (its
// reference count kept), or a new record.
Value* FreshRecord(Value* out);
Value* Retain(const Value* v);             // one more reference to the same record
// Hands a finished result to the caller: into `out` when given.
Value* Deliver(Value* result, Value* out);
// Number of live records (for leak checks in session tests).

Text* MakeText(std::string_view s);
Text* RetainText(Text* t);
void ReleaseText(Text* t);
CellTable* MakeCellTable(std::size_t count);  // cells zero-filled (null)
void ReleaseCellTable(CellTable* t);
// Makes an array's cell table exclusively owned before its cells are replaced.
CellTable* UniqueCells(Value* array);

struct CellTableReleaser {
  void operator()(CellTable* t) const { ReleaseCellTable(t); }
};
using HeldCells = std::unique_ptr<CellTable, CellTableReleaser>;

// ---- references upward -------------------------------------------------------

// Two kinds of record point into the layers above the values: a function node
// holds a counted reference to its registry entry, and a record may be
// watched by the simplifier's likeness tables. The engine state installs
// these when it starts, so the records never reach upward themselves.
struct RecordHooks {
  void (*retainEntry)(BuiltinEntry* entry) = nullptr;
  void (*releaseEntry)(BuiltinEntry* entry) = nullptr;
  void (*unwatch)(Value* v) = nullptr;  // v is about to change or go
};
void SetRecordHooks(const RecordHooks& hooks);

// ---- constructors ------------------------------------------------------------

Value* MakeMathSymbol(int index, Value* out = nullptr);
Value* MakeBoolean(int flag, Value* out = nullptr);
Value* MakeVariable(std::string_view name, Value* out = nullptr);
// An error whose operand is already what it should show (a number or a
// text): takes the operand over without simplifying it. MakeError, which
// simplifies, sits above the values.
Value* MakeRawError(ErrorCode code, Value* operand, Value* out = nullptr);
Value* MakeEmptySet(Value* out = nullptr);
// Takes the cell table over on every path, error paths included.
Value* MakeArray(std::int64_t width, std::int64_t height, CellTable* cells = nullptr,
                 Value* out = nullptr);
// Raw pair node without simplification (the simplifier's building block).
Value* MakeRawPair(ValueType type, Value* left, Value* right, Value* out = nullptr);

// ---- small questions about values ------------------------------------------

inline bool IsType(const Value* v, ValueType t) { return v && v->type == t; }
inline bool IsNumber(const Value* v) { return v && v->type <= ValueType::Complex; }
inline bool IsReal(const Value* v) { return v && v->type <= ValueType::Ratio; }
inline bool IsRational(const Value* v) {
  return v && (v->type == ValueType::Qword || v->type == ValueType::Ratio);
}
inline bool IsSymbolic(const Value* v) { return v && v->type > ValueType::Set; }
inline bool IsOperator(const Value* v) { return v && v->type >= ValueType::Plus; }
inline bool IsPairNode(const Value* v) {
  return v && (v->type == ValueType::Range || v->type >= ValueType::Plus);
}
inline bool IsError(const Value* v) { return v && v->type == ValueType::Error; }
inline bool IsInfinity(const Value* v) {
  return v && v->type == ValueType::MathSymbol &&
         (v->mathSymbol == kInfinity || v->mathSymbol == kMinusInfinity);
}
inline bool IsUndefined(const Value* v) {
  return v && v->type == ValueType::MathSymbol && v->mathSymbol == kUndefined;
}
inline bool HasText(const Value* v) {
  return v && (v->type == ValueType::Symbol || v->type == ValueType::String ||
               v->type == ValueType::Variable);
}
inline std::string_view TextOf(const Value* v) { return v->text->view(); }
// The zero test: the qword 0 or the double 0.0.
inline bool IsZero(const Value* v) {
  return v && ((v->type == ValueType::Qword && v->qword == 0) ||
               (v->type == ValueType::Double && v->dbl == 0.0));
}
// The double value of a real number.
double DoubleOf(const Value* v);

std::string_view TypeName(ValueType t);
std::string_view TypeName(int tag);
std::string_view MathSymbolName(int index);

}  // namespace symcalc
