// The general constructors: booleans, texts, errors, ranges, sets, arrays.
#include <algorithm>

#include "values/value.h"

namespace symcalc {
namespace {


Value* MakeTextValue(ValueType type, std::string_view text, Value* out) {
  Value* v = FreshRecord(out);
  v->type = type;
  v->text = MakeText(text);
  return v;
}

}  // namespace

Value* MakeBoolean(int flag, Value* out) {
  Value* v = FreshRecord(out);
  v->type = ValueType::Boolean;
  v->boolean = flag ? 1 : 0;
  return v;
}

Value* MakeSymbol(std::string_view text, Value* out) {
  return MakeTextValue(ValueType::Symbol, text, out);
}

Value* MakeString(std::string_view text, Value* out) {
  return MakeTextValue(ValueType::String, text, out);
}

Value* MakeVariable(std::string_view name, Value* out) {
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) {
      return MakeRawError(ErrorCode::IllegalVariableName, MakeString(name), out);
    }
  }
  return MakeTextValue(ValueType::Variable, name, out);
}

Value* MakeRawError(ErrorCode code, Value* operand, Value* out) {
  Value* v = FreshRecord(out);
  v->type = ValueType::Error;
  v->error.code = static_cast<ErrorCode>(std::clamp(static_cast<int>(code), 0, kErrorCount - 1));
  v->error.operand = operand;
  return v;
}

Value* MakeRawPair(ValueType type, Value* left, Value* right, Value* out) {
  Value* v = FreshRecord(out);
  v->type = type;
  v->pair.left = left;
  v->pair.right = right;
  return v;
}

Value* MakeEmptySet(Value* out) {
  Value* v = FreshRecord(out);
  v->type = ValueType::Set;
  return v;
}

Value* MakeArray(std::int64_t width, std::int64_t height, CellTable* cells, Value* out) {
  HeldCells table(cells);
  if (width < 1) {
    return MakeRawError(ErrorCode::ArraySizeBelowOne, MakeQword(width), out);
  }
  if (height < 1) {
    return MakeRawError(ErrorCode::ArraySizeBelowOne, MakeQword(height), out);
  }
  const __int128 product = static_cast<__int128>(width) * height;
  if (width > 32767 || height > 32767 || product > 32767) {
    return MakeRawError(ErrorCode::ArraySizeTooLarge,
                        product <= INT64_MAX ? MakeQword(static_cast<std::int64_t>(product))
                                             : MakeDouble(static_cast<double>(width) *
                                                          static_cast<double>(height)),
                        out);
  }
  const auto count = static_cast<std::size_t>(product);
  if (table) {
    for (std::size_t i = 0; i < count; ++i) {
      const Value* cell = table->cells()[i];
      if (IsError(cell)) return MakeRawError(cell->error.code, Retain(cell->error.operand), out);
    }
  } else {
    // One shared zero serves every cell: a shared record is never changed.
    table.reset(MakeCellTable(count));
    Value* zero = MakeQword(0);
    for (std::size_t i = 0; i < count; ++i) table->cells()[i] = Retain(zero);
    FreeValue(zero);
  }
  Value* v = FreshRecord(out);
  v->type = ValueType::Array;
  v->array.width = static_cast<std::int16_t>(width);
  v->array.height = static_cast<std::int16_t>(height);
  v->array.table = table.release();
  return v;
}

}  // namespace symcalc
