// Arrays and matrices: construction, minors, cofactors, determinants, the
// scalar product, cell access and dimensions.
#include "builtins/builtin_support.h"
#include "builtins/builtin_table.h"
#include "builtins/symbolic/determinant.h"
#include "eval/arithmetic.h"

namespace symcalc {
namespace {

bool IsArray(const Value* v) { return IsType(v, ValueType::Array); }
bool IsArrayOrNumber(const Value* v) { return IsArray(v) || IsNumber(v); }
bool IsQword(const Value* v) { return IsType(v, ValueType::Qword); }

// The first error among the arguments, passed on; the leftmost one wins.
const Value* FirstError(const SimplifiedArgs& a, int count) {
  for (int i = 0; i < count; ++i)
    if (IsError(a[i])) return a[i];
  return nullptr;
}

bool AnySymbolic(const SimplifiedArgs& a, int count) {
  for (int i = 0; i < count; ++i)
    if (IsSymbolic(a[i])) return true;
  return false;
}

// An argument that failed a type check: an error is passed on, anything
// else becomes error `code` about itself.
Value* Refuse(const Value* v, ErrorCode code, Value* out) {
  if (IsError(v)) return PassError(v, out);
  return MakeError(code, v, out);
}

// width * height for the size error, formed in 128 bits so that huge
// dimensions are reported instead of wrapping around to a small array.
Value* SizeProduct(std::int64_t w, std::int64_t h) {
  const __int128 p = static_cast<__int128>(w) * h;
  if (p >= INT64_MIN && p <= INT64_MAX) return MakeQword(static_cast<std::int64_t>(p));
  return MakeDouble(static_cast<double>(w) * static_cast<double>(h));
}

Value* const* CellsOf(const Value* array) { return array->array.table->cells(); }
std::int64_t CellCount(const Value* array) {
  return static_cast<std::int64_t>(array->array.width) * array->array.height;
}

// Checks shared by untmat and untdet once their arguments passed the
// error and symbolic screens. Null when the minor can be formed.
Value* MinorArgumentError(const Value* m, const Value* r, const Value* c, Value* out) {
  if (!IsArrayOrNumber(m)) return MakeError(ErrorCode::NotANumber, m, out);
  if (!IsNumber(r)) return MakeError(ErrorCode::NotANumber, r, out);
  if (!IsNumber(c)) return MakeError(ErrorCode::NotANumber, c, out);
  if (!IsArray(m)) return MakeError(ErrorCode::NotAnArray, m, out);
  if (!IsQword(r)) return MakeError(ErrorCode::NotAnInteger, r, out);
  if (!IsQword(c)) return MakeError(ErrorCode::NotAnInteger, c, out);
  if (r->qword < 0 || r->qword >= m->array.height)
    return MakeError(ErrorCode::IllegalDeterminantNumber, r, out);
  if (c->qword < 0 || c->qword >= m->array.width)
    return MakeError(ErrorCode::IllegalDeterminantNumber, c, out);
  if (m->array.width == 1 || m->array.height == 1)
    return MakeError(ErrorCode::DeterminantSizeBelowTwo, m, out);
  return nullptr;
}

// m without row r and column c. Cells are shared, not copied: a shared
// record is never changed, so sharing is as good as a deep copy.
Value* Minor(const Value* m, std::int64_t r, std::int64_t c) {
  const int w = m->array.width;
  const int h = m->array.height;
  HeldCells table(MakeCellTable(static_cast<std::size_t>(w - 1) * (h - 1)));
  Value* const* from = CellsOf(m);
  std::size_t next = 0;
  for (int row = 0; row < h; ++row) {
    if (row == r) continue;
    for (int col = 0; col < w; ++col)
      if (col != c) table->cells()[next++] = Retain(from[row * w + col]);
  }
  // Through the array constructor, which answers with the first error cell.
  return MakeArray(w - 1, h - 1, table.release());
}

Value* NewArray(Value* const* args, bool isVector, Value* out) {
  const int count = isVector ? 1 : 2;
  SimplifiedArgs a(args, count);
  if (const Value* e = FirstError(a, count)) return PassError(e, out);
  BuiltinFn self = isVector ? BuiltinVector : BuiltinArray;
  if (AnySymbolic(a, count)) return Unevaluated(self, a.data(), count, out);
  for (int i = 0; i < count; ++i)
    if (!IsNumber(a[i])) return MakeError(ErrorCode::NotANumber, a[i], out);
  for (int i = 0; i < count; ++i)
    if (!IsQword(a[i])) return MakeError(ErrorCode::NotAnInteger, a[i], out);
  if (isVector) return MakeArray(1, a[0]->qword, nullptr, out);
  return MakeArray(a[0]->qword, a[1]->qword, nullptr, out);
}

// The cell at a linear index; the checks have been made by the caller.
Value* CellAt(const Value* array, std::int64_t index, Value* out) {
  return CopyValue(CellsOf(array)[index], out);
}

// A copy of `array` with one cell replaced; `array` itself is not changed.
Value* WithCell(const Value* array, std::int64_t index, const Value* x, Value* out) {
  Value* copy = CopyValue(array);
  CellTable* cells = UniqueCells(copy);
  FreeValue(cells->cells()[index]);
  cells->cells()[index] = Retain(x);
  return Deliver(copy, out);
}

// setarg's checks on the new cell, made before anything about the array.
Value* NewCellError(const Value* x, Value* out) {
  if (IsError(x)) return PassError(x, out);
  if (IsArray(x)) return MakeError(ErrorCode::ArrayInArray, x, out);
  return nullptr;
}

// getargxy and setargxy: the checks on array, row and column. On success
// `index` is the linear cell number.
Value* RowColumnError(const Value* a, const Value* r, const Value* c, std::int64_t& index,
                      Value* out) {
  if (!IsArray(a)) return Refuse(a, ErrorCode::NotAnArray, out);
  if (IsError(r)) return PassError(r, out);
  if (IsError(c)) return PassError(c, out);
  if (!IsQword(r)) return MakeError(ErrorCode::NotAnInteger, r, out);
  if (!IsQword(c)) return MakeError(ErrorCode::NotAnInteger, c, out);
  if (r->qword < 0 || r->qword >= a->array.height)
    return MakeError(ErrorCode::ArrayIndexOutOfBounds, r, out);
  if (c->qword < 0 || c->qword >= a->array.width)
    return MakeError(ErrorCode::ArrayIndexOutOfBounds, c, out);
  index = r->qword * a->array.width + c->qword;
  return nullptr;
}

}  // namespace

Value* BuiltinArray(Value* const* args, Value* out) { return NewArray(args, false, out); }

Value* BuiltinVector(Value* const* args, Value* out) { return NewArray(args, true, out); }

Value* BuiltinIdentity(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 1);
  const Value* n = a[0];
  if (IsError(n)) return PassError(n, out);
  if (IsSymbolic(n)) return Unevaluated(BuiltinIdentity, a.data(), 1, out);
  if (!IsNumber(n)) return MakeError(ErrorCode::NotANumber, n, out);
  if (!IsQword(n)) return MakeError(ErrorCode::NotAnInteger, n, out);
  if (n->qword < 1) return MakeError(ErrorCode::ArraySizeBelowOne, n, out);
  if (n->qword > 32767 || n->qword * n->qword > 32767) {
    Held cells = Hold(SizeProduct(n->qword, n->qword));
    return MakeError(ErrorCode::ArraySizeTooLarge, cells.get(), out);
  }
  const std::int64_t size = n->qword;
  HeldCells table(MakeCellTable(static_cast<std::size_t>(size * size)));
  Held zero = Hold(MakeQword(0));
  Held one = Hold(MakeQword(1));
  for (std::int64_t i = 0; i < size * size; ++i)
    table->cells()[i] = Retain(i % (size + 1) == 0 ? one.get() : zero.get());
  return MakeArray(size, size, table.release(), out);
}

Value* BuiltinUntmat(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 3);
  if (const Value* e = FirstError(a, 3)) return PassError(e, out);
  if (AnySymbolic(a, 3)) return Unevaluated(BuiltinUntmat, a.data(), 3, out);
  if (Value* e = MinorArgumentError(a[0], a[1], a[2], out)) return e;
  return Deliver(Minor(a[0], a[1]->qword, a[2]->qword), out);
}

Value* BuiltinUntdet(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 3);
  if (const Value* e = FirstError(a, 3)) return PassError(e, out);
  if (AnySymbolic(a, 3)) return Unevaluated(BuiltinUntdet, a.data(), 3, out);
  if (Value* e = MinorArgumentError(a[0], a[1], a[2], out)) return e;
  Held minor = Hold(Minor(a[0], a[1]->qword, a[2]->qword));
  if (IsError(minor.get())) return Deliver(minor.release(), out);
  // Through det and its checks: the minor of a matrix that is not square is
  // not square either, and has no determinant.
  Value* const minorArg[1] = {minor.get()};
  Held d = Hold(BuiltinDet(minorArg, nullptr));
  if (IsError(d.get())) return Deliver(d.release(), out);
  if ((a[1]->qword + a[2]->qword) % 2 == 0) return Deliver(d.release(), out);
  Held minusOne = Hold(MakeQword(-1));
  return Multiply(minusOne.get(), d.get(), out);
}

Value* BuiltinDet(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 1);
  const Value* m = a[0];
  if (IsError(m)) return PassError(m, out);
  if (IsSymbolic(m)) return Unevaluated(BuiltinDet, a.data(), 1, out);
  if (!IsArrayOrNumber(m)) return MakeError(ErrorCode::NotANumber, m, out);
  if (!IsArray(m)) return MakeError(ErrorCode::NotAnArray, m, out);
  if (m->array.width != m->array.height) return MakeError(ErrorCode::NotSquare, m, out);
  return Deliver(Determinant(m), out);
}

Value* BuiltinScalar(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  if (const Value* e = FirstError(a, 2)) return PassError(e, out);
  if (AnySymbolic(a, 2)) return Unevaluated(BuiltinScalar, a.data(), 2, out);
  for (int i = 0; i < 2; ++i)
    if (!IsArrayOrNumber(a[i])) return MakeError(ErrorCode::NotANumber, a[i], out);
  for (int i = 0; i < 2; ++i)
    if (!IsArray(a[i])) return MakeError(ErrorCode::NotAnArray, a[i], out);
  for (int i = 0; i < 2; ++i)
    if (a[i]->array.width != 1) return MakeError(ErrorCode::NotAVector, a[i], out);
  if (a[0]->array.height != a[1]->array.height)
    return MakeError(ErrorCode::ArraySizesDiffer, a[0], out);
  Value* const* x = CellsOf(a[0]);
  Value* const* y = CellsOf(a[1]);
  Held sum = Hold(MakeQword(0));
  for (int i = 0; i < a[0]->array.height; ++i) {
    Held term = Hold(Multiply(x[i], y[i]));
    sum = Hold(Add(sum.get(), term.get()));
  }
  return Deliver(sum.release(), out);
}

Value* BuiltinGetarg(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  const Value* s = a[0];
  const Value* n = a[1];
  const bool isSet = IsType(s, ValueType::Set);
  if (!IsArray(s) && !isSet) return Refuse(s, ErrorCode::NotAnArray, out);
  if (!IsQword(n)) return Refuse(n, ErrorCode::NotAnInteger, out);
  const std::int64_t i = n->qword;
  if (isSet) {
    if (i < 0 || i >= s->set.count) return MakeError(ErrorCode::SetIndexOutOfBounds, n, out);
    const Value* e = s->set.first;
    for (std::int64_t k = 0; k < i; ++k) e = e->setLink;
    return CopyValue(e, out);
  }
  if (i < 0 || i >= CellCount(s)) return MakeError(ErrorCode::ArrayIndexOutOfBounds, n, out);
  return CellAt(s, i, out);
}

Value* BuiltinSetarg(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 3);
  const Value* s = a[0];
  const Value* n = a[1];
  const Value* x = a[2];
  if (Value* e = NewCellError(x, out)) return e;
  if (!IsArray(s)) return Refuse(s, ErrorCode::NotAnArray, out);
  if (!IsQword(n)) return Refuse(n, ErrorCode::NotAnInteger, out);
  if (n->qword < 0 || n->qword >= CellCount(s))
    return MakeError(ErrorCode::ArrayIndexOutOfBounds, n, out);
  return WithCell(s, n->qword, x, out);
}

Value* BuiltinGetargxy(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 3);
  std::int64_t index = 0;
  if (Value* e = RowColumnError(a[0], a[1], a[2], index, out)) return e;
  return CellAt(a[0], index, out);
}

Value* BuiltinSetargxy(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 4);
  std::int64_t index = 0;
  if (Value* e = RowColumnError(a[0], a[1], a[2], index, out)) return e;
  if (Value* e = NewCellError(a[3], out)) return e;
  return WithCell(a[0], index, a[3], out);
}

Value* BuiltinWidth(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 1);
  const Value* v = a[0];
  if (IsError(v)) return PassError(v, out);
  if (IsSymbolic(v)) return Unevaluated(BuiltinWidth, a.data(), 1, out);
  if (IsArray(v)) return MakeQword(v->array.width, out);
  if (IsType(v, ValueType::Set)) return MakeQword(v->set.count, out);
  return MakeError(IsNumber(v) ? ErrorCode::NotAnArrayOrSet : ErrorCode::NotANumber, v, out);
}

Value* BuiltinHeight(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 1);
  const Value* v = a[0];
  if (IsError(v)) return PassError(v, out);
  if (IsSymbolic(v)) return Unevaluated(BuiltinHeight, a.data(), 1, out);
  if (IsArray(v)) return MakeQword(v->array.height, out);
  const bool known = IsType(v, ValueType::Set) || IsNumber(v);
  return MakeError(known ? ErrorCode::NotAnArray : ErrorCode::NotANumber, v, out);
}

std::span<const BuiltinSpec> ArrayBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"array", BuiltinArray, 2, 0, 0},
      {"vector", BuiltinVector, 1, 0, 0},
      {"identity", BuiltinIdentity, 1, 0, 0},
      {"untmat", BuiltinUntmat, 3, 0, 0},
      {"untdet", BuiltinUntdet, 3, 0, 0},
      {"det", BuiltinDet, 1, 0, 0},
      {"scalar", BuiltinScalar, 2, 0, 0},
      {"getarg", BuiltinGetarg, 2, 0, 0},
      {"setarg", BuiltinSetarg, 3, 0, 0},
      {"getargxy", BuiltinGetargxy, 3, 0, 0},
      {"setargxy", BuiltinSetargxy, 4, 0, 0},
      {"width", BuiltinWidth, 1, 0, 0},
      {"height", BuiltinHeight, 1, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
