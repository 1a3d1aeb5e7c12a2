// Grouping of writes into transactions. The first write of a user action opens a transaction on
// the folder's connection; it is committed as soon as control returns to the event loop (a
// zero-time timer), or when a program without an event loop calls commitAll(). Every table file
// the action wrote commits together, so a crash, a full disk or a read-only file never leaves
// half of an action stored.
#pragma once

#include <QString>

namespace tables {

// Commits the action in progress. Throws EngineError on failure, after undoing all of it.
// Also ends an action that failed earlier: writes are accepted again.
void commitAll();

// Undoes everything the action in progress wrote (an action stopped by an error stores nothing).
void rollbackAll();

// True while some table file has uncommitted writes.
bool hasPendingWrites();

// True when the table file was left in the middle of a commit or an action (a rollback journal
// still in force): opening it brings it back to a consistent state, the whole action or none.
bool wasInterrupted(const QString &tablePath);

} // namespace tables
