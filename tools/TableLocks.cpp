#include "TableLocks.h"

#include "TableDefinitions.h"

#include "EngineError.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>
#include <sys/stat.h>

namespace melvora {

namespace {

bool exists(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

TableLocks::TableLocks(const QString &dir)
{
    try {
        for (const TableDefinition &def : tableDefinitions()) {
            const QString path = QDir(dir).absoluteFilePath(def.fileName);
            if (!exists(path))
                continue;
            sqlite3 *db = nullptr;
            if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr)
                != SQLITE_OK) {
                sqlite3_close_v2(db);
                continue;
            }
            // An empty transaction in exclusive locking mode takes the exclusive lock and keeps it.
            int rc = sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
            if (rc == SQLITE_OK)
                rc = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
            if (rc == SQLITE_OK)
                rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) {
                sqlite3_close_v2(db);
                throw tables::EngineError(
                    QStringLiteral("A tabela %1 está em uso por outro programa").arg(def.fileName));
            }
            if (rc != SQLITE_OK) {
                sqlite3_close_v2(db);
                continue;
            }
            held_.push_back({def.fileName, db});
        }
    } catch (...) {
        for (const Held &h : held_)
            sqlite3_close_v2(h.db);
        throw;
    }
}

TableLocks::~TableLocks()
{
    for (const Held &h : held_)
        sqlite3_close_v2(h.db);
}

sqlite3 *TableLocks::connection(const QString &fileName) const
{
    for (const Held &h : held_)
        if (h.fileName == fileName)
            return h.db;
    return nullptr;
}

void refuseIfHeld(const QString &dir)
{
    TableLocks probe(dir);
}

} // namespace melvora
