// The link of one data-bound control to one field of a data source: it follows the source's
// record and state notifications, reads the field's displayed text and writes the control's
// text into the record buffer. Its own writes do not echo back to the control.
#pragma once

#include "DataSource.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace dataaware {

class FieldLink : public QObject {
    Q_OBJECT
public:
    // onChange runs whenever the control must show the record again (new record, new state,
    // another control's write), never for this link's own writes.
    FieldLink(QObject *owner, std::function<void()> onChange);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return source_; }
    void setFieldName(const QString &name);
    const QString &fieldName() const { return fieldName_; }

    // The bound table when it is open and holds the field; null otherwise.
    tables::Table *table() const;
    const tables::FieldDef *field() const;
    bool editing() const; // the table is in edit or insert state
    // True when the control may write now: editing, or just put into edit state by AutoEdit.
    bool prepareEdit();

    QString text() const; // the field's displayed text; empty without a record
    void write(const QString &text);

private:
    void changed();

    QPointer<DataSource> source_;
    QString fieldName_;
    std::function<void()> onChange_;
    bool writing_ = false;
};

} // namespace dataaware
