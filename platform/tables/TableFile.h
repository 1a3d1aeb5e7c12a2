// One open table file and its secondary indexes: the field definitions, the index slots and the
// statements every cursor on the file shares. Internal to the engine.
//
// Layout of a table file "cd.db" (an SQLite database of the folder's connection):
//   fields(pos, name, type, size)            the definition, written once at creation
//   records(rid INTEGER PRIMARY KEY, c0, ...) the records in order of insertion
//   indexes(number, name, fields, case_insensitive, collator, stamp)   one row per index
//   idx<n>(k1, k2, k3, rid) WITHOUT ROWID     the sort keys of index n
// Beside it, each index n has its descriptor pair cd.XGn / cd.YGn (IndexDescriptor.h). Because an
// index lives in its table's file, every write of a record and of its keys commits as one, and
// only the descriptors tell whether the folder still expects that build of the index. An index
// whose pair is missing or names another build is not used, and its rows are dropped at open.
//
// Invariant: outside a transaction every usable index holds exactly one row per record, with
// the keys of the record's stored text.
#pragma once

#include "Schema.h"
#include "Statement.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace tables {

class Connection;
class Table;
enum class OpenMode;

struct IndexSlot {
    QString name;
    QVector<int> fields;   // field positions in key order (1 to 3)
    bool caseInsensitive = true;
    int number = 0;        // n of the table idx<n> and of the files XGn / YGn
    QByteArray table;      // "schema.idx<n>"
    Statement insertKey, deleteKey, lastRow, priorRow;
    Statement findKey[3];  // by 1, 2 or 3 key parts
};

class TableFile {
public:
    static std::shared_ptr<TableFile> acquire(const QString &path, OpenMode mode);
    ~TableFile();

    const QString &path() const { return path_; }
    const QString &displayName() const { return displayName_; }
    sqlite3 *db() const { return db_; }
    const QByteArray &schemaName() const { return alias_; }
    const Schema &schema() const { return schema_; }
    int fieldIndex(const QString &name) const;
    int recordCount() const { return recordCount_; }
    quint64 runningAction() const; // the action being written on this file's connection, 0 for none
    quint64 version() const { return version_; }

    std::vector<std::unique_ptr<IndexSlot>> &indexSlots() { return slots_; }
    int slotByName(const QString &name) const;

    // The sort key of one field value (stored form) for an index.
    QByteArray keyFor(const IndexSlot &slot, int part, const QStringList &values) const;
    QByteArray keyFor(const IndexSlot &slot, int part, const QString &storedValue) const;

    // Record access. Index keys are kept from the stored record, whatever a cursor believes.
    bool readRecord(qint64 rid, QStringList &values);
    qint64 insertRecord(const QStringList &values);
    bool updateRecord(qint64 rid, const QStringList &values); // false: the record is gone
    void deleteRecord(qint64 rid);

    // The forward statement of a cursor: rows (rid, k1, k2, k3, fields...) after the bound
    // position (?1..?4) in the order of a slot (-1: the default order).
    QByteArray scanSql(int slot) const;
    // The row before a position, or the last row, in the default order: (rid).
    Statement &priorDefault() { return priorDefault_; }
    Statement &lastDefault() { return lastDefault_; }

    // Index maintenance: builds (or rebuilds) an index and commits.
    int addIndex(const QString &name, const QVector<int> &fields, bool caseInsensitive);

    // Cursors sharing the file.
    void attachCursor(Table *t);
    void detachCursor(Table *t);
    void dataChangedBy(Table *writer);

    // Called by the connection: every cursor lets go of its running statement; the action was
    // undone, so counters and cursors are read again.
    void resetScans();
    void rolledBack(quint64 action); // action: the one undone, 0 when none was running

private:
    TableFile(QString path, OpenMode mode);
    void open(OpenMode mode);
    void close();
    void loadSchema();
    void checkNotTruncated();
    void loadIndexes();
    void dropIndexRows(const QVector<int> &numbers);
    void prepareSlot(IndexSlot &slot);
    void fillIndex(IndexSlot &slot);
    QString indexFilePath(char kind, int number) const;
    QByteArray sql(QByteArray text) const; // "{s}" becomes this file's schema name
    // Runs one write of the action; when it fails the whole action is undone and refused.
    void write(const std::function<void()> &work);
    void reloadCounters();
    class RecordKeys;
    void writeKeys(Statement &stmt, const IndexSlot &slot, RecordKeys &keys, qint64 rid);

    QString path_;
    QString displayName_;
    std::shared_ptr<Connection> connection_;
    sqlite3 *db_ = nullptr;
    QByteArray alias_; // the file's schema on the connection
    Schema schema_;
    QHash<QString, int> fieldByLowerName_;
    std::vector<std::unique_ptr<IndexSlot>> slots_;
    QByteArray columns_; // "c0, c1, ..."
    Statement selectByRid_, insert_, update_, delete_, priorDefault_, lastDefault_;
    int recordCount_ = 0;
    qint64 nextRid_ = 1;
    quint64 version_ = 0;
    std::vector<Table *> cursors_;
};

} // namespace tables
