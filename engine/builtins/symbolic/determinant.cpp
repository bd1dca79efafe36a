#include "builtins/symbolic/determinant.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "builtins/symbolic/exact_determinant.h"
#include "eval/arithmetic.h"
#include "eval/cancel.h"
#include "eval/constructors.h"

namespace symcalc {
namespace {

// Minors are named by the set of columns already removed (bit c: column c).
// A minor with k columns removed also lacks the first k rows, so the mask
// alone identifies it, and the expansion of the whole matrix meets each of
// the 2^n masks again and again: computing each once turns n! into n*2^(n-1).
using Mask = std::uint32_t;

int Ones(Mask m) { return __builtin_popcount(m); }

// Calls f for every mask of n bits with exactly k bits set.
template <typename F>
void ForEachMask(int n, int k, F f) {
  if (k == 0) {
    f(Mask{0});
    return;
  }
  const Mask end = Mask{1} << n;
  for (Mask m = (Mask{1} << k) - 1; m < end;) {
    f(m);
    const Mask low = m & (~m + 1);
    const Mask ripple = m + low;
    m = (((ripple ^ m) >> 2) / low) | ripple;
  }
}

// The table of minor values, two levels of which are alive at any time.
class MinorTable {
 public:
  explicit MinorTable(int n) : values_(std::size_t{1} << n, nullptr), n_(n) {}
  ~MinorTable() {
    for (Value* v : values_) FreeValue(v);
  }
  MinorTable(const MinorTable&) = delete;
  MinorTable& operator=(const MinorTable&) = delete;
  Value*& operator[](Mask m) { return values_[m]; }
  void DropLevel(int k) {
    ForEachMask(n_, k, [&](Mask m) {
      FreeValue(values_[m]);
      values_[m] = nullptr;
    });
  }

 private:
  std::vector<Value*> values_;
  int n_;
};

class Expansion {
 public:
  explicit Expansion(const Value* square)
      : n_(square->array.width), cells_(square->array.table->cells()) {
    for (int i = 0; i < n_ * n_; ++i) {
      if (IsError(cells_[i])) hasErrors_ = true;
      if (!IsType(cells_[i], ValueType::Qword)) allQwords_ = false;
    }
  }

  Value* Run() {
    if (allQwords_) {
      std::int64_t d = 0;
      // Overflow anywhere means the arithmetic would have turned to doubles
      // at that point; the general path then retraces it step by step.
      if (RunIntegers(d)) return MakeQword(d);
    }
    return RunValues();
  }

 private:
  const Value* Cell(int row, int col) const { return cells_[row * n_ + col]; }

  // Integer cells: the same sums in the same order in machine integers, as
  // long as nothing leaves 64 bits (where Add and Multiply stay exact too).
  bool RunIntegers(std::int64_t& result) const {
    std::vector<std::int64_t> minor(std::size_t{1} << n_, 0);
    const Mask all = (Mask{1} << n_) - 1;
    ForEachMask(n_, n_ - 1, [&](Mask m) {
      const int col = __builtin_ctz(all & ~m);
      minor[m] = Cell(n_ - 1, col)->qword;
    });
    bool ok = true;
    for (int k = n_ - 2; k >= 0 && ok; --k) {
      ForEachMask(n_, k, [&](Mask m) {
        if (!ok) return;
        std::int64_t sum = 0;
        int position = 0;
        for (int col = 0; col < n_; ++col) {
          if (m & (Mask{1} << col)) continue;
          std::int64_t cofactor = minor[m | (Mask{1} << col)];
          std::int64_t term = 0;
          if (position++ % 2 == 1) {
            if (cofactor == INT64_MIN) ok = false;
            cofactor = -cofactor;
          }
          if (!ok || __builtin_mul_overflow(Cell(k, col)->qword, cofactor, &term) ||
              __builtin_add_overflow(sum, term, &sum)) {
            ok = false;
            return;
          }
        }
        minor[m] = sum;
      });
    }
    result = minor[0];
    return ok;
  }

  // The first error cell of a minor in row-major order. A minor is built by
  // the array constructor, which answers with that error instead of an array.
  const Value* ErrorIn(Mask m) const {
    for (int row = Ones(m); row < n_; ++row)
      for (int col = 0; col < n_; ++col)
        if (!(m & (Mask{1} << col)) && IsError(Cell(row, col))) return Cell(row, col);
    return nullptr;
  }

  Value* RunValues() const {
    MinorTable minor(n_);
    const Mask all = (Mask{1} << n_) - 1;
    ForEachMask(n_, n_ - 1, [&](Mask m) {
      const int col = __builtin_ctz(all & ~m);
      minor[m] = Retain(Cell(n_ - 1, col));
    });
    Held minusOne = Hold(MakeQword(-1));
    for (int k = n_ - 2; k >= 0; --k) {
      ForEachMask(n_, k, [&](Mask m) {
        if (CancelPending()) return;  // the whole table is dropped below
        if (hasErrors_ && m != 0) {
          if (const Value* e = ErrorIn(m)) {
            minor[m] = PassError(e);
            return;
          }
        }
        Held sum = Hold(MakeQword(0));
        int position = 0;
        for (int col = 0; col < n_; ++col) {
          if (m & (Mask{1} << col)) continue;
          const Value* cofactor = minor[m | (Mask{1} << col)];
          Held negated;
          if (position++ % 2 == 1) {
            negated = Hold(Multiply(minusOne.get(), cofactor));
            cofactor = negated.get();
          }
          Held term = Hold(Multiply(Cell(k, col), cofactor));
          sum = Hold(Add(sum.get(), term.get()));
        }
        minor[m] = sum.release();
      });
      if (CancelPending()) return Abandoned(nullptr);
      minor.DropLevel(k + 1);
    }
    Value* result = minor[0];
    minor[0] = nullptr;
    return result;
  }

  int n_;
  Value* const* cells_;
  bool hasErrors_ = false;
  bool allQwords_ = true;
};

bool IsPlainNumber(const Value* v) {
  if (IsReal(v)) return true;
  return IsType(v, ValueType::Complex) && IsReal(v->pair.left) && IsReal(v->pair.right);
}

double Magnitude(const Value* v) {
  if (IsReal(v)) return std::fabs(DoubleOf(v));
  return std::hypot(DoubleOf(v->pair.left), DoubleOf(v->pair.right));
}

// Gaussian elimination with the engine's arithmetic and the largest pivot of
// each column, for large matrices of numbers whose determinant cannot be
// exact anyway (doubles and complex cells) or whose fractions grew too large.
Value* EliminateNumbers(const Value* square) {
  const int n = square->array.width;
  std::vector<Held> m;
  m.reserve(static_cast<std::size_t>(n) * n);
  for (int i = 0; i < n * n; ++i) m.push_back(Hold(Retain(square->array.table->cells()[i])));
  auto at = [&](int r, int c) -> Held& { return m[static_cast<std::size_t>(r) * n + c]; };
  Held det = Hold(MakeQword(1));
  bool negate = false;
  for (int k = 0; k < n; ++k) {
    if (CancelPending()) return Abandoned(square);
    int pivot = k;
    for (int r = k + 1; r < n; ++r)
      if (Magnitude(at(r, k).get()) > Magnitude(at(pivot, k).get())) pivot = r;
    if (pivot != k) {
      for (int c = k; c < n; ++c) std::swap(at(k, c), at(pivot, c));
      negate = !negate;
    }
    det = Hold(Multiply(det.get(), at(k, k).get()));
    // A zero column: the product above is a zero of the cells' kind already.
    if (Magnitude(at(k, k).get()) == 0.0) return det.release();
    for (int r = k + 1; r < n; ++r) {
      if (IsZero(at(r, k).get())) continue;
      Held factor = Hold(Divide(at(r, k).get(), at(k, k).get()));
      for (int c = k + 1; c < n; ++c) {
        Held step = Hold(Multiply(factor.get(), at(k, c).get()));
        at(r, c) = Hold(Subtract(at(r, c).get(), step.get()));
      }
    }
  }
  if (negate) return Negate(det.get());
  return det.release();
}

template <typename P>
bool AllCells(const Value* square, P p) {
  const std::uint32_t count = square->array.table->count;
  for (std::uint32_t i = 0; i < count; ++i)
    if (!p(square->array.table->cells()[i])) return false;
  return true;
}

}  // namespace

Value* ExpandDeterminant(const Value* square) { return Expansion(square).Run(); }

Value* Determinant(const Value* square) {
  const int n = square->array.width;
  if (n == 1) return CopyValue(square->array.table->cells()[0]);
  if (n <= kLargestExpansion) return ExpandDeterminant(square);
  if (AllCells(square, IsRational)) {
    if (Value* exact = ExactDeterminant(square)) return exact;
    return EliminateNumbers(square);
  }
  if (AllCells(square, IsPlainNumber)) return EliminateNumbers(square);
  // The expansion of a large matrix of symbols or other values has a term
  // count that no machine holds; refuse it rather than run for ever.
  return MakeError(ErrorCode::NotAnAnalysisTerm, square);
}

}  // namespace symcalc
