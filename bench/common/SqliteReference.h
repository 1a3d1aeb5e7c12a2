// For the benchmarks: the reference figure, the same rows read straight from SQLite.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <sqlite3.h>

namespace bench {

struct SqliteRead {
    double seconds = 0;
    qint64 characters = 0;
};

// Every row of the table file, its first `columns` fields as text, in file order.
inline SqliteRead sqliteRead(const char *file, int columns)
{
    sqlite3 *db = nullptr;
    sqlite3_open(file, &db);
    QElapsedTimer clock;
    clock.start();
    QByteArray sql = "SELECT c0";
    for (int i = 1; i < columns; ++i)
        sql += ", c" + QByteArray::number(i);
    sql += " FROM records ORDER BY rowid";
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    SqliteRead read;
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < columns; ++i)
            read.characters +=
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i))).size();
    sqlite3_finalize(st);
    read.seconds = clock.nsecsElapsed() / 1e9;
    sqlite3_close(db);
    return read;
}

} // namespace bench
