// A data source: the link between one table cursor and the controls bound to it (edits,
// navigators, lookup lists, report fields). With AutoEdit on, a bound control's first change
// puts the table into edit state by itself; with it off, typing is refused until a window has
// called edit or append.
#pragma once

#include <QObject>
#include <QPointer>

#include "Table.h"


namespace dataaware {

class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(tables::Table *dataSet = nullptr, QObject *parent = nullptr);

    tables::Table *dataSet() const { return dataSet_; }
    void setDataSet(tables::Table *table);
    bool autoEdit() const { return autoEdit_; }
    void setAutoEdit(bool on)
    {
        autoEdit_ = on;
        emit stateChanged(); // bound controls show whether typing is taken
    }

    // Called by a bound control before it writes: true when the table is (or, with AutoEdit,
    // has just been put) in edit or insert state.
    bool prepareEdit();

signals:
    void stateChanged();
    void recordChanged();
    void dataChanged();

private:
    QPointer<tables::Table> dataSet_;
    bool autoEdit_ = true;
};

} // namespace dataaware
