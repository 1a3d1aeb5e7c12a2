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

} // namespace tables::vfs
