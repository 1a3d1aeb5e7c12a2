// Case-insensitive sort keys for the secondary indexes: ICU collation keys for Portuguese at
// secondary strength, so letter case is ignored and accents are not. Keys compare byte by byte,
// which is how SQLite compares the BLOBs they are stored as.
#pragma once

#include <QByteArray>
#include <QString>

namespace tables {

// The sort key of a text; the empty text has the empty key, which sorts before every other.
QByteArray textSortKey(const QString &text);

// Identifies the collation rules; an index built under other rules must be rebuilt.
QString collatorVersion();

} // namespace tables
