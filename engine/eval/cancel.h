// Cooperative cancellation: another thread asks, the engine's own thread
// notices at its check points and unwinds like any other return.
#pragma once

#include "values/value.h"

namespace symcalc {

// Safe from any thread: the running evaluation stops at its next check point.
void RequestCancel();
// Withdraws a request and reopens the piece boundary; the owner of the engine
// calls it before handing over new work.
void ClearCancelRequest();
// True while a request is pending and the running piece may still be
// abandoned. Check points poll it; it is one relaxed atomic load.
bool CancelPending();
// A piece that has changed the engine's bindings or registry must run to its
// end (abandoning it would leave half of its effect): the change calls this
// first, and the requests it would have honoured wait for the next piece.
void CommitPiece();
// Marks the start of a new piece: a commit of the previous one no longer holds.
void BeginPiece();

// What a long loop returns when a request stops it: error 19 about `term`,
// built without simplifying anything. Whoever called the loop passes it on
// like any error, and the line handling discards the piece's value.
Value* Abandoned(const Value* term);

}  // namespace symcalc
