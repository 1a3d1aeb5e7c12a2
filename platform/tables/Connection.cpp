#include "Connection.h"

#include "EngineError.h"
#include "ErrorReport.h"
#include "Statement.h"
#include "Table.h"
#include "TableFile.h"
#include "Transactions.h"
#include "Verify.h"
#include "Vfs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <map>
#include <optional>
#include <utility>

namespace tables {

namespace {

// Open connections by folder: every table file of a folder shares its folder's connection.
std::map<QString, std::weak_ptr<Connection>> &registry()
{
    static std::map<QString, std::weak_ptr<Connection>> r;
    return r;
}

std::vector<Connection *> &pending()
{
    static std::vector<Connection *> p;
    return p;
}

bool commitScheduled = false;
constexpr char kNothingStored[] = ". Nenhuma alteração desta operação foi gravada";
bool actionFailed = false;

void forget(Connection *c)
{
    auto &p = pending();
    p.erase(std::remove(p.begin(), p.end(), c), p.end());
}

// The table a journal or super-journal belongs to: "musica.db-journal" is musica.db's.
QString tableOfFile(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (const int dash = name.lastIndexOf(QLatin1String("-journal")); dash > 0)
        name.truncate(dash);
    else if (const int mj = name.lastIndexOf(QLatin1String("-mj")); mj > 0)
        name.truncate(mj);
    return name;
}

} // namespace

std::shared_ptr<Connection> Connection::forTableFile(const QString &absolutePath)
{
    QString folder = QFileInfo(absolutePath).canonicalPath();
    if (folder.isEmpty())
        folder = QFileInfo(absolutePath).absolutePath();
    auto &reg = registry();
    if (auto it = reg.find(folder); it != reg.end())
        if (auto existing = it->second.lock())
            return existing;
    std::shared_ptr<Connection> c(new Connection(folder));
    reg[folder] = c;
    return c;
}

Connection::Connection(QString folder) : folder_(std::move(folder)) {}

Connection::~Connection()
{
    forget(this);
    if (db_) {
        if (inTransaction_)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db_);
    }
    auto &reg = registry();
    if (auto it = reg.find(folder_); it != reg.end() && it->second.expired())
        reg.erase(it);
}

QByteArray Connection::attach(const QString &path, OpenMode mode)
{
    const QByteArray modeSql = mode == OpenMode::Exclusive ? "EXCLUSIVE" : "NORMAL";
    if (!db_) {
        // Never SQLITE_OPEN_CREATE: a table is only ever created by createTableFile.
        int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, vfs::name());
        if (rc != SQLITE_OK) {
            const QString error = sqliteMessage(db_, rc, path);
            sqlite3_close_v2(db_);
            db_ = nullptr;
            throw EngineError(error);
        }
        sqlite3_extended_result_codes(db_, 0);
        execSql(db_, path, ("PRAGMA main.locking_mode=" + modeSql).constData());
        mainPath_ = path;
        mainInUse_ = true;
        return "main";
    }
    if (path == mainPath_) {
        if (mainInUse_)
            throw EngineError(QStringLiteral("A tabela %1 já está aberta").arg(QFileInfo(path).fileName()));
        mainInUse_ = true;
        return "main";
    }
    commit();
    resetScans();
    const QByteArray alias = "t" + QByteArray::number(nextAlias_++);
    Statement st(db_, path, "ATTACH DATABASE ?1 AS " + alias);
    st.bind(1, QString::fromUtf8(QFile::encodeName(path)));
    try {
        st.run();
    } catch (const EngineError &e) {
        if (sqlite3_errcode(db_) == SQLITE_ERROR)
            throw EngineError(QStringLiteral("Não é possível abrir mais tabelas da pasta junto com %1")
                                  .arg(QFileInfo(path).fileName()));
        throw;
    }
    try {
        execSql(db_, path, ("PRAGMA " + alias + ".locking_mode=" + modeSql).constData());
    } catch (...) {
        detach(alias);
        throw;
    }
    return alias;
}

void Connection::detach(const QByteArray &schema)
{
    if (schema == "main") {
        mainInUse_ = false;
        return;
    }
    commit();
    resetScans();
    sqlite3_exec(db_, ("DETACH DATABASE " + schema).constData(), nullptr, nullptr, nullptr);
}

void Connection::lockExclusively(const QByteArray &schema)
{
    // BEGIN EXCLUSIVE locks every database of the connection, and a COMMIT over several of them
    // goes through a super-journal even when nothing changed: a file written at every open, and
    // refused by a full disk. The other databases sit the lock out with their syncs off, which
    // leaves them out of the commit; nothing is written, and their syncs are put back.
    std::vector<std::pair<QByteArray, qint64>> others;
    {
        Statement list(db_, mainPath_, "PRAGMA database_list");
        while (list.step()) {
            const QByteArray name = list.text(1).toUtf8();
            if (name != schema && name != "temp")
                others.emplace_back(name, 0);
        }
    }
    for (auto &[name, level] : others) {
        Statement sync(db_, mainPath_, "PRAGMA " + name + ".synchronous");
        level = sync.step() ? sync.int64(0) : 2;
    }
    auto restore = [&] {
        for (const auto &[name, level] : others)
            sqlite3_exec(db_, ("PRAGMA " + name + ".synchronous=" + QByteArray::number(level)).constData(),
                         nullptr, nullptr, nullptr);
    };
    try {
        for (const auto &[name, level] : others)
            execSql(db_, mainPath_, ("PRAGMA " + name + ".synchronous=OFF").constData());
        execSql(db_, mainPath_, "BEGIN EXCLUSIVE");
        execSql(db_, mainPath_, "COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        restore();
        throw;
    }
    restore();
}

void Connection::addFile(TableFile *file)
{
    files_.push_back(file);
}

void Connection::removeFile(TableFile *file)
{
    files_.erase(std::remove(files_.begin(), files_.end(), file), files_.end());
}

void Connection::resetScans()
{
    for (TableFile *f : files_)
        f->resetScans();
}

void Connection::beginWrite()
{
    if (actionFailed)
        throw EngineError(
            QStringLiteral("A operação foi interrompida por um erro anterior; nada dela foi gravado"));
    if (inTransaction_)
        return;
#ifndef NDEBUG
    outOfStepBefore_ = indexesOutOfStep();
#endif
    execSql(db_, mainPath_, "BEGIN");
    inTransaction_ = true;
    ++action_;
    setActionCache(true);
    vfs::clearLastFailure();
    pending().push_back(this);
    if (!commitScheduled && QCoreApplication::instance()) {
        commitScheduled = true;
        QTimer::singleShot(0, QCoreApplication::instance(), [] {
            commitScheduled = false;
            melvora::runReportingErrors([] { commitAll(); });
        });
    }
}

void Connection::commit()
{
    if (!inTransaction_)
        return;
    vfs::beginCommit();
    const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        // The disk may fail only while SQLite tidies its journals, after the action became
        // durable: then the message says it was stored, as the next start-up will find it.
        const bool stored = vfs::commitPointPassed();
        const QString error = sqliteMessage(db_, rc, mainPath_);
        QString text = failAction(error, mainPath_);
        if (stored) {
            actionFailed = false;
            text.replace(QString::fromUtf8(kNothingStored),
                         QStringLiteral(". A operação foi gravada inteira apesar do erro"));
        }
        throw EngineError(text);
    }
    inTransaction_ = false;
    forget(this);
    setActionCache(false);
#ifndef NDEBUG
    checkIndexesAgree();
#endif
}

// A large action (a rename carried into every song, erase all) spilling pages to disk midway would
// cost a sync and scattered writes each time: while it writes, each file has the writing cache.
// When it ends the reading cache comes back, and what a large action took goes back to the system.
void Connection::setActionCache(bool writing)
{
    QByteArray pragmas;
    for (TableFile *f : files_)
        pragmas += "PRAGMA " + f->schemaName() + ".cache_size=-"
                   + QByteArray::number(writing ? kWritingCacheKiB : kReadingCacheKiB) + ';';
    int used = 0, highest = 0;
    const bool large = !writing && sqlite3_db_status(db_, SQLITE_DBSTATUS_CACHE_USED, &used, &highest, 0) == SQLITE_OK
                       && used > 64 * 1024 * 1024;
    sqlite3_exec(db_, pragmas.constData(), nullptr, nullptr, nullptr);
#ifdef __GLIBC__
    if (large)
        malloc_trim(0); // the pages freed go back to the system, not only to the heap
#endif
}

#ifndef NDEBUG
// Debug builds hold the engine to its invariant: an action never puts an index out of step with
// its table (one row per record, with the keys of the record's stored text). An index already out
// of step when the action began was damaged outside the engine (a torn copy, a test's damage)
// and waits for the rebuild. Only tables of up to a few thousand records are read, so that the
// debug tests stay quick.
std::map<std::pair<const TableFile *, int>, QString> Connection::indexesOutOfStep()
{
    std::map<std::pair<const TableFile *, int>, QString> out;
    for (TableFile *f : files_) {
        if (f->recordCount() > 2000)
            continue;
        for (const auto &slot : f->indexSlots()) {
            try {
                const QStringList faults = verifyIndexes(db_, f->schemaName(), f->path(), {slot->number});
                if (!faults.isEmpty())
                    out[{f, slot->number}] = faults.join(u"; ");
            } catch (const EngineError &) {
                out[{f, slot->number}] = QString(); // unreadable: the next operation on it says so
            }
        }
    }
    return out;
}

void Connection::checkIndexesAgree()
{
    const auto before = std::exchange(outOfStepBefore_, {});
    for (const auto &[index, faults] : indexesOutOfStep()) {
        if (!faults.isNull() && !before.count(index))
            qFatal("index out of step after a commit: %s", qPrintable(faults));
    }
}
#endif

void Connection::rollback()
{
    resetScans();
    const quint64 undone = runningAction();
    if (inTransaction_ && !sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    inTransaction_ = false;
    forget(this);
    const auto files = files_;
    for (TableFile *f : files) {
        try {
            f->rolledBack(undone);
        } catch (const EngineError &) {
            // The undo could not be written back (the disk is still full): the journal stays in
            // force, and SQLite plays it back at the next read or the next start-up.
        }
    }
    if (undone != 0)
        setActionCache(false);
}

QString Connection::failAction(const QString &error, const QString &namedFile)
{
    const bool hadWrites = inTransaction_;
    rollback();
    actionFailed = true;
    // The message names the file whose write failed, which may not be the one the statement
    // was about: a cascade fails on whichever file the disk refuses first.
    QString text = error;
    const QString failed = vfs::lastFailedFile();
    if (!failed.isEmpty()) {
        const QString table = tableOfFile(failed);
        const QString generic = QFileInfo(namedFile).fileName();
        if (!text.contains(table))
            text.replace(generic, table);
        if (!text.contains(table))
            text += QStringLiteral(" (arquivo %1)").arg(table);
    }
    if (hadWrites)
        text += QString::fromUtf8(kNothingStored);
    return text;
}

// ---- the action in progress ------------------------------------------------------------------

void commitAll()
{
    actionFailed = false;
    const auto connections = pending();
    std::optional<EngineError> failure;
    for (Connection *c : connections) {
        try {
            c->commit();
        } catch (const EngineError &e) {
            if (!failure)
                failure = e;
        }
    }
    actionFailed = false;
    if (failure)
        throw *failure;
}

void rollbackAll()
{
    const auto connections = pending();
    for (Connection *c : connections)
        c->rollback();
    actionFailed = false;
}

bool hasPendingWrites()
{
    return !pending().empty();
}

bool wasInterrupted(const QString &tablePath)
{
    // A journal in force begins with SQLite's journal magic; a finished one is empty or zeroed.
    static const unsigned char magic[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};
    QFile journal(tablePath + QStringLiteral("-journal"));
    if (!journal.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = journal.read(8);
    return head.size() == 8 && std::equal(head.begin(), head.end(), reinterpret_cast<const char *>(magic));
}

} // namespace tables
