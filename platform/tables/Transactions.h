// Grouping of writes into transactions. The first write of a user action opens a transaction on
// the table's file; all open transactions are committed together as soon as control returns to
// the event loop (a zero-time timer), or when a program without an event loop calls commitAll().
// A crash therefore loses at most the action in progress and never half of one.
#pragma once

namespace tables {

// Commits every pending transaction of every open table file. Throws EngineError on failure,
// after rolling the failed file back.
void commitAll();

// True while some table file has uncommitted writes.
bool hasPendingWrites();

} // namespace tables
