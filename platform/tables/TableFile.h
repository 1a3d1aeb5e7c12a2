// One open table file and its secondary indexes: the SQLite connection, the field definitions,
// the index slots and the statements every cursor on the file shares. Internal to the engine.
//
// Layout on disk, for a table "cd.db":
//   cd.db      fields(pos, name, type, size), records(rid INTEGER PRIMARY KEY, c0, c1, ...),
//              meta(key, value) with the write generation
//   cd.XGn     idx(k1, k2, k3, rid) WITHOUT ROWID: the sort keys of one index; meta generation
//   cd.YGn     def(name, fields, case_insensitive, collator): that index's definition
// Every commit raises the table's write generation; each index written by the commit is stamped
// with it in the same transaction, and the table records that stamp ("index n" in its meta).
// An index whose stamp differs from the one its table records is out of step; at open it is detached and
// its files removed, and the index is then missing until it is added again.
//
// Invariant: outside a transaction every usable index holds exactly one row per record.
#pragma once

#include "Schema.h"
#include "Statement.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace tables {

class Table;
enum class OpenMode;

struct IndexSlot {
    QString name;
    QVector<int> fields;   // field positions in key order (1 to 3)
    bool caseInsensitive = true;
    int number = 0;        // n of the files XGn / YGn
    QByteArray alias;      // attached schema of the XG file
    QByteArray defAlias;   // attached schema of the YG file
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
    const Schema &schema() const { return schema_; }
    int fieldIndex(const QString &name) const;
    int recordCount() const { return recordCount_; }
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

    // Transactions (see Transactions.h).
    void beginWrite();
    bool inTransaction() const { return inTransaction_; }
    void commit();
    void rollback();

private:
    TableFile(QString path, OpenMode mode);
    void openConnection(OpenMode mode);
    void closeConnection();
    void loadSchema();
    void checkNotTruncated();
    void loadIndexes();
    bool attachIndex(int number, const QString &xg, const QString &yg);
    void detach(const QByteArray &alias);
    void prepareSlot(IndexSlot &slot);
    void fillIndex(IndexSlot &slot);
    void dropSlot(std::unique_ptr<IndexSlot> slot);
    void createIndexFiles(const QString &xg, const QString &yg) const;
    QString indexFilePath(char kind, int number) const;
    void runInSavepoint(const std::function<void()> &work);
    void reloadCounters();
    void writeKeys(Statement &stmt, const IndexSlot &slot, const QStringList &values, qint64 rid);

    QString path_;
    QString displayName_;
    sqlite3 *db_ = nullptr;
    Schema schema_;
    QHash<QString, int> fieldByLowerName_;
    std::vector<std::unique_ptr<IndexSlot>> slots_;
    QByteArray columns_; // "c0, c1, ..."
    Statement selectByRid_, insert_, update_, delete_, priorDefault_, lastDefault_, savepoint_, release_;
    int recordCount_ = 0;
    qint64 nextRid_ = 1;
    qint64 generation_ = 0;
    QHash<int, qint64> indexGenerations_; // the stamp the table records for each index file
    QSet<int> dirtySlots_;                // index files written by the open transaction
    quint64 version_ = 0;
    bool inTransaction_ = false;
    std::vector<Table *> cursors_;
};

} // namespace tables
