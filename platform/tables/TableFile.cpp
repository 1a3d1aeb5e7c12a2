#include "TableFile.h"
#include "SortKey.h"
#include "Table.h"
#include "Transactions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <map>
#include <optional>
#include <sys/stat.h>

namespace tables {

namespace {

// SQLite attaches at most ten files to a connection: five indexes, each a pair.
constexpr int kMaxIndexes = 5;

// Open files of this process by absolute path: a second cursor on an open file shares it.
std::map<QString, std::weak_ptr<TableFile>> &registry()
{
    static std::map<QString, std::weak_ptr<TableFile>> r;
    return r;
}

std::vector<TableFile *> &pendingFiles()
{
    static std::vector<TableFile *> p;
    return p;
}

bool commitScheduled = false;

bool fileExists(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

qint64 fileSize(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_size) : -1;
}

void removeIndexFiles(const QString &path)
{
    for (const QString &p : {path, path + QStringLiteral("-journal")})
        if (fileExists(p))
            QFile::remove(p);
}

bool isLockError(int rc)
{
    return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
}

// A failure that means a file is damaged, as opposed to busy or unreadable for other reasons.
struct BadIndex {};

} // namespace

// ---- opening ---------------------------------------------------------------------------------

std::shared_ptr<TableFile> TableFile::acquire(const QString &path, OpenMode mode)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    auto &reg = registry();
    if (auto it = reg.find(absolute); it != reg.end())
        if (auto existing = it->second.lock())
            return existing;
    std::shared_ptr<TableFile> file(new TableFile(absolute, mode));
    reg[absolute] = file;
    return file;
}

TableFile::TableFile(QString path, OpenMode mode)
    : path_(std::move(path)), displayName_(QFileInfo(path_).fileName())
{
    try {
        openConnection(mode);
    } catch (...) {
        closeConnection();
        throw;
    }
}

TableFile::~TableFile()
{
    try {
        commit();
    } catch (const EngineError &) {
        // The table is going away; the failed action has been rolled back by commit().
    }
    auto &p = pendingFiles();
    p.erase(std::remove(p.begin(), p.end(), this), p.end());
    closeConnection();
    auto &reg = registry();
    if (auto it = reg.find(path_); it != reg.end() && it->second.expired())
        reg.erase(it);
}

// Statements first: SQLite closes a connection only once they are finalized.
void TableFile::closeConnection()
{
    slots_.clear();
    for (Statement *st : {&selectByRid_, &insert_, &update_, &delete_, &priorDefault_, &lastDefault_, &savepoint_, &release_})
        *st = Statement();
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

void TableFile::openConnection(OpenMode mode)
{
    if (!fileExists(path_))
        throw EngineError(QStringLiteral("A tabela %1 não foi encontrada").arg(displayName_));
    // Never SQLITE_OPEN_CREATE: a table is only ever created by createTableFile.
    int rc = sqlite3_open_v2(QFile::encodeName(path_).constData(), &db_,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        throwSqlite(db_, rc, path_);
    sqlite3_extended_result_codes(db_, 0);
    // Applies to every file attached later as well; set before the ATTACHes.
    if (mode == OpenMode::Exclusive)
        execSql(db_, path_, "PRAGMA locking_mode=EXCLUSIVE");
    // A large action (a rename carried into every song) must not spill pages to disk midway,
    // which costs a sync each time; pages are only taken as they are used.
    execSql(db_, path_, "PRAGMA main.cache_size=-32768");
    loadSchema();
    checkNotTruncated();
    execSql(db_, path_, "PRAGMA journal_mode=DELETE");
    loadIndexes();
    if (mode == OpenMode::Exclusive) {
        // Take the write lock on the table and all its index files now and keep it.
        execSql(db_, path_, "BEGIN EXCLUSIVE");
        execSql(db_, path_, "COMMIT");
    }
}

void TableFile::loadSchema()
{
    {
        sqlite3_stmt *probe = nullptr;
        int rc = sqlite3_prepare_v2(db_, "SELECT pos, name, type, size FROM fields ORDER BY pos", -1,
                                    &probe, nullptr);
        if (rc != SQLITE_OK) {
            const int code = sqlite3_errcode(db_);
            sqlite3_finalize(probe);
            if (isLockError(code) || code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
                throwSqlite(db_, code, path_);
            throw EngineError(QStringLiteral("O arquivo %1 não é uma tabela").arg(displayName_));
        }
        Statement fields;
        while ((rc = sqlite3_step(probe)) == SQLITE_ROW) {
            FieldDef def;
            def.name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(probe, 1)));
            const QByteArray type = reinterpret_cast<const char *>(sqlite3_column_text(probe, 2));
            def.type = type == "date" ? FieldType::Date : FieldType::Text;
            def.size = sqlite3_column_int(probe, 3);
            schema_.push_back(def);
        }
        sqlite3_finalize(probe);
        if (rc != SQLITE_DONE)
            throwSqlite(db_, rc, path_);
    }
    if (schema_.isEmpty())
        throw EngineError(QStringLiteral("O arquivo %1 não é uma tabela").arg(displayName_));
    QByteArray placeholders, assignments;
    for (int i = 0; i < schema_.size(); ++i) {
        fieldByLowerName_.insert(schema_[i].name.toLower(), i);
        const QByteArray col = "c" + QByteArray::number(i);
        columns_ += (i ? ", " : "") + col;
        placeholders += ", ?" + QByteArray::number(i + 2);
        assignments += (i ? ", " : "") + col + " = ?" + QByteArray::number(i + 2);
    }
    try {
        selectByRid_ = Statement(db_, path_, "SELECT " + columns_ + " FROM records WHERE rid = ?1");
        insert_ = Statement(db_, path_, "INSERT INTO records(rid, " + columns_ + ") VALUES(?1" + placeholders + ")");
        update_ = Statement(db_, path_, "UPDATE records SET " + assignments + " WHERE rid = ?1");
        delete_ = Statement(db_, path_, "DELETE FROM records WHERE rid = ?1");
        priorDefault_ = Statement(db_, path_, "SELECT rid FROM records WHERE rid < ?1 ORDER BY rid DESC LIMIT 1");
        lastDefault_ = Statement(db_, path_, "SELECT rid FROM records ORDER BY rid DESC LIMIT 1");
    } catch (const EngineError &) {
        throw EngineError(QStringLiteral("O arquivo %1 não é uma tabela").arg(displayName_));
    }
    reloadCounters();
}

void TableFile::reloadCounters()
{
    Statement count(db_, path_, "SELECT count(*), coalesce(max(rid), 0) FROM records");
    count.step();
    recordCount_ = int(count.int64(0));
    nextRid_ = count.int64(1) + 1;
    Statement gen(db_, path_, "SELECT key, value FROM meta");
    generation_ = 0;
    indexGenerations_.clear();
    while (gen.step()) {
        const QString key = gen.text(0);
        if (key == QLatin1String("generation"))
            generation_ = gen.int64(1);
        else if (key.startsWith(QLatin1String("index ")))
            indexGenerations_.insert(key.mid(6).toInt(), gen.int64(1));
    }
}

void TableFile::checkNotTruncated()
{
    Statement pages(db_, path_, "PRAGMA page_count");
    Statement size(db_, path_, "PRAGMA page_size");
    pages.step();
    size.step();
    if (fileSize(path_) < pages.int64(0) * size.int64(0))
        throw EngineError(QStringLiteral("O arquivo %1 está danificado ou não é uma tabela").arg(displayName_));
}

QString TableFile::indexFilePath(char kind, int number) const
{
    const QFileInfo info(path_);
    return info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".%1G%2")
        .arg(QChar::fromLatin1(kind)).arg(number);
}

void TableFile::loadIndexes()
{
    for (int n = 0; n < 10; ++n) {
        const QString xg = indexFilePath('X', n), yg = indexFilePath('Y', n);
        const bool hasX = fileExists(xg), hasY = fileExists(yg);
        if (!hasX && !hasY)
            continue;
        // Half a pair, or a pair that fails its checks, is a missing index: its files go, so
        // the program's start-up check rebuilds it.
        if (!(hasX && hasY) || int(slots_.size()) >= kMaxIndexes || !attachIndex(n, xg, yg)) {
            removeIndexFiles(xg);
            removeIndexFiles(yg);
        }
    }
}

bool TableFile::attachIndex(int number, const QString &xg, const QString &yg)
{
    auto slot = std::make_unique<IndexSlot>();
    slot->number = number;
    slot->alias = "x" + QByteArray::number(number);
    slot->defAlias = "y" + QByteArray::number(number);
    // A file that is not an index shows as such when attached or first read: a missing index.
    auto attach = [&](const QString &file, const QByteArray &alias) {
        sqlite3_stmt *st = nullptr;
        int rc = sqlite3_prepare_v2(db_, ("ATTACH DATABASE ?1 AS " + alias).constData(), -1, &st, nullptr);
        if (rc == SQLITE_OK) {
            const QByteArray name = QFile::encodeName(file);
            sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
            rc = sqlite3_step(st);
            rc = sqlite3_finalize(st);
        }
        if (rc == SQLITE_OK)
            return true;
        if (isLockError(rc))
            throwSqlite(db_, rc, path_);
        return false;
    };
    if (!attach(xg, slot->alias))
        return false;
    if (!attach(yg, slot->defAlias)) {
        detach(slot->alias);
        return false;
    }
    try {
        auto query = [&](const QByteArray &sql, auto &&onRow) {
            sqlite3_stmt *st = nullptr;
            int rc = sqlite3_prepare_v2(db_, sql.constData(), -1, &st, nullptr);
            if (rc != SQLITE_OK) {
                rc = sqlite3_errcode(db_);
                sqlite3_finalize(st);
                if (isLockError(rc))
                    throwSqlite(db_, rc, path_);
                throw BadIndex{};
            }
            while ((rc = sqlite3_step(st)) == SQLITE_ROW)
                onRow(st);
            sqlite3_finalize(st);
            if (rc != SQLITE_DONE) {
                if (isLockError(rc))
                    throwSqlite(db_, rc, path_);
                throw BadIndex{};
            }
        };
        bool haveDef = false;
        QString fields, collator;
        query("SELECT name, fields, case_insensitive, collator FROM " + slot->defAlias + ".def",
              [&](sqlite3_stmt *st) {
                  haveDef = true;
                  slot->name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
                  fields = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1)));
                  slot->caseInsensitive = sqlite3_column_int(st, 2) != 0;
                  collator = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 3)));
              });
        qint64 generation = -1;
        query("SELECT value FROM " + slot->alias + ".meta WHERE key = 'generation'",
              [&](sqlite3_stmt *st) { generation = sqlite3_column_int64(st, 0); });
        query("SELECT count(*) FROM (SELECT 1 FROM " + slot->alias + ".idx LIMIT 1)", [](sqlite3_stmt *) {});
        if (!haveDef || generation != indexGenerations_.value(number, -2) || (slot->caseInsensitive && collator != collatorVersion())
            || slotByName(slot->name) >= 0)
            throw BadIndex{};
        for (const QString &f : fields.split(u';')) {
            const int pos = fieldIndex(f.trimmed());
            if (pos < 0)
                throw BadIndex{};
            slot->fields.push_back(pos);
        }
        if (slot->fields.isEmpty() || slot->fields.size() > 3)
            throw BadIndex{};
        prepareSlot(*slot);
    } catch (const BadIndex &) {
        detach(slot->defAlias);
        detach(slot->alias);
        return false;
    } catch (...) {
        detach(slot->defAlias);
        detach(slot->alias);
        throw;
    }
    slots_.push_back(std::move(slot));
    return true;
}

void TableFile::detach(const QByteArray &alias)
{
    sqlite3_exec(db_, ("DETACH DATABASE " + alias).constData(), nullptr, nullptr, nullptr);
}

void TableFile::prepareSlot(IndexSlot &slot)
{
    execSql(db_, path_, ("PRAGMA " + slot.alias + ".cache_size=-16384").constData());
    const QByteArray idx = slot.alias + ".idx";
    const QByteArray order = " ORDER BY k1, k2, k3, rid";
    const QByteArray desc = " ORDER BY k1 DESC, k2 DESC, k3 DESC, rid DESC LIMIT 1";
    slot.insertKey = Statement(db_, path_, "INSERT INTO " + idx + "(k1, k2, k3, rid) VALUES(?1, ?2, ?3, ?4)");
    slot.deleteKey = Statement(db_, path_, "DELETE FROM " + idx + " WHERE k1 = ?1 AND k2 = ?2 AND k3 = ?3 AND rid = ?4");
    slot.lastRow = Statement(db_, path_, "SELECT rid, k1, k2, k3 FROM " + idx + desc);
    slot.priorRow = Statement(db_, path_, "SELECT rid, k1, k2, k3 FROM " + idx
                                              + " WHERE (k1, k2, k3, rid) < (?1, ?2, ?3, ?4)" + desc);
    QByteArray where = " WHERE k1 = ?1";
    for (int n = 0; n < 3; ++n) {
        if (n > 0)
            where += " AND k" + QByteArray::number(n + 1) + " = ?" + QByteArray::number(n + 1);
        slot.findKey[n] = Statement(db_, path_, "SELECT rid, k1, k2, k3 FROM " + idx + where + order + " LIMIT 1");
    }
}

// ---- fields and keys -------------------------------------------------------------------------

int TableFile::fieldIndex(const QString &name) const
{
    return fieldByLowerName_.value(name.toLower(), -1);
}

int TableFile::slotByName(const QString &name) const
{
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i]->name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QByteArray TableFile::keyFor(const IndexSlot &slot, int part, const QString &storedValue) const
{
    if (part >= slot.fields.size())
        return QByteArray();
    // Dates are stored as ISO text, whose bytes sort by calendar.
    if (schema_[slot.fields[part]].type == FieldType::Date || !slot.caseInsensitive)
        return storedValue.toUtf8();
    return textSortKey(storedValue);
}

QByteArray TableFile::keyFor(const IndexSlot &slot, int part, const QStringList &values) const
{
    return part < slot.fields.size() ? keyFor(slot, part, values[slot.fields[part]]) : QByteArray();
}

// ---- records ---------------------------------------------------------------------------------

bool TableFile::readRecord(qint64 rid, QStringList &values)
{
    selectByRid_.reset();
    selectByRid_.bind(1, rid);
    const bool found = selectByRid_.step();
    values.clear();
    if (found)
        for (int i = 0; i < schema_.size(); ++i)
            values.push_back(selectByRid_.text(i));
    selectByRid_.reset();
    return found;
}

void TableFile::writeKeys(Statement &stmt, const IndexSlot &slot, const QStringList &values, qint64 rid)
{
    dirtySlots_.insert(slot.number);
    stmt.reset();
    for (int p = 0; p < 3; ++p)
        stmt.bindBlob(p + 1, keyFor(slot, p, values));
    stmt.bind(4, rid);
    stmt.run();
}

void TableFile::runInSavepoint(const std::function<void()> &work)
{
    beginWrite();
    if (!savepoint_.isValid()) {
        savepoint_ = Statement(db_, path_, "SAVEPOINT record_write");
        release_ = Statement(db_, path_, "RELEASE record_write");
    }
    savepoint_.run();
    try {
        work();
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK TO record_write", nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "RELEASE record_write", nullptr, nullptr, nullptr);
        throw;
    }
    release_.run();
}

qint64 TableFile::insertRecord(const QStringList &values)
{
    const qint64 rid = nextRid_;
    runInSavepoint([&] {
        insert_.reset();
        insert_.bind(1, rid);
        for (int i = 0; i < schema_.size(); ++i)
            insert_.bind(i + 2, values[i]);
        insert_.run();
        for (auto &slot : slots_)
            writeKeys(slot->insertKey, *slot, values, rid);
    });
    ++nextRid_;
    ++recordCount_;
    return rid;
}

bool TableFile::updateRecord(qint64 rid, const QStringList &values)
{
    QStringList stored;
    if (!readRecord(rid, stored))
        return false;
    runInSavepoint([&] {
        update_.reset();
        update_.bind(1, rid);
        for (int i = 0; i < schema_.size(); ++i)
            update_.bind(i + 2, values[i]);
        update_.run();
        for (auto &slot : slots_) {
            bool same = true;
            for (int f : slot->fields)
                same = same && stored[f] == values[f];
            if (same)
                continue;
            writeKeys(slot->deleteKey, *slot, stored, rid);
            writeKeys(slot->insertKey, *slot, values, rid);
        }
    });
    return true;
}

void TableFile::deleteRecord(qint64 rid)
{
    QStringList stored;
    if (!readRecord(rid, stored))
        return;
    runInSavepoint([&] {
        delete_.reset();
        delete_.bind(1, rid);
        delete_.run();
        for (auto &slot : slots_)
            writeKeys(slot->deleteKey, *slot, stored, rid);
    });
    --recordCount_;
}

QByteArray TableFile::scanSql(int slot) const
{
    if (slot < 0)
        return "SELECT rid, X'', X'', X'', " + columns_ + " FROM records WHERE rid > ?4 AND ?1 IS NOT NULL"
               " AND ?2 IS NOT NULL AND ?3 IS NOT NULL ORDER BY rid";
    QByteArray cols;
    for (int i = 0; i < schema_.size(); ++i)
        cols += ", r.c" + QByteArray::number(i);
    const QByteArray idx = slots_[size_t(slot)]->alias + ".idx";
    return "SELECT i.rid, i.k1, i.k2, i.k3" + cols + " FROM " + idx + " AS i CROSS JOIN main.records AS r"
           " ON r.rid = i.rid WHERE (i.k1, i.k2, i.k3, i.rid) > (?1, ?2, ?3, ?4)"
           " ORDER BY i.k1, i.k2, i.k3, i.rid";
}

// ---- indexes ---------------------------------------------------------------------------------

void TableFile::fillIndex(IndexSlot &slot)
{
    struct Entry {
        QByteArray k[3];
        qint64 rid;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(recordCount_));
    QByteArray cols;
    for (int f : slot.fields)
        cols += ", c" + QByteArray::number(f);
    Statement all(db_, path_, "SELECT rid" + cols + " FROM records");
    while (all.step()) {
        Entry e;
        e.rid = all.int64(0);
        for (int p = 0; p < slot.fields.size(); ++p)
            e.k[p] = keyFor(slot, p, all.text(p + 1));
        entries.push_back(std::move(e));
    }
    // Inserting in key order keeps the b-tree writes sequential.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        for (int p = 0; p < 3; ++p)
            if (int c = a.k[p].compare(b.k[p]); c != 0)
                return c < 0;
        return a.rid < b.rid;
    });
    execSql(db_, path_, ("DELETE FROM " + slot.alias + ".idx").constData());
    for (const Entry &e : entries) {
        slot.insertKey.reset();
        for (int p = 0; p < 3; ++p)
            slot.insertKey.bindBlob(p + 1, e.k[p]);
        slot.insertKey.bind(4, e.rid);
        slot.insertKey.run();
    }
}

void TableFile::dropSlot(std::unique_ptr<IndexSlot> slot)
{
    const int number = slot->number;
    const QByteArray alias = slot->alias, defAlias = slot->defAlias;
    slot.reset(); // finalizes its statements, which DETACH needs
    detach(defAlias);
    detach(alias);
    removeIndexFiles(indexFilePath('X', number));
    removeIndexFiles(indexFilePath('Y', number));
}

void TableFile::createIndexFiles(const QString &xg, const QString &yg) const
{
    for (const QString &file : {xg, yg}) {
        sqlite3 *db = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        try {
            if (rc != SQLITE_OK)
                throwSqlite(db, rc, file);
            if (file == xg) {
                execSql(db, file, "BEGIN");
                execSql(db, file, "CREATE TABLE idx(k1 BLOB NOT NULL, k2 BLOB NOT NULL, k3 BLOB NOT NULL,"
                                  " rid INTEGER NOT NULL, PRIMARY KEY(k1, k2, k3, rid)) WITHOUT ROWID");
                execSql(db, file, "CREATE TABLE meta(key TEXT PRIMARY KEY, value)");
                execSql(db, file, "INSERT INTO meta VALUES('generation', -1)");
                execSql(db, file, "COMMIT");
            } else {
                execSql(db, file, "BEGIN");
                execSql(db, file, "CREATE TABLE def(name TEXT, fields TEXT, case_insensitive INTEGER, collator TEXT)");
                execSql(db, file, "INSERT INTO def VALUES('', '', 1, '')");
                execSql(db, file, "COMMIT");
            }
        } catch (...) {
            sqlite3_close_v2(db);
            throw;
        }
        sqlite3_close_v2(db);
    }
}

int TableFile::addIndex(const QString &name, const QVector<int> &fields, bool caseInsensitive)
{
    commit();
    bool created = false;
    int pos = slotByName(name);
    if (pos < 0) {
        if (int(slots_.size()) >= kMaxIndexes)
            throw EngineError(QStringLiteral("A tabela %1 não comporta mais índices").arg(displayName_));
        int number = 0;
        while (std::any_of(slots_.begin(), slots_.end(), [&](auto &s) { return s->number == number; }))
            ++number;
        const QString xg = indexFilePath('X', number), yg = indexFilePath('Y', number);
        removeIndexFiles(xg);
        removeIndexFiles(yg);
        for (Table *t : cursors_)
            t->resetScan(); // ATTACH needs the connection free of open reads
        auto slot = std::make_unique<IndexSlot>();
        slot->number = number;
        slot->alias = "x" + QByteArray::number(number);
        slot->defAlias = "y" + QByteArray::number(number);
        try {
            // The table's connection never creates files: the pair is made apart, then attached.
            createIndexFiles(xg, yg);
            for (const auto &[file, alias] : {std::pair{xg, slot->alias}, std::pair{yg, slot->defAlias}}) {
                Statement st(db_, path_, "ATTACH DATABASE ?1 AS " + alias);
                st.bind(1, file);
                st.run();
            }
            prepareSlot(*slot);
        } catch (...) {
            dropSlot(std::move(slot));
            throw;
        }
        slots_.push_back(std::move(slot));
        pos = int(slots_.size()) - 1;
        created = true;
    }
    IndexSlot &slot = *slots_[size_t(pos)];
    const QString nameBefore = slot.name;
    const QVector<int> fieldsBefore = slot.fields;
    const bool caseBefore = slot.caseInsensitive;
    slot.name = name;
    slot.fields = fields;
    slot.caseInsensitive = caseInsensitive;
    QStringList names;
    for (int f : fields)
        names << schema_[f].name.toLower();
    try {
        beginWrite();
        Statement def(db_, path_, "UPDATE " + slot.defAlias + ".def SET name = ?1, fields = ?2,"
                                  " case_insensitive = ?3, collator = ?4");
        def.bind(1, name);
        def.bind(2, names.join(u';'));
        def.bind(3, qint64(caseInsensitive ? 1 : 0));
        def.bind(4, collatorVersion());
        def.run();
        dirtySlots_.insert(slot.number);
        fillIndex(slot);
        commit();
    } catch (...) {
        rollback();
        if (created) {
            auto lost = std::move(slots_.back());
            slots_.pop_back();
            dropSlot(std::move(lost));
        } else {
            slot.name = nameBefore;
            slot.fields = fieldsBefore;
            slot.caseInsensitive = caseBefore;
        }
        throw;
    }
    ++version_;
    return pos;
}

// ---- cursors ---------------------------------------------------------------------------------

void TableFile::attachCursor(Table *t)
{
    cursors_.push_back(t);
}

void TableFile::detachCursor(Table *t)
{
    cursors_.erase(std::remove(cursors_.begin(), cursors_.end(), t), cursors_.end());
}

void TableFile::dataChangedBy(Table *writer)
{
    ++version_;
    const auto others = cursors_;
    for (Table *t : others)
        if (t != writer)
            t->otherCursorChangedData();
}

// ---- transactions ----------------------------------------------------------------------------

void TableFile::beginWrite()
{
    if (inTransaction_)
        return;
    execSql(db_, path_, "BEGIN");
    inTransaction_ = true;
    pendingFiles().push_back(this);
    if (!commitScheduled && QCoreApplication::instance()) {
        commitScheduled = true;
        QTimer::singleShot(0, QCoreApplication::instance(), [] {
            commitScheduled = false;
            commitAll();
        });
    }
}

void TableFile::commit()
{
    if (!inTransaction_)
        return;
    try {
        // Only the files this transaction wrote take part in the commit: the table, and the
        // indexes whose keys changed, each stamped with the generation the table records for it.
        const qint64 next = generation_ + 1;
        Statement stamp(db_, path_, "UPDATE main.meta SET value = ?1 WHERE key = 'generation'");
        stamp.bind(1, next);
        stamp.run();
        Statement record(db_, path_, "INSERT OR REPLACE INTO main.meta(key, value) VALUES(?1, ?2)");
        for (auto &slot : slots_) {
            if (!dirtySlots_.contains(slot->number))
                continue;
            Statement st(db_, path_, "UPDATE " + slot->alias + ".meta SET value = ?1 WHERE key = 'generation'");
            st.bind(1, next);
            st.run();
            record.reset();
            record.bind(1, QStringLiteral("index %1").arg(slot->number));
            record.bind(2, next);
            record.run();
        }
        execSql(db_, path_, "COMMIT");
        for (int n : std::as_const(dirtySlots_))
            indexGenerations_.insert(n, next);
        dirtySlots_.clear();
        generation_ = next;
    } catch (...) {
        rollback();
        throw;
    }
    inTransaction_ = false;
    auto &p = pendingFiles();
    p.erase(std::remove(p.begin(), p.end(), this), p.end());
}

void TableFile::rollback()
{
    if (!inTransaction_)
        return;
    for (Table *t : cursors_)
        t->resetScan();
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    inTransaction_ = false;
    dirtySlots_.clear();
    auto &p = pendingFiles();
    p.erase(std::remove(p.begin(), p.end(), this), p.end());
    reloadCounters();
    dataChangedBy(nullptr);
}

void commitAll()
{
    const auto files = pendingFiles();
    std::optional<EngineError> failure;
    for (TableFile *f : files) {
        try {
            f->commit();
        } catch (const EngineError &e) {
            if (!failure)
                failure = e;
        }
    }
    if (failure)
        throw *failure;
}

bool hasPendingWrites()
{
    return !pendingFiles().empty();
}

// ---- creation --------------------------------------------------------------------------------

void createTableFile(const QString &path, const Schema &fields)
{
    const QString name = QFileInfo(path).fileName();
    if (fileExists(path))
        throw EngineError(QStringLiteral("A tabela %1 já existe e não será sobrescrita").arg(name));
    if (fields.isEmpty())
        throw EngineError(QStringLiteral("A tabela %1 precisa de ao menos um campo").arg(name));
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    try {
        if (rc != SQLITE_OK)
            throwSqlite(db, rc, path);
        execSql(db, path, "BEGIN");
        execSql(db, path, "CREATE TABLE fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL, type TEXT NOT NULL,"
                          " size INTEGER NOT NULL)");
        execSql(db, path, "CREATE TABLE meta(key TEXT PRIMARY KEY, value)");
        execSql(db, path, "INSERT INTO meta VALUES('generation', 0)");
        QByteArray cols;
        Statement add(db, path, "INSERT INTO fields VALUES(?1, ?2, ?3, ?4)");
        for (int i = 0; i < fields.size(); ++i) {
            const bool date = fields[i].type == FieldType::Date;
            add.reset();
            add.bind(1, qint64(i));
            add.bind(2, fields[i].name);
            add.bind(3, date ? QStringLiteral("date") : QStringLiteral("text"));
            add.bind(4, qint64(date ? 0 : fields[i].size));
            add.run();
            cols += ", c" + QByteArray::number(i) + " TEXT NOT NULL DEFAULT ''";
        }
        add = Statement();
        execSql(db, path, ("CREATE TABLE records(rid INTEGER PRIMARY KEY" + cols + ")").constData());
        execSql(db, path, "COMMIT");
    } catch (...) {
        sqlite3_close_v2(db);
        QFile::remove(path);
        throw;
    }
    sqlite3_close_v2(db);
}

} // namespace tables
