// Allocation, copying and release of value records, texts and cell tables.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <vector>

#include "values/value.h"

namespace symcalc {
namespace {

std::int64_t g_liveRecords = 0;
RecordHooks g_hooks;

#ifndef SYMCALC_NO_POOL
// Records are all one size, so a free list makes allocation a pointer swap.
// Sanitizer builds compile this out so that every record is a heap block.
struct RecordPool {
  Value* freeList = nullptr;
  std::vector<void*> chunks;
  ~RecordPool() {
    for (void* c : chunks) std::free(c);
  }
  Value* Take() {
    if (!freeList) Refill();
    Value* v = freeList;
    freeList = v->setLink;
    return v;
  }
  void Give(Value* v) {
    v->setLink = freeList;
    freeList = v;
  }
  // Room for n more records before the next refill, in one block when it
  // is large: built in huge pages where the system has them, a chain of a
  // million records costs a few dozen page faults instead of twenty
  // thousand.
  void Reserve(std::size_t n) {
    std::size_t available = 0;
    for (Value* v = freeList; v && available < n; v = v->setLink) ++available;
    if (available >= n) return;
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    const std::size_t missing = n - available;
    const std::size_t bytes = (missing * sizeof(Value) + kHugePage - 1) / kHugePage * kHugePage;
    auto* block = static_cast<Value*>(std::aligned_alloc(kHugePage, bytes));
    if (!block) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(block, bytes, MADV_HUGEPAGE);
#endif
    chunks.push_back(block);
    // Taken from the front of the block: the records of a chain built in
    // one go then lie in address order.
    for (std::size_t i = bytes / sizeof(Value); i-- > 0;) Give(&block[i]);
  }
  // Chunks start small and double: a short session touches a few pages, not
  // the hundreds a large chunk would fault in at once.
  std::size_t nextChunk = 64;
  void Refill() {
    constexpr std::size_t kMaxChunk = 4096;
    const std::size_t n = nextChunk;
    nextChunk = std::min(2 * nextChunk, kMaxChunk);
    auto* block = static_cast<Value*>(std::malloc(sizeof(Value) * n));
    if (!block) throw std::bad_alloc();
    chunks.push_back(block);
    for (std::size_t i = 0; i < n; ++i) Give(&block[i]);
  }
};
RecordPool& Pool() {
  static RecordPool* pool = new RecordPool();  // lives until exit, never torn down early
  return *pool;
}
#endif

void* RawRecord() {
#ifndef SYMCALC_NO_POOL
  return Pool().Take();
#else
  void* p = std::malloc(sizeof(Value));
  if (!p) throw std::bad_alloc();
  return p;
#endif
}

void DropRecord(Value* v) {
  --g_liveRecords;
#ifndef SYMCALC_NO_POOL
  Pool().Give(v);
#else
  std::free(v);
#endif
}

// Takes one more reference to every child of a freshly copied record.
void RetainChildren(Value* v) {
  switch (v->type) {
    case ValueType::Symbol:
    case ValueType::String:
    case ValueType::Variable:
      RetainText(v->text);
      break;
    case ValueType::Error:
      if (v->error.operand) Retain(v->error.operand);
      break;
    case ValueType::Array:
      ++v->array.table->refs;
      break;
    case ValueType::Function:
      g_hooks.retainEntry(v->function.entry);
      for (Value* a : v->function.args)
        if (a) Retain(a);
      break;
    default:
      if (v->type == ValueType::Complex || IsPairNode(v)) {
        Retain(v->pair.left);
        Retain(v->pair.right);
      }
      break;
  }
}

// Pushes the children of a record whose last reference went away.
void CollectChildren(Value* v, std::vector<Value*>& work) {
  switch (v->type) {
    case ValueType::Symbol:
    case ValueType::String:
    case ValueType::Variable:
      ReleaseText(v->text);
      break;
    case ValueType::Error:
      if (v->error.operand) work.push_back(v->error.operand);
      break;
    case ValueType::Array: {
      CellTable* t = v->array.table;
      if (t && --t->refs == 0) {
        for (std::uint32_t i = 0; i < t->count; ++i)
          if (t->cells()[i]) work.push_back(t->cells()[i]);
        std::free(t);
      }
      break;
    }
    case ValueType::Set:
      for (Value* e = v->set.first; e;) {
        Value* next = e->setLink;
        work.push_back(e);
        e = next;
      }
      break;
    case ValueType::Function:
      for (Value* a : v->function.args)
        if (a) work.push_back(a);
      g_hooks.releaseEntry(v->function.entry);
      break;
    default:
      if (v->type == ValueType::Complex || IsPairNode(v)) {
        if (v->pair.left) work.push_back(v->pair.left);
        if (v->pair.right) work.push_back(v->pair.right);
      }
      break;
  }
}

// A record about to be released, overwritten or rebuilt in place no longer
// describes the chain a likeness table was kept for.
void Unwatch(Value* v) {
  if (!v->watched) return;
  v->watched = 0;
  if (g_hooks.unwatch) g_hooks.unwatch(v);
}

}  // namespace


std::int64_t LiveRecordCount() { return g_liveRecords; }

void SetRecordHooks(const RecordHooks& hooks) { g_hooks = hooks; }

void ReserveRecords(std::size_t n) {
#ifndef SYMCALC_NO_POOL
  // Only worth a block of its own when it spans huge pages.
  constexpr std::size_t kWorthABlock = 1 << 16;
  if (n >= kWorthABlock) Pool().Reserve(n);
#else
  (void)n;
#endif
}

Value* AllocRecord() {
  auto* v = static_cast<Value*>(RawRecord());
  std::memset(static_cast<void*>(v), 0, sizeof(Value));
  v->refs = 1;
  ++g_liveRecords;
  return v;
}

Value* FreshRecord(Value* out) {
  if (!out) return AllocRecord();
  Unwatch(out);
  const std::uint32_t refs = out->refs;
  *out = Value{};
  out->refs = refs;
  return out;
}

Value* Retain(const Value* v) {
  auto* m = const_cast<Value*>(v);
  if (m) ++m->refs;
  return m;
}

Value* CopyValue(const Value* src, Value* out) {
  Value* dst = out ? out : AllocRecord();
  Unwatch(dst);
  const std::uint32_t refs = dst->refs;
  std::memcpy(static_cast<void*>(dst), src, sizeof(Value));
  dst->refs = refs;
  dst->watched = 0;
  dst->setLink = nullptr;
  dst->stamp = 0;  // copies are usually made to be changed
  if (dst->type == ValueType::Set) {
    // An element record is chained into exactly one set, so the chain is
    // copied record by record; the elements' own children stay shared.
    Value* tail = nullptr;
    dst->set.first = nullptr;
    for (const Value* e = src->set.first; e; e = e->setLink) {
      Value* c = CopyValue(e);
      if (tail)
        tail->setLink = c;
      else
        dst->set.first = c;
      tail = c;
    }
  } else {
    RetainChildren(dst);
  }
  return dst;
}

void FreeValue(Value* v) {
  if (!v) return;
  if (--v->refs != 0) return;
  // Numbers, booleans and math symbols own nothing: most releases are of
  // those and need no work list.
  switch (v->type) {
    case ValueType::Qword:
    case ValueType::Double:
    case ValueType::Ratio:
    case ValueType::Boolean:
    case ValueType::MathSymbol:
      DropRecord(v);
      return;
    default:
      break;
  }
  ++v->refs;  // the loop below drops this reference itself
  // One work list per thread, reused: releasing is on every hot path.
  thread_local std::vector<Value*> list;
  std::vector<Value*> local;
  std::vector<Value*>& work = list.empty() ? list : local;
  work.push_back(v);
  while (!work.empty()) {
    Value* x = work.back();
    work.pop_back();
    if (--x->refs != 0) continue;
    Unwatch(x);
    CollectChildren(x, work);
    DropRecord(x);
  }
}

Value* Deliver(Value* result, Value* out) {
  if (!out || result == out) return result;
  Unwatch(out);
  if (result->refs == 1) {
    // Move: the children change owner, the empty shell is dropped.
    Unwatch(result);
    const std::uint32_t refs = out->refs;
    std::memcpy(static_cast<void*>(out), result, sizeof(Value));
    out->refs = refs;
    out->setLink = nullptr;
    DropRecord(result);
    return out;
  }
  CopyValue(result, out);
  FreeValue(result);
  return out;
}

Text* MakeText(std::string_view s) {
  auto* t = static_cast<Text*>(std::malloc(sizeof(Text) + s.size() + 1));
  if (!t) throw std::bad_alloc();
  t->refs = 1;
  t->length = static_cast<std::uint32_t>(s.size());
  if (!s.empty()) std::memcpy(t->mutableChars(), s.data(), s.size());
  t->mutableChars()[s.size()] = '\0';
  return t;
}

Text* RetainText(Text* t) {
  ++t->refs;
  return t;
}

void ReleaseText(Text* t) {
  if (t && --t->refs == 0) std::free(t);
}

CellTable* MakeCellTable(std::size_t count) {
  auto* t = static_cast<CellTable*>(std::calloc(1, sizeof(CellTable) + count * sizeof(Value*)));
  if (!t) throw std::bad_alloc();
  t->refs = 1;
  t->count = static_cast<std::uint32_t>(count);
  return t;
}

void ReleaseCellTable(CellTable* t) {
  if (!t || --t->refs != 0) return;
  for (std::uint32_t i = 0; i < t->count; ++i) FreeValue(t->cells()[i]);
  std::free(t);
}

CellTable* UniqueCells(Value* array) {
  CellTable* t = array->array.table;
  if (t->refs > 1) {
    CellTable* c = MakeCellTable(t->count);
    for (std::uint32_t i = 0; i < t->count; ++i) c->cells()[i] = Retain(t->cells()[i]);
    --t->refs;
    array->array.table = c;
    t = c;
  }
  array->stamp = 0;
  return t;
}

}  // namespace symcalc
