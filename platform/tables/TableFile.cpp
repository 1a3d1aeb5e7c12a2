#include "TableFile.h"
#include "Connection.h"
#include "IndexDescriptor.h"
#include "SortKey.h"
#include "Table.h"
#include "Transactions.h"
#include "Vfs.h"

#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>
#include <algorithm>
#include <map>
#include <sys/stat.h>

namespace tables {

namespace {

// Descriptor pairs XG0/YG0 to XG9/YG9: at most ten indexes per table.
constexpr int kMaxIndexes = 10;

// Open files of this process by absolute path: a second cursor on an open file shares it.
std::map<QString, std::weak_ptr<TableFile>> &registry()
{
    static std::map<QString, std::weak_ptr<TableFile>> r;
    return r;
}

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

bool isLockError(int rc)
{
    return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
}

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
    if (!fileExists(path_))
        throw EngineError(QStringLiteral("A tabela %1 não foi encontrada").arg(displayName_));
    connection_ = Connection::forTableFile(path_);
    alias_ = connection_->attach(path_, mode);
    db_ = connection_->db();
    connection_->addFile(this);
    try {
        open(mode);
    } catch (...) {
        close();
        throw;
    }
}

TableFile::~TableFile()
{
    try {
        connection_->commit();
    } catch (const EngineError &) {
        // The table is going away; the failed action has been undone by the commit.
    }
    close();
    auto &reg = registry();
    if (auto it = reg.find(path_); it != reg.end() && it->second.expired())
        reg.erase(it);
}

// Statements first: SQLite detaches a file only once they are finalized.
void TableFile::close()
{
    slots_.clear();
    for (Statement *st : {&selectByRid_, &insert_, &update_, &delete_, &priorDefault_, &lastDefault_})
        *st = Statement();
    connection_->removeFile(this);
    connection_->detach(alias_);
}

QByteArray TableFile::sql(QByteArray text) const
{
    return text.replace("{s}", alias_);
}

void TableFile::open(OpenMode mode)
{
    // The reading cache; an action raises it while it writes (Connection::setActionCache).
    execSql(db_, path_, sql("PRAGMA {s}.cache_size=-" + QByteArray::number(kReadingCacheKiB)).constData());
    loadSchema();
    checkNotTruncated();
    execSql(db_, path_, sql("PRAGMA {s}.journal_mode=DELETE").constData());
    // Take the write lock now and keep it: a second program is refused at once.
    if (mode == OpenMode::Exclusive)
        connection_->lockExclusively(alias_);
    loadIndexes();
}

void TableFile::loadSchema()
{
    {
        int rc = SQLITE_OK;
        Statement probe = Statement::tryPrepare(
            db_, path_, sql("SELECT pos, name, type, size FROM {s}.fields ORDER BY pos"), rc);
        if (!probe.isValid()) {
            if (isLockError(rc) || rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT)
                throwSqlite(db_, rc, path_);
            throw EngineError(QStringLiteral("O arquivo %1 não é uma tabela").arg(displayName_));
        }
        while (probe.step()) {
            FieldDef def;
            def.name = probe.text(1);
            def.type = probe.text(2) == u"date" ? FieldType::Date : FieldType::Text;
            def.size = int(probe.int64(3));
            schema_.push_back(def);
        }
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
    const QByteArray records = alias_ + ".records";
    try {
        selectByRid_ = Statement(db_, path_, "SELECT " + columns_ + " FROM " + records + " WHERE rid = ?1");
        insert_ = Statement(
            db_, path_, "INSERT INTO " + records + "(rid, " + columns_ + ") VALUES(?1" + placeholders + ")");
        update_ = Statement(db_, path_, "UPDATE " + records + " SET " + assignments + " WHERE rid = ?1");
        delete_ = Statement(db_, path_, "DELETE FROM " + records + " WHERE rid = ?1");
        priorDefault_ =
            Statement(db_, path_, "SELECT rid FROM " + records + " WHERE rid < ?1 ORDER BY rid DESC LIMIT 1");
        lastDefault_ = Statement(db_, path_, "SELECT rid FROM " + records + " ORDER BY rid DESC LIMIT 1");
    } catch (const EngineError &) {
        throw EngineError(QStringLiteral("O arquivo %1 não é uma tabela").arg(displayName_));
    }
    reloadCounters();
}

void TableFile::reloadCounters()
{
    Statement count(db_, path_, sql("SELECT count(*), coalesce(max(rid), 0) FROM {s}.records"));
    count.step();
    recordCount_ = int(count.int64(0));
    nextRid_ = count.int64(1) + 1;
}

void TableFile::checkNotTruncated()
{
    Statement pages(db_, path_, sql("PRAGMA {s}.page_count"));
    Statement size(db_, path_, sql("PRAGMA {s}.page_size"));
    pages.step();
    size.step();
    if (fileSize(path_) < pages.int64(0) * size.int64(0))
        throw EngineError(
            QStringLiteral("O arquivo %1 está danificado ou não é uma tabela").arg(displayName_));
}

QString TableFile::indexFilePath(char kind, int number) const
{
    const QFileInfo info(path_);
    return info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".%1G%2")
        .arg(QChar::fromLatin1(kind)).arg(number);
}

void TableFile::loadIndexes()
{
    struct Row {
        QString name, fields, collator;
        bool caseInsensitive = true;
        QByteArray stamp;
    };
    std::map<int, Row> rows;
    Statement hasTable(db_, path_, sql("SELECT count(*) FROM {s}.sqlite_schema WHERE name = 'indexes'"));
    hasTable.step();
    if (hasTable.int64(0) > 0) {
        Statement all(db_, path_,
                      sql("SELECT number, name, fields, case_insensitive, collator, stamp FROM {s}.indexes"));
        while (all.step())
            rows[int(all.int64(0))] =
                Row{all.text(1), all.text(2), all.text(4), all.int64(3) != 0, all.blob(5)};
    }
    QVector<int> stale;
    for (const auto &[number, row] : rows)
        if (number < 0 || number >= kMaxIndexes)
            stale.push_back(number);
    for (int n = 0; n < kMaxIndexes; ++n) {
        const QString xg = indexFilePath('X', n), yg = indexFilePath('Y', n);
        const auto it = rows.find(n);
        const auto stamp = readIndexDescriptors(xg, yg, n);
        bool usable = it != rows.end() && stamp && *stamp == it->second.stamp;
        if (usable) {
            const Row &row = it->second;
            auto slot = std::make_unique<IndexSlot>();
            slot->number = n;
            slot->name = row.name;
            slot->caseInsensitive = row.caseInsensitive;
            for (const QString &f : row.fields.split(u';', Qt::SkipEmptyParts)) {
                const int pos = fieldIndex(f.trimmed());
                usable = usable && pos >= 0;
                slot->fields.push_back(pos);
            }
            usable = usable && !slot->fields.isEmpty() && slot->fields.size() <= 3 && slotByName(row.name) < 0
                     && (!row.caseInsensitive || row.collator == collatorVersion());
            if (usable) {
                prepareSlot(*slot);
                slots_.push_back(std::move(slot));
            }
        }
        if (usable)
            continue;
        // Half a pair, a pair of another build, or a build whose order rules changed: a missing
        // index, so the program's start-up check rebuilds it.
        removeIndexDescriptors(xg, yg);
        if (it != rows.end())
            stale.push_back(n);
    }
    dropIndexRows(stale);
}

// Rows of an index nobody will trust again would otherwise be carried along out of step.
void TableFile::dropIndexRows(const QVector<int> &numbers)
{
    if (numbers.isEmpty())
        return;
    try {
        connection_->beginWrite();
        for (int n : numbers) {
            Statement del(db_, path_, sql("DELETE FROM {s}.indexes WHERE number = ?1"));
            del.bind(1, qint64(n));
            del.run();
            execSql(db_, path_, (sql("DROP TABLE IF EXISTS {s}.idx") + QByteArray::number(n)).constData());
        }
        connection_->commit();
    } catch (const EngineError &) {
        // A read-only file keeps its rows; no descriptor names them, so they stay unused.
        connection_->rollback();
    }
}

void TableFile::prepareSlot(IndexSlot &slot)
{
    slot.table = alias_ + ".idx" + QByteArray::number(slot.number);
    const QByteArray &idx = slot.table;
    const QByteArray order = " ORDER BY k1, k2, k3, rid";
    const QByteArray desc = " ORDER BY k1 DESC, k2 DESC, k3 DESC, rid DESC LIMIT 1";
    slot.insertKey = Statement(db_, path_, "INSERT INTO " + idx + "(k1, k2, k3, rid) VALUES(?1, ?2, ?3, ?4)");
    slot.deleteKey =
        Statement(db_, path_, "DELETE FROM " + idx + " WHERE k1 = ?1 AND k2 = ?2 AND k3 = ?3 AND rid = ?4");
    slot.lastRow = Statement(db_, path_, "SELECT rid, k1, k2, k3 FROM " + idx + desc);
    slot.priorRow = Statement(db_, path_, "SELECT rid, k1, k2, k3 FROM " + idx
                                              + " WHERE (k1, k2, k3, rid) < (?1, ?2, ?3, ?4)" + desc);
    QByteArray where = " WHERE k1 = ?1";
    for (int n = 0; n < 3; ++n) {
        if (n > 0)
            where += " AND k" + QByteArray::number(n + 1) + " = ?" + QByteArray::number(n + 1);
        slot.findKey[n] =
            Statement(db_, path_, "SELECT rid, k1, k2, k3 FROM " + idx + where + order + " LIMIT 1");
    }
}

// ---- fields and keys -------------------------------------------------------------------------

int TableFile::fieldIndex(const QString &name) const
{
    // Callers mostly spell the name as the definition does: no folded copy is made for them.
    for (int i = 0; i < schema_.size(); ++i)
        if (schema_[i].name == name)
            return i;
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

// The sort keys of one record, each field's made once however many indexes hold it (an artist's
// name is in three of the song table's four).
class TableFile::RecordKeys {
public:
    RecordKeys(const TableFile &file, const QStringList &values) : file_(file), values_(values)
    {
        made_.resize(values.size());
        std::fill(made_.begin(), made_.end(), false);
        folded_.resize(values.size());
    }
    const QByteArray &key(const IndexSlot &slot, int part)
    {
        static const QByteArray none;
        if (part >= slot.fields.size())
            return none;
        const int f = slot.fields[part];
        if (!slot.caseInsensitive || file_.schema_[f].type == FieldType::Date) {
            exact_[part] = values_[f].toUtf8();
            return exact_[part];
        }
        if (!made_[f]) {
            folded_[f] = textSortKey(values_[f]);
            made_[f] = true;
        }
        return folded_[f];
    }

private:
    const TableFile &file_;
    const QStringList &values_;
    QVarLengthArray<bool, 8> made_;
    QVarLengthArray<QByteArray, 8> folded_;
    QByteArray exact_[3];
};

void TableFile::writeKeys(Statement &stmt, const IndexSlot &slot, RecordKeys &keys, qint64 rid)
{
    stmt.reset();
    // The keys live in `keys` until the statement has run: bound without copies.
    for (int p = 0; p < 3; ++p)
        stmt.bindBlobInPlace(p + 1, keys.key(slot, p));
    stmt.bind(4, rid);
    stmt.run();
}

// A record and its keys are written together or the action is undone: no savepoint is needed,
// since a failed write never leaves the rest of its action to be stored.
void TableFile::write(const std::function<void()> &work)
{
    connection_->beginWrite();
    try {
        work();
    } catch (const EngineError &e) {
        throw EngineError(connection_->failAction(e.message(), path_));
    }
}

qint64 TableFile::insertRecord(const QStringList &values)
{
    const qint64 rid = nextRid_;
    write([&] {
        insert_.reset();
        insert_.bind(1, rid);
        for (int i = 0; i < schema_.size(); ++i)
            insert_.bind(i + 2, values[i]);
        insert_.run();
        RecordKeys keys(*this, values);
        for (auto &slot : slots_)
            writeKeys(slot->insertKey, *slot, keys, rid);
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
    write([&] {
        update_.reset();
        update_.bind(1, rid);
        for (int i = 0; i < schema_.size(); ++i)
            update_.bind(i + 2, values[i]);
        update_.run();
        RecordKeys oldKeys(*this, stored), newKeys(*this, values);
        for (auto &slot : slots_) {
            bool same = true;
            for (int f : slot->fields)
                same = same && stored[f] == values[f];
            if (same)
                continue;
            writeKeys(slot->deleteKey, *slot, oldKeys, rid);
            writeKeys(slot->insertKey, *slot, newKeys, rid);
        }
    });
    return true;
}

void TableFile::deleteRecord(qint64 rid)
{
    QStringList stored;
    if (!readRecord(rid, stored))
        return;
    write([&] {
        delete_.reset();
        delete_.bind(1, rid);
        delete_.run();
        RecordKeys keys(*this, stored);
        for (auto &slot : slots_)
            writeKeys(slot->deleteKey, *slot, keys, rid);
    });
    --recordCount_;
}

QByteArray TableFile::scanSql(int slot) const
{
    const QByteArray records = alias_ + ".records";
    if (slot < 0)
        return "SELECT rid, X'', X'', X'', " + columns_ + " FROM " + records
               + " WHERE rid > ?4 AND ?1 IS NOT NULL"
                 " AND ?2 IS NOT NULL AND ?3 IS NOT NULL ORDER BY rid";
    QByteArray cols;
    for (int i = 0; i < schema_.size(); ++i)
        cols += ", r.c" + QByteArray::number(i);
    return "SELECT i.rid, i.k1, i.k2, i.k3" + cols + " FROM " + slots_[size_t(slot)]->table
           + " AS i CROSS JOIN " + records
           + " AS r ON r.rid = i.rid WHERE (i.k1, i.k2, i.k3, i.rid) > (?1, ?2, ?3, ?4)"
             " ORDER BY i.k1, i.k2, i.k3, i.rid";
}

// ---- indexes ---------------------------------------------------------------------------------

// The sort key of a text, as SQL: the rebuild lets SQLite read, sort and insert in one statement.
static void sortKeyFunction(sqlite3_context *context, int, sqlite3_value **args)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(args[0]));
    const QByteArray key =
        text ? textSortKey(QString::fromUtf8(text, sqlite3_value_bytes(args[0]))) : QByteArray();
    if (key.isEmpty())
        sqlite3_result_zeroblob(context, 0); // X'', never NULL: row-value comparisons skip NULLs
    else
        sqlite3_result_blob(context, key.constData(), int(key.size()), SQLITE_TRANSIENT);
}

void TableFile::fillIndex(IndexSlot &slot)
{
    sqlite3_create_function_v2(db_, "melvora_sort_key", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               sortKeyFunction, nullptr, nullptr, nullptr);
    QByteArray keys;
    for (int p = 0; p < 3; ++p) {
        QByteArray expr = "X''";
        if (p < slot.fields.size()) {
            const QByteArray column = "c" + QByteArray::number(slot.fields[p]);
            const bool text = schema_[slot.fields[p]].type != FieldType::Date && slot.caseInsensitive;
            // Dates and exact indexes key on the stored text's bytes, as keyFor does.
            expr = text ? "melvora_sort_key(" + column + ")" : "CAST(" + column + " AS BLOB)";
        }
        keys += expr + ", ";
    }
    // In key order, so the b-tree is written sequentially.
    Statement fill(db_, path_, "INSERT INTO " + slot.table + "(k1, k2, k3, rid) SELECT " + keys + "rid FROM "
                                   + alias_ + ".records ORDER BY 1, 2, 3, 4");
    fill.run();
}

int TableFile::addIndex(const QString &name, const QVector<int> &fields, bool caseInsensitive)
{
    connection_->commit();
    int pos = slotByName(name);
    int number = 0;
    if (pos >= 0) {
        number = slots_[size_t(pos)]->number;
    } else {
        if (int(slots_.size()) >= kMaxIndexes)
            throw EngineError(QStringLiteral("A tabela %1 não comporta mais índices").arg(displayName_));
        while (std::any_of(slots_.begin(), slots_.end(), [&](auto &s) { return s->number == number; }))
            ++number;
    }
    QStringList names;
    for (int f : fields)
        names << schema_[f].name.toLower();
    const QString fieldList = names.join(u';');
    const QString xg = indexFilePath('X', number), yg = indexFilePath('Y', number);
    const QByteArray table = alias_ + ".idx" + QByteArray::number(number);
    auto fresh = std::make_unique<IndexSlot>();
    fresh->number = number;
    fresh->name = name;
    fresh->fields = fields;
    fresh->caseInsensitive = caseInsensitive;
    const QByteArray stamp = newIndexStamp();
    // The old build's pair goes first: a crash before the new pair is written leaves the index
    // missing, and the start-up check rebuilds it.
    const auto oldStamp = readIndexDescriptors(xg, yg, number);
    removeIndexDescriptors(xg, yg);
    connection_->resetScans();
    try {
        write([&] {
            execSql(db_, path_,
                    sql("CREATE TABLE IF NOT EXISTS {s}.indexes(number INTEGER PRIMARY KEY,"
                        " name TEXT NOT NULL, fields TEXT NOT NULL, case_insensitive INTEGER NOT NULL,"
                        " collator TEXT NOT NULL, stamp BLOB NOT NULL)")
                        .constData());
            execSql(db_, path_, ("DROP TABLE IF EXISTS " + table).constData());
            execSql(db_, path_,
                    ("CREATE TABLE " + table
                     + "(k1 BLOB NOT NULL, k2 BLOB NOT NULL, k3 BLOB NOT NULL,"
                       " rid INTEGER NOT NULL, PRIMARY KEY(k1, k2, k3, rid)) WITHOUT ROWID")
                        .constData());
            Statement def(db_, path_,
                          sql("INSERT OR REPLACE INTO {s}.indexes VALUES(?1, ?2, ?3, ?4, ?5, ?6)"));
            def.bind(1, qint64(number));
            def.bind(2, name);
            def.bind(3, fieldList);
            def.bind(4, qint64(caseInsensitive ? 1 : 0));
            def.bind(5, collatorVersion());
            def.bindBlob(6, stamp);
            def.run();
            prepareSlot(*fresh);
            fillIndex(*fresh);
        });
        connection_->commit();
    } catch (...) {
        // Undone: the table holds the old build again, which its old pair may name once more.
        fresh.reset();
        if (oldStamp && pos >= 0) {
            const IndexSlot &old = *slots_[size_t(pos)];
            QStringList oldNames;
            for (int f : old.fields)
                oldNames << schema_[f].name.toLower();
            try {
                writeIndexDescriptors(xg, yg, displayName_, number, old.name, oldNames.join(u';'), *oldStamp);
            } catch (const EngineError &) {
                // Then the index is missing at the next start-up, and rebuilt.
            }
        }
        throw;
    }
    if (pos >= 0) {
        slots_[size_t(pos)] = std::move(fresh);
    } else {
        slots_.push_back(std::move(fresh));
        pos = int(slots_.size()) - 1;
    }
    ++version_;
    writeIndexDescriptors(xg, yg, displayName_, number, name, fieldList, stamp);
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

void TableFile::resetScans()
{
    for (Table *t : cursors_)
        t->resetScan();
}

quint64 TableFile::runningAction() const
{
    return connection_->runningAction();
}

void TableFile::rolledBack(quint64 action)
{
    // A record the undone action began to edit (a CD's flag in a checkout, a song in a rename)
    // is part of it: left pending, the next settle would store that half of the action alone.
    // Dropped first, before anything reads the file.
    if (action != 0)
        for (Table *t : cursors_)
            t->dropEditOfAction(action);
    reloadCounters();
    dataChangedBy(nullptr);
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
        execSql(db, path,
                "CREATE TABLE fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL, type TEXT NOT NULL,"
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
