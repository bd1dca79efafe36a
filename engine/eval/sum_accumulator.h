// A sum built by many additions, each the node (sum + value) that the
// simplifier would make, without building the records of every step.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "values/value.h"

namespace symcalc {

// Multiplying out and summing up add many terms and partial sums to one
// growing sum. Doing each addition on records takes the whole chain apart
// and builds it again, which makes n additions cost n times the length of
// the chain; here the chain stays taken apart between additions. Where the
// chain builder meets what it does not model, the additions are made again
// on records from the start, so the result is the same either way.
//
// Adding a sum whose terms belong among the chain's moves the sum down as a
// whole and then puts back every term it passed, each of which moves down
// again past the new terms it must precede: exact, that costs the number of
// such pairs, which for two interleaving sums is the product of their
// lengths. The accumulator therefore gives up (Exceeded) once the work
// passes a budget of some 32,000 steps plus sixteen per term added;
// the caller then builds the sum another way.
class SumAccumulator {
 public:
  SumAccumulator();
  ~SumAccumulator();
  SumAccumulator(const SumAccumulator&) = delete;
  SumAccumulator& operator=(const SumAccumulator&) = delete;

  bool Started() const { return start_ != nullptr; }
  // True once the additions have cost more than the budget; the running sum
  // is then lost.
  bool Exceeded() const { return exceeded_; }
  // The running sum is v, taken as it is (v is in normal form).
  void Start(const Value* v);
  // The running sum becomes the simplified node (sum + v).
  void Add(const Value* v);
  // The running sum as a chain of records; the accumulator is spent.
  Value* Take();

 private:
  void AddOnRecords(const Value* v);
  void FallBack();
  struct Builder;
  std::unique_ptr<Builder> builder_;  // null once the additions are made on records
  Held start_;
  std::vector<Held> added_;
  Held total_;  // the sum on records
  std::uint64_t termsAdded_ = 0;
  bool exceeded_ = false;
};

}  // namespace symcalc
