// A data-bound edit: shows one field of its data source's current record and writes what the
// user types into the record buffer, so that the table's post stores it. It takes the field's
// size as its maximum length and, for dates, the field's edit mask. While the table is not in
// edit or insert state the edit is read-only; typing then puts the table into edit state only
// when the source's AutoEdit is on.
#pragma once

#include "DataSource.h"
#include "FieldLink.h"

#include <QLineEdit>

namespace dataaware {

class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);

    void setDataSource(DataSource *source) { link_.setDataSource(source); }
    DataSource *dataSource() const { return link_.dataSource(); }
    void setDataField(const QString &name) { link_.setFieldName(name); }
    const QString &dataField() const { return link_.fieldName(); }

    // True while the edit shows a date the field refused or has not taken yet (typed in part):
    // the record buffer still holds the last date, and a save must wait for a date or a blank.
    bool refusesText() const;
    // True when leaving the field has already shown the refusal of the text now shown.
    bool refusalShown() const { return refusalShown_; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void refresh();
    void applyField();
    void userEdited();
    bool isDate() const;
    void showRefusing(bool refusing);

    FieldLink link_;
    QString appliedField_;
    // A date typed only in part: not yet in the buffer, written (or refused) on leaving.
    bool dirty_ = false;
    qint64 dirtyRecord_ = 0;
    bool refusing_ = false;
    bool refusalShown_ = false;
};

} // namespace dataaware
