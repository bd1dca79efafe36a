#include "eval/cancel.h"

#include <atomic>

namespace symcalc {
namespace {

std::atomic<bool> g_requested{false};
// Only the engine's thread reads or writes it.
bool g_committed = false;

}  // namespace

void RequestCancel() { g_requested.store(true, std::memory_order_relaxed); }

void ClearCancelRequest() {
  g_requested.store(false, std::memory_order_relaxed);
  g_committed = false;
}

bool CancelPending() { return !g_committed && g_requested.load(std::memory_order_relaxed); }

void CommitPiece() { g_committed = true; }

void BeginPiece() { g_committed = false; }

Value* Abandoned(const Value* term) {
  return MakeRawError(ErrorCode::NotAnAnalysisTerm, Retain(term));
}

}  // namespace symcalc
