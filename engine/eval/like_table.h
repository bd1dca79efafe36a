// Finding the like partner of a term anywhere in a chain: terms grouped by
// their likeness key, and the groups of recently extended chains kept so that
// a long chain is not walked for every term added to it.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "eval/simplify.h"

namespace symcalc {

// The terms of one chain (borrowed records) grouped by likeness key.
class LikeTable {
 public:
  explicit LikeTable(Chain op) : op_(op) {}
  Chain op() const { return op_; }
  void Add(const Value* term);
  void Remove(const Value* term);  // that very record
  // A term of the table for which LikeTerms(term, r, op) is 1, or null;
  // `several` tells whether there is more than one.
  const Value* FindLike(const Value* r, bool& several) const;
  // The number of terms with the likeness key of `term`.
  std::size_t CountKey(const Value* term) const;

 private:
  Chain op_;
  std::unordered_multimap<std::uint64_t, const Value*> terms_;
};

// Tables of a few long chains. An entry holds no reference to its chain: the
// chain record is marked, and releasing or rebuilding a marked record
// forgets its entry first, so an entry never outlives its chain and keeps
// no memory alive.
class ChainTables {
 public:
  // `mark`: the bit of Value::watched that this set of tables owns.
  explicit ChainTables(std::uint8_t mark) : mark_(mark) {}
  ChainTables(const ChainTables&) = delete;
  ChainTables& operator=(const ChainTables&) = delete;
  ~ChainTables() { Clear(); }

  // The table of the terms of `chain` (a chain of op), or null when the
  // chain is short enough to be walked. A table is found for the chain
  // itself, taken over from the chain one term shorter, or built. With
  // `clash`, every term added to a table on the way is first looked up, and
  // the first like term met is left there.
  LikeTable* For(const Value* chain, Chain op, const Value** clash = nullptr);
  // The table `For(from)` returned describes `to` now (the caller has applied
  // the edits); it is kept for `to`.
  void Move(const Value* from, const Value* to, Chain op);
  // Drops the table of `chain`, if there is one.
  void Forget(const Value* chain);
  void Clear();

 private:
  struct Entry {
    const Value* chain;
    LikeTable table;
    std::uint64_t used;
  };
  Entry* Find(const Value* chain, Chain op);
  void Keep(Entry& e, const Value* chain);
  void Erase(std::size_t i);
  std::uint8_t mark_;
  std::vector<Entry> entries_;
  std::uint64_t clock_ = 0;
};

// The bits of Value::watched.
enum ChainTableMark : std::uint8_t { kSimplifierTables = 1, kCheckerTables = 2 };

// True when `chain` is a chain of op short enough to be walked.
bool IsShortChain(const Value* chain, Chain op);

// The term of the chain `chain` of op (or the single term `chain`) nearest
// its end for which LikeTerms(term, r, op) is 1, or null. Under literal
// rewriting every term is compared; otherwise long chains are looked up in
// the engine's tables.
const Value* FindLikeTerm(const Value* chain, const Value* r, Chain op);

// True when a term of the chain other than `term` has the likeness key of
// `term`. Such terms are unlike only because their numbers differ in type
// (2*x and 0.5*x); once a merge changes a coefficient they may become like.
bool SharesKey(const Value* chain, const Value* term, Chain op);

}  // namespace symcalc
