// The lookup drop-down list: offers the ListField of every record of its list source's table
// and writes the chosen record's KeyField into the DataField of its data source. The list is
// read once through a private cursor (so the shared one keeps its position), in the list
// table's current index order, and read again only after that table's data or order changed.
// It shows the entry whose key equals the bound field, blank when there is none.
#pragma once

#include "DataSource.h"
#include "FieldLink.h"

#include <QComboBox>
#include <QHash>
#include <QPointer>

namespace dataaware {

class DBLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget *parent = nullptr);

    void setDataSource(DataSource *source) { link_.setDataSource(source); }
    DataSource *dataSource() const { return link_.dataSource(); }
    void setDataField(const QString &name) { link_.setFieldName(name); }
    void setListSource(DataSource *source);
    void setKeyField(const QString &name);
    void setListField(const QString &name);

    // The entries as offered (reads the list first when it is out of date).
    QStringList listEntries();
    int listReads() const { return listReads_; } // how often the list table was read

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void refresh();
    void ensureList();
    void listChanged();
    void chosen(int row);
    bool mayChange();

    FieldLink link_;
    QPointer<DataSource> listSource_;
    QString keyField_;
    QString listField_;
    bool listStale_ = true;
    QStringList keys_;
    QHash<QString, int> rowOfKey_;
    bool updating_ = false;
    bool refreshQueued_ = false;
    int listReads_ = 0;
};

} // namespace dataaware
