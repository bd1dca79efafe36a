#include "eval/like_table.h"

#include "eval/likeness_key.h"
#include "state/engine_state.h"

namespace symcalc {
namespace {

// Chains of fewer terms are walked: a walk over a dozen terms costs less
// than keeping a table up to date.
constexpr std::size_t kWalkedTerms = 16;
// Tables kept at a time: a sum being built, a product inside a term of it,
// and a few to spare for alternating work.
constexpr std::size_t kKeptTables = 4;

ValueType NodeOf(Chain op) { return op == Chain::Sum ? ValueType::Plus : ValueType::Times; }

bool LikeInChain(const Value* term, const Value* r, Chain op) {
  return LikeTerms(term, r, op) == 1;
}

bool IsShort(const Value* chain, ValueType node) {
  std::size_t n = 1;
  for (const Value* p = chain; p->type == node; p = p->pair.left)
    if (++n >= kWalkedTerms) return false;
  return true;
}

}  // namespace

void LikeTable::Add(const Value* term) { terms_.emplace(LikenessKey(term, op_), term); }

void LikeTable::Remove(const Value* term) {
  auto [it, end] = terms_.equal_range(LikenessKey(term, op_));
  for (; it != end; ++it) {
    if (it->second == term) {
      terms_.erase(it);
      return;
    }
  }
}

const Value* LikeTable::FindLike(const Value* r, bool& several) const {
  several = false;
  const Value* found = nullptr;
  auto [it, end] = terms_.equal_range(LikenessKey(r, op_));
  for (; it != end; ++it) {
    if (!LikeInChain(it->second, r, op_)) continue;
    if (found) several = true;
    found = it->second;
  }
  return found;
}

std::size_t LikeTable::CountKey(const Value* term) const {
  return terms_.count(LikenessKey(term, op_));
}

ChainTables::Entry* ChainTables::Find(const Value* chain, Chain op) {
  for (Entry& e : entries_)
    if (e.chain == chain && e.table.op() == op) return &e;
  return nullptr;
}

// The mark is the one thing ever written into a record others may share; it
// does not take part in the record's value.
void ChainTables::Keep(Entry& e, const Value* chain) {
  if (e.chain) const_cast<Value*>(e.chain)->watched &= static_cast<std::uint8_t>(~mark_);
  e.chain = chain;
  const_cast<Value*>(chain)->watched |= mark_;
}

void ChainTables::Erase(std::size_t i) {
  const_cast<Value*>(entries_[i].chain)->watched &= static_cast<std::uint8_t>(~mark_);
  entries_[i] = std::move(entries_.back());
  entries_.pop_back();
}

LikeTable* ChainTables::For(const Value* chain, Chain op, const Value** clash) {
  const ValueType node = NodeOf(op);
  if (IsShort(chain, node)) return nullptr;
  auto add = [clash](LikeTable& table, const Value* term) {
    bool several = false;
    if (clash && !*clash) *clash = table.FindLike(term, several);
    table.Add(term);
  };
  Entry* e = Find(chain, op);
  if (!e) {
    // A chain is mostly extended by one term at its end.
    e = Find(chain->pair.left, op);
    if (e) {
      add(e->table, chain->pair.right);
      Keep(*e, chain);
    }
  }
  if (!e) {
    // Or it is the chain below the last term of one: a copy of a sum (the
    // value kept as `ans`) is simplified again node by node.
    for (Entry& x : entries_) {
      if (x.chain->type == node && x.chain->pair.left == chain && x.table.op() == op) {
        x.table.Remove(x.chain->pair.right);
        Keep(x, chain);
        e = &x;
        break;
      }
    }
  }
  if (!e) {
    if (entries_.size() == kKeptTables) {
      std::size_t oldest = 0;
      for (std::size_t i = 1; i < entries_.size(); ++i)
        if (entries_[i].used < entries_[oldest].used) oldest = i;
      Erase(oldest);
    }
    entries_.push_back(Entry{nullptr, LikeTable(op), 0});
    e = &entries_.back();
    Keep(*e, chain);
    const Value* p = chain;
    for (; p->type == node; p = p->pair.left) add(e->table, p->pair.right);
    add(e->table, p);
  }
  e->used = ++clock_;
  return &e->table;
}

void ChainTables::Move(const Value* from, const Value* to, Chain op) {
  Entry* e = Find(from, op);
  if (!e || from == to) return;
  // A shorter result is walked, not looked up; a result that is an earlier
  // chain may have a table of its own already.
  if (to->type != NodeOf(op) || Find(to, op)) {
    Erase(static_cast<std::size_t>(e - entries_.data()));
    return;
  }
  Keep(*e, to);
}

void ChainTables::Forget(const Value* chain) {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].chain == chain) return Erase(i);
}

void ChainTables::Clear() {
  while (!entries_.empty()) Erase(entries_.size() - 1);
}

namespace {

const Value* WalkForLikeTerm(const Value* chain, const Value* r, Chain op) {
  const ValueType node = NodeOf(op);
  const Value* p = chain;
  for (; p->type == node; p = p->pair.left)
    if (LikeInChain(p->pair.right, r, op)) return p->pair.right;
  return LikeInChain(p, r, op) ? p : nullptr;
}

bool ChainHolds(const Value* chain, const Value* term, Chain op) {
  const ValueType node = NodeOf(op);
  const Value* p = chain;
  for (; p->type == node; p = p->pair.left)
    if (p->pair.right == term) return true;
  return p == term;
}

}  // namespace

const Value* FindLikeTerm(const Value* chain, const Value* r, Chain op) {
  if (LiteralRewriting() || IsShort(chain, NodeOf(op))) return WalkForLikeTerm(chain, r, op);
  ChainTables& tables = Engine().chainTables;
  bool several = false;
  const Value* found = tables.For(chain, op)->FindLike(r, several);
  // Terms like r but not like each other (2*x and 0.5*x for x): the nearest
  // to the end of the chain is the one, and only the walk knows it.
  if (several) return WalkForLikeTerm(chain, r, op);
  // A term re-simplified on its way back into a chain is a new record; the
  // table then names one the chain no longer holds.
  if (!found || ChainHolds(chain, found, op)) return found;
  tables.Forget(chain);
  return WalkForLikeTerm(chain, r, op);
}

bool SharesKey(const Value* chain, const Value* term, Chain op) {
  const ValueType node = NodeOf(op);
  if (!LiteralRewriting() && !IsShort(chain, node))
    return Engine().chainTables.For(chain, op)->CountKey(term) > 1;
  const std::uint64_t key = LikenessKey(term, op);
  const Value* p = chain;
  for (; p->type == node; p = p->pair.left)
    if (p->pair.right != term && LikenessKey(p->pair.right, op) == key) return true;
  return p != term && LikenessKey(p, op) == key;
}

bool IsShortChain(const Value* chain, Chain op) { return IsShort(chain, NodeOf(op)); }

}  // namespace symcalc
