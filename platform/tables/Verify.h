// A check of one table file as it lies on disk, on a connection of its own: SQLite's integrity
// check, then every index the file holds against its records (one row per record, carrying the
// keys of the record's stored text, and no row for a record that is gone). Used by the tool's
// check command and by the tests that kill and fail the engine mid-action.
#pragma once

#include <QString>
#include <QStringList>

namespace tables {

// The faults found, one sentence each; empty when the file is sound. The file must not be open
// in this program. A journal left by a crash is rolled back first, as the next open would.
QStringList verifyTableFile(const QString &path);

} // namespace tables
