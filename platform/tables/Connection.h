// The one SQLite connection of a folder's table files, and the transaction of the action in
// progress. Every table file of a folder is a database of this connection (the first opened is
// "main", the others are attached), so one COMMIT makes all the files an action wrote durable
// together: SQLite's super-journal covers the databases of one connection, and only those.
// Internal to the engine.
//
// Why one connection and not an action journal of our own (measured at 10,000 CDs / 100,000
// songs): each file on a connection of its own stored half an action in 13 % of kills; with the
// indexes inside their table file an edit touches one file, so the common commit is a plain
// one-file commit, and only a cascade over several tables pays for the super-journal.
//
// Transaction states: Idle --first write--> Open --commit--> Idle
//                                          Open --any failed write--> rolled back, Failed
//                                          Failed --end of the action (commitAll)--> Idle
// While Failed, writes are refused: the rest of a failed action never stores on its own.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace tables {

class TableFile;
enum class OpenMode;

// Page cache of each table file, in KiB: what a file keeps while it is read, and while an action
// writes it (a large action must not spill pages midway; pages are taken only as they are used).
constexpr int kReadingCacheKiB = 32 * 1024;
constexpr int kWritingCacheKiB = 256 * 1024;

class Connection {
public:
    // The connection of the folder that holds this (existing) table file.
    static std::shared_ptr<Connection> forTableFile(const QString &absolutePath);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *db() const { return db_; }

    // Makes the file a database of the connection and answers its schema name. The pending
    // action is committed first: SQLite attaches only outside a transaction.
    QByteArray attach(const QString &path, OpenMode mode);
    // The file's statements must be finalized. "main" stays open until the connection closes.
    void detach(const QByteArray &schema);
    // Takes the file's exclusive lock now and keeps it, writing nothing to any file.
    void lockExclusively(const QByteArray &schema);

    void addFile(TableFile *file);
    void removeFile(TableFile *file);
    // Every cursor on every file of the connection lets go of its running statement.
    void resetScans();

    void beginWrite();
    bool inTransaction() const { return inTransaction_; }
    // The action being written, numbered from 1; 0 when none is.
    quint64 runningAction() const { return inTransaction_ ? action_ : 0; }
    void commit();
    // Undoes everything the action wrote in every file; cursors reread their records.
    void rollback();
    // A write failed: the whole action is undone, and the rest of it is refused. Answers the
    // error to throw: the text of the failed call with the file it named (namedFile) replaced
    // by the file that could not be written.
    QString failAction(const QString &error, const QString &namedFile);

private:
    explicit Connection(QString folder);
    void setActionCache(bool writing);
#ifndef NDEBUG
    std::map<std::pair<const TableFile *, int>, QString> indexesOutOfStep();
    void checkIndexesAgree();
    std::map<std::pair<const TableFile *, int>, QString> outOfStepBefore_;
#endif

    QString folder_;
    sqlite3 *db_ = nullptr;
    QString mainPath_;
    bool mainInUse_ = false;
    int nextAlias_ = 1;
    bool inTransaction_ = false;
    quint64 action_ = 0;
    std::vector<TableFile *> files_;
};

} // namespace tables
