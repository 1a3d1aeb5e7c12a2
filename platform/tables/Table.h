// A table object: one cursor over one table file. It owns a current record, a selected index,
// a state and a record buffer, and tells its listeners (the data sources) when any of them
// changes. Several cursors may share one open file (a shared cursor on a table the program
// holds exclusively); each keeps its own index, position and state.
//
// States and their transitions:
//   Inactive --open--> Browse
//   Browse --edit--> Edit            (on an empty table edit starts a new record: Insert)
//   Browse --append--> Insert
//   Browse --enterKeyState--> Key
//   Edit/Insert --post--> Browse     (the buffer is stored)
//   Edit/Insert --cancel--> Browse   (the buffer is dropped)
//   Key --post/cancel--> Browse      (only leaves key state)
//   any --close--> Inactive          (a pending edit or insert is settled first)
// Moves, findKey, selectIndex and enterKeyState settle first: a pending edit or insert is
// posted when a field changed and cancelled otherwise.
//
// Positions: bof() is set by first() and by prior() before the first record; eof() by next()
// past the last record; both are true on an empty table.
#pragma once

#include "EngineError.h"
#include "Schema.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace tables {

class TableFile;
struct IndexSlot;

enum class TableState { Inactive, Browse, Edit, Insert, Key };
enum class OpenMode { Exclusive, Shared };

class Table : public QObject {
    Q_OBJECT
public:
    explicit Table(QString fileName = QString(), QObject *parent = nullptr);
    ~Table() override;

    void setFileName(const QString &fileName);
    const QString &fileName() const { return fileName_; }

    void open(OpenMode mode = OpenMode::Exclusive);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    TableState state() const { return state_; }

    const Schema &fields() const;
    int fieldIndex(const QString &name) const; // any letter case; -1 when unknown

    void selectIndex(const QString &indexName); // empty name: the table's default order
    QString selectedIndex() const;
    QStringList indexNames() const;
    void addIndex(const QString &name, const QString &fieldList, bool caseInsensitive = true);

    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty() const;
    int recordCount() const;
    bool findKey(const QStringList &values);

    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    void enterKeyState();
    void settle();

    // The window whose edit or insert is pending sets this so that a settle from anywhere
    // (another window's move, a close) stores or drops it the window's own way. settle() calls
    // it once, cleared first, and settles plainly only if it left the edit pending. Leaving
    // edit or insert state clears it.
    void setSettleDelegate(std::function<void()> delegate) { settleDelegate_ = std::move(delegate); }

    QString fieldText(const QString &name) const;
    void setFieldText(const QString &name, const QString &text);
    QString displayText(const QString &name) const;
    QString fieldText(int field) const;
    void setFieldText(int field, const QString &text);
    QString displayText(int field) const;
    bool modified() const { return modified_; }

    // The record id of the current record (0 when there is none); stable while the record lives.
    qint64 recordId() const { return rid_; }

signals:
    void stateChanged();
    void recordChanged();   // moved to another record, or the buffer's contents changed
    void dataChanged();     // records were stored or removed (by this cursor or a shared one)

private:
    friend class TableFile;

    // Debug builds check, after every move and state change, what the states above promise: an
    // open cursor has a buffer of every field; without a current record it is at both ends;
    // the current record's keys are those of its buffer in the selected order.
#ifdef NDEBUG
    void checkInvariants() const {}
#else
    void checkInvariants() const;
#endif
    void requireOpen() const;
    int requireField(const QString &name) const;
    void setState(TableState s);
    void loadRecord(qint64 rid);
    void clearPosition();
    void moveTo(qint64 rid); // rid 0: no record
    bool stepForward();
    bool stepBackward();
    bool goFirst();
    bool goLast();
    void repositionAfterLoss();
    void otherCursorChangedData(); // called by the shared file
    void dropEditOfAction(quint64 action); // called by the shared file when action is undone
    void resetScan();
    QByteArray keyOf(int part) const;

    QString fileName_;
    std::shared_ptr<TableFile> file_;
    TableState state_ = TableState::Inactive;
    quint64 editAction_ = 0; // the action running when the pending edit began, 0 for none
    int index_ = -1; // slot of the selected index; -1 for the default order
    qint64 rid_ = 0;
    QByteArray keys_[3]; // sort keys of the current record under the selected index
    bool bof_ = true;
    bool eof_ = true;
    QStringList values_;   // current record, or the pending edit or insert
    QStringList original_; // the record as stored, while editing
    bool modified_ = false;
    qint64 ridBeforeInsert_ = 0;
    struct Scan;
    std::unique_ptr<Scan> scan_; // a forward statement kept running while the data is unchanged
    std::function<void()> settleDelegate_;
};

} // namespace tables
