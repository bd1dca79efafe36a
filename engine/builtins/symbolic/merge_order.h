// The order in which the terms of a sum are chained.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace symcalc {

// A stable bottom-up merge sort of the indices 0..n-1 that asks only "must
// item a follow item b": it needs no strict weak order, so term orders with
// ties in odd places (sets, NaN) cost placement, never correctness. With such
// an order the result depends on the comparisons made, so every sum of terms
// is ordered by this one function, whatever form its terms are held in.
// Leaves the order in `order`; `scratch` is working room.
template <typename MustFollow>
void MergeOrder(std::size_t n, std::vector<std::uint32_t>& order,
                std::vector<std::uint32_t>& scratch, MustFollow mustFollow) {
  order.resize(n);
  scratch.resize(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = static_cast<std::uint32_t>(i);
  for (std::size_t width = 1; width < n; width *= 2) {
    for (std::size_t lo = 0; lo < n; lo += 2 * width) {
      const std::size_t mid = std::min(lo + width, n);
      const std::size_t hi = std::min(lo + 2 * width, n);
      std::size_t i = lo;
      std::size_t j = mid;
      std::size_t k = lo;
      while (i < mid && j < hi)
        scratch[k++] = mustFollow(order[i], order[j]) ? order[j++] : order[i++];
      while (i < mid) scratch[k++] = order[i++];
      while (j < hi) scratch[k++] = order[j++];
    }
    order.swap(scratch);
  }
}

}  // namespace symcalc
