// What the report engine reads of a data set: the cursor moves and tests of the table engine
// and typed field values. Reports over the program's tables use TRpTableDataSet, which reads a
// data source of the data module; the engine itself never needs more than this interface.
//
// Cursor positions follow the table engine: next() past the last record sets eof() and stays
// on the last record; prior() before the first sets bof() and stays on the first.
#pragma once

#include "DataSource.h"

#include <QObject>
#include <QPointer>

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

// The data set of a data source of the data module (text and date fields).
class TRpTableDataSet : public TRpDataSet {
    Q_OBJECT
public:
    explicit TRpTableDataSet(dataaware::DataSource *source, QObject *parent = nullptr);

    bool isOpen() const override;
    void first() override;
    void next() override;
    void prior() override;
    bool eof() const override;
    bool bof() const override;
    int recordCount() const override;
    int fieldIndex(const QString &name) const override;
    TRpFieldKind fieldKind(int field) const override;
    QString displayText(int field) const override;
    double value(int field) const override;

    dataaware::DataSource *source() const { return source_; }

private:
    tables::Table *table() const;
    QPointer<dataaware::DataSource> source_;
};
