// What the report engine reads of a data set: the cursor moves and tests of the table engine
// and typed field values. Reports over the program's tables read them through TRpTableDataSet
// (RpTableDataSet.h, outside the engine's core); the engine never needs more than this.
//
// Cursor positions follow the table engine: next() past the last record sets eof() and stays
// on the last record; prior() before the first sets bof() and stays on the first.
#pragma once

#include <QObject>
#include <QString>

enum class TRpFieldKind { Text, Date, Integer, Float, Memo };

class TRpDataSet : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool isOpen() const = 0;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual void prior() = 0;
    virtual bool eof() const = 0;
    virtual bool bof() const = 0;
    virtual int recordCount() const = 0;

    virtual int fieldIndex(const QString &name) const = 0; // -1 when there is none
    virtual TRpFieldKind fieldKind(int field) const = 0;
    // The text the field shows (its display format); a memo's whole text.
    virtual QString displayText(int field) const = 0;
    // The value of an integer or floating field.
    virtual double value(int field) const = 0;

signals:
    void recordChanged(); // moved, or the current record's contents changed
};
