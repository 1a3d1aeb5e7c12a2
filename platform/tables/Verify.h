// A check of one table file as it lies on disk, on a connection of its own: SQLite's integrity
// check, then every index the file holds against its records (one row per record, carrying the
// keys of the record's stored text, and no row for a record that is gone). Used by the tool's
// check command and by the tests that kill and fail the engine mid-action.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <sqlite3.h>

namespace tables {

// The faults found, one sentence each; empty when the file is sound. The file must not be open
// in this program. A journal left by a crash is rolled back first, as the next open would.
QStringList verifyTableFile(const QString &path);

// The index part of that check, on a file open as `schema` of a connection (the engine's own, in
// debug builds, after each commit); only the numbered indexes when `only` is not empty. Throws
// EngineError when the file cannot be read.
QStringList verifyIndexes(sqlite3 *db, const QByteArray &schema, const QString &path,
                          const QVector<int> &only = {});

} // namespace tables
