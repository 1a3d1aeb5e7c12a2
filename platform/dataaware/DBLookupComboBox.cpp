#include "DBLookupComboBox.h"

#include "ErrorReport.h"
#include "Table.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace dataaware {

DBLookupComboBox::DBLookupComboBox(QWidget *parent)
    : QComboBox(parent), link_(this, [this] { refresh(); })
{
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, melvora::reportingErrors(this, &DBLookupComboBox::chosen));
}

void DBLookupComboBox::setListSource(DataSource *source)
{
    if (listSource_)
        disconnect(listSource_, nullptr, this, nullptr);
    listSource_ = source;
    if (source)
        connect(source, &DataSource::dataChanged, this, &DBLookupComboBox::listChanged);
    listChanged();
}

void DBLookupComboBox::setKeyField(const QString &name)
{
    keyField_ = name;
    listChanged();
}

void DBLookupComboBox::setListField(const QString &name)
{
    listField_ = name;
    listChanged();
}

void DBLookupComboBox::listChanged()
{
    // A burst of changes to the list table costs one read, once control is back in the loop
    // (or earlier, when the list is needed).
    listStale_ = true;
    if (!refreshQueued_) {
        refreshQueued_ = true;
        QMetaObject::invokeMethod(this, [this] { refreshQueued_ = false; refresh(); }, Qt::QueuedConnection);
    }
}

void DBLookupComboBox::ensureList()
{
    if (!listStale_)
        return;
    listStale_ = false;
    keys_.clear();
    rowOfKey_.clear();
    QStringList entries;
    tables::Table *shared = listSource_ ? listSource_->dataSet() : nullptr;
    if (shared && shared->isOpen() && shared->fieldIndex(keyField_) >= 0
        && shared->fieldIndex(listField_) >= 0) {
        ++listReads_;
        // A second cursor on the same file: it reads the stored records in the shared
        // cursor's order without moving it or touching a pending edit.
        tables::Table reader(shared->fileName());
        reader.open(tables::OpenMode::Shared);
        reader.selectIndex(shared->selectedIndex());
        const int keyAt = reader.fieldIndex(keyField_);
        const int listAt = reader.fieldIndex(listField_);
        for (reader.first(); !reader.eof(); reader.next()) {
            const QString key = reader.fieldText(keyAt);
            if (!rowOfKey_.contains(key)) // a repeated key shows its first entry
                rowOfKey_.insert(key, keys_.size());
            keys_ << key;
            entries << reader.fieldText(listAt);
        }
    }
    updating_ = true;
    clear();
    addItems(entries);
    updating_ = false;
}

QStringList DBLookupComboBox::listEntries()
{
    ensureList();
    QStringList entries;
    for (int i = 0; i < count(); ++i)
        entries << itemText(i);
    return entries;
}

void DBLookupComboBox::refresh()
{
    ensureList();
    const int row = link_.table() ? rowOfKey_.value(link_.text(), -1) : -1;
    if (row != currentIndex()) {
        updating_ = true;
        setCurrentIndex(row);
        updating_ = false;
    }
}

void DBLookupComboBox::chosen(int row)
{
    if (updating_ || row < 0 || row >= keys_.size())
        return;
    if (!link_.prepareEdit()) {
        refresh();
        return;
    }
    link_.write(keys_[row]);
    refresh();
}

bool DBLookupComboBox::mayChange()
{
    return link_.editing() || link_.prepareEdit();
}

void DBLookupComboBox::showPopup()
{
    ensureList();
    if (mayChange())
        QComboBox::showPopup();
}

void DBLookupComboBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool moves = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp
                       || key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End
                       || key == Qt::Key_F4 || key == Qt::Key_Space
                       || (!event->text().isEmpty() && event->text().at(0).isPrint());
    bool may = true;
    if (!melvora::runReportingErrors([&] {
            may = !moves || mayChange();
            if (may)
                ensureList();
        }))
        return;
    if (!may) {
        event->accept(); // a read-only field keeps its value
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DBLookupComboBox::wheelEvent(QWheelEvent *event)
{
    bool may = false;
    if (!melvora::runReportingErrors([&] { may = mayChange(); }))
        return;
    if (!may) {
        event->accept();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace dataaware
