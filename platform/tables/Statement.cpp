#include "Statement.h"

#include <QFileInfo>
#include <utility>

namespace tables {

QString sqliteMessage(sqlite3 *db, int rc, const QString &file)
{
    const QString name = QFileInfo(file).fileName();
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("A tabela %1 está em uso por outro programa").arg(name);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral("O arquivo %1 está danificado ou não é uma tabela").arg(name);
    case SQLITE_FULL:
        return QStringLiteral("Não há espaço em disco para gravar %1").arg(name);
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("O arquivo %1 não pode ser gravado").arg(name);
    case SQLITE_IOERR:
        return QStringLiteral("Erro de leitura ou gravação no arquivo %1").arg(name);
    case SQLITE_CANTOPEN:
        return QStringLiteral("O arquivo %1 não pode ser aberto").arg(name);
    default:
        break;
    }
    const char *detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    return QStringLiteral("Erro no arquivo %1: %2").arg(name, QString::fromUtf8(detail));
}

void throwSqlite(sqlite3 *db, int rc, const QString &file)
{
    throw EngineError(sqliteMessage(db, rc, file));
}

void execSql(sqlite3 *db, const QString &file, const char *sql)
{
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throwSqlite(db, rc, file);
}

Statement::Statement(sqlite3 *db, const QString &file, const QByteArray &sql)
    : db_(db), file_(file)
{
    const int rc = sqlite3_prepare_v3(db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                      &stmt_, nullptr);
    if (rc != SQLITE_OK)
        throwSqlite(db, rc, file);
}

Statement Statement::tryPrepare(sqlite3 *db, const QString &file, const QByteArray &sql, int &rc)
{
    Statement s;
    s.db_ = db;
    s.file_ = file;
    rc = sqlite3_prepare_v3(db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &s.stmt_,
                            nullptr);
    if (rc != SQLITE_OK) {
        rc = sqlite3_errcode(db);
        sqlite3_finalize(s.stmt_);
        s.stmt_ = nullptr;
    }
    return s;
}

Statement::~Statement()
{
    if (stmt_)
        sqlite3_finalize(stmt_);
}

Statement::Statement(Statement &&other) noexcept
{
    *this = std::move(other);
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        if (stmt_)
            sqlite3_finalize(stmt_);
        db_ = std::exchange(other.db_, nullptr);
        stmt_ = std::exchange(other.stmt_, nullptr);
        file_ = std::move(other.file_);
    }
    return *this;
}

void Statement::reset()
{
    // Every user binds all its parameters again before the next step.
    sqlite3_reset(stmt_);
}

void Statement::bind(int pos, qint64 value)
{
    sqlite3_bind_int64(stmt_, pos, value);
}

void Statement::bind(int pos, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt_, pos, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::bindBlob(int pos, const QByteArray &blob)
{
    // A zero-length blob must stay a blob (X''), never NULL: row-value comparisons skip NULLs.
    static const char empty = 0;
    sqlite3_bind_blob(stmt_, pos, blob.isEmpty() ? &empty : blob.constData(), int(blob.size()),
                      SQLITE_TRANSIENT);
}

void Statement::bindBlobInPlace(int pos, const QByteArray &blob)
{
    static const char empty = 0;
    sqlite3_bind_blob(stmt_, pos, blob.isEmpty() ? &empty : blob.constData(), int(blob.size()),
                      SQLITE_STATIC);
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    throwSqlite(db_, rc, file_);
}

void Statement::run()
{
    while (step()) {
    }
    sqlite3_reset(stmt_);
}

QString Statement::text(int col) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, col));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(stmt_, col)) : QString();
}

QByteArray Statement::blob(int col) const
{
    const auto *p = static_cast<const char *>(sqlite3_column_blob(stmt_, col));
    return p ? QByteArray(p, sqlite3_column_bytes(stmt_, col)) : QByteArray();
}

} // namespace tables
