// A prepared SQLite statement that turns every failure into an EngineError naming the table
// file. Internal to the table engine.
#pragma once

#include "EngineError.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

namespace tables {

// The error text for a failed SQLite call on a file.
QString sqliteMessage(sqlite3 *db, int rc, const QString &file);
[[noreturn]] void throwSqlite(sqlite3 *db, int rc, const QString &file);

// Runs statements that return no rows.
void execSql(sqlite3 *db, const QString &file, const char *sql);

class Statement {
public:
    Statement() = default;
    Statement(sqlite3 *db, const QString &file, const QByteArray &sql);
    // Prepares without throwing: on failure the statement is invalid and rc holds the code.
    static Statement tryPrepare(sqlite3 *db, const QString &file, const QByteArray &sql, int &rc);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;

    bool isValid() const { return stmt_ != nullptr; }
    void reset(); // bindings stay until bound again

    void bind(int pos, qint64 value);
    void bind(int pos, const QString &text);
    void bindBlob(int pos, const QByteArray &blob);
    // Binds without a copy: blob must stay unchanged until the statement is reset.
    void bindBlobInPlace(int pos, const QByteArray &blob);

    bool step(); // true: a row is ready; false: done
    void run();  // steps to the end, for statements without rows

    qint64 int64(int col) const { return sqlite3_column_int64(stmt_, col); }
    QString text(int col) const;
    QByteArray blob(int col) const;

private:
    sqlite3 *db_ = nullptr;
    sqlite3_stmt *stmt_ = nullptr;
    QString file_;
};

} // namespace tables
