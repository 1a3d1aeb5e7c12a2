// The data set of a data source of the data module (text and date fields): how reports read
// the program's tables. It sits outside the engine's core, which knows no table, and so does
// the operation that names such a data source on a form (addTableDataSource).
#pragma once

#include "DataSource.h"
#include "RpDataSet.h"

#include <QPointer>

class TRpForm;

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

// Names the data source on the form, read through an adapter that the form owns; answers the
// adapter, which the form's components refer to.
TRpDataSet *addTableDataSource(TRpForm &form, const QString &name, dataaware::DataSource *source);
