// One archive file of a collection's four tables, and the way back.
//
// The archive is an SQLite database in the layout of SQLite's own archives (table sqlar: name,
// mode, mtime, sz, data; stored, not compressed), so `sqlite3 FILE -Atv` lists it and
// `sqlite3 FILE -Ax` extracts it, with a table of the SHA-256 of each file and its own
// application id. It holds the images of the four table files taken while all four are held with
// the engine's exclusive lock: one moment of the whole collection, with no journal pending and
// no writer in between. The index descriptors are not kept: a restore runs the program's index
// rebuild (all fourteen steps), which writes each index's pair anew with the stamp of its build.
//
// A restore checks the archive (its id, SQLite's integrity check, the four files, their sizes
// and SHA-256), then builds the tables beside the folder's own in a hidden folder of its own,
// rebuilds their indexes and checks every file as `check` does, and only then moves them in,
// the old tables going aside first; any failure puts everything back as it was.
#pragma once

#include <QString>
#include <array>

namespace melvora {

// Writes the archive of dir's tables to file (replaced only with force). Answers the records
// per table, in table order. Throws EngineError: tables missing, damaged or held by another
// program, file already there, or the archive could not be written and read back.
std::array<int, 4> backupCollection(const QString &dir, const QString &file, bool force);

// Puts the tables of the archive into dir (made when missing). Existing tables are replaced only
// with force, and only when no other program holds them. Answers the records per table.
// Throws EngineError, leaving dir as it was.
std::array<int, 4> restoreCollection(const QString &file, const QString &dir, bool force);

} // namespace melvora
