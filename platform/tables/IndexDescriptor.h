// The two small files that stand for one secondary index beside its table ("cd.XG1" and
// "cd.YG1"). The index itself lives inside the table file and commits with it; the pair says
// which build of it the folder expects. The program's start-up check tests that the pair exists,
// and the engine trusts an index only when both files carry the stamp of the build the table
// holds, so an index of another collection, or one whose pair was lost, is rebuilt.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tables {

// The stamp the pair carries for index number n, or nothing when a file is missing, torn or
// not a descriptor of that index.
std::optional<QByteArray> readIndexDescriptors(const QString &xg, const QString &yg, int number);

// Writes both files, each replaced whole (written beside and renamed over), so a crash leaves
// the old file, the new one or none: never a file that passes for another build. No sync is
// needed: a lost descriptor only makes the start-up check rebuild.
void writeIndexDescriptors(const QString &xg, const QString &yg, const QString &table, int number,
                           const QString &name, const QString &fields, const QByteArray &stamp);

// Removes both files and anything left of the older layout (an SQLite index file's journal).
void removeIndexDescriptors(const QString &xg, const QString &yg);

// A fresh random stamp for a new build of an index.
QByteArray newIndexStamp();

} // namespace tables
