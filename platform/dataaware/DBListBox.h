// The data-aware list box: a list whose lines the window fills, bound to one field of its data
// source. Choosing a line (mouse or keys) writes that line's text into the field; a new record
// or state selects the line equal to the field, none when there is none. While the table is
// not editing, choosing puts it into edit state only when the source's AutoEdit is on.
#pragma once

#include "DataSource.h"
#include "FieldLink.h"

#include <QListWidget>

namespace dataaware {

class DBListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DBListBox(QWidget *parent = nullptr);

    void setDataSource(DataSource *source) { link_.setDataSource(source); }
    DataSource *dataSource() const { return link_.dataSource(); }
    void setDataField(const QString &name) { link_.setFieldName(name); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void refresh();
    void rowChosen(int row);
    void chooseCurrent(const QListWidgetItem *pressed); // pressed: the row under the mouse, or none
    bool mayChange();
    bool refusesChange(QEvent *event);

    FieldLink link_;
    bool userInput_ = false;
};

} // namespace dataaware
