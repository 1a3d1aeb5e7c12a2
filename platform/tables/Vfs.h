// The file layer under every table connection: a thin SQLite VFS over the system's own that
// remembers which file a failed write, sync, truncate or delete was on (so that a message can
// name it), and that lets a test fail or end the process at the N-th such operation.
#pragma once

#include <QString>
#include <functional>

namespace tables::vfs {

// The registered name of the layer; every connection of the engine opens through it.
const char *name();

enum class Op { Write, Sync, Truncate, Delete };

// A test's hook, asked before each write-class operation: SQLITE_OK lets it run, any other
// code makes it fail with that code. The hook may also end the process to model a crash.
using FaultHook = std::function<int(Op op, const char *path)>;
void setFaultHook(FaultHook hook);

// The file of the last failed write-class operation since the last clear, or empty.
QString lastFailedFile();
void clearLastFailure();

// Watches one COMMIT for the instant it becomes durable: the end of the journal after the table
// file's sync for a transaction over one file, the removal of the super-journal for one over
// several. A COMMIT
// that reports an error after that instant has stored the action all the same.
void beginCommit();
bool commitPointPassed();

} // namespace tables::vfs
