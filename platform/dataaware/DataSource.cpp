#include "DataSource.h"

#include "Table.h"

namespace dataaware {

DataSource::DataSource(tables::Table *dataSet, QObject *parent) : QObject(parent)
{
    setDataSet(dataSet);
}

void DataSource::setDataSet(tables::Table *table)
{
    if (dataSet_)
        disconnect(dataSet_, nullptr, this, nullptr);
    dataSet_ = table;
    if (table) {
        connect(table, &tables::Table::stateChanged, this, &DataSource::stateChanged);
        connect(table, &tables::Table::recordChanged, this, &DataSource::recordChanged);
        connect(table, &tables::Table::dataChanged, this, &DataSource::dataChanged);
    }
    emit dataChanged();
    emit recordChanged();
}

bool DataSource::prepareEdit()
{
    if (!dataSet_ || !dataSet_->isOpen())
        return false;
    const auto s = dataSet_->state();
    if (s == tables::TableState::Edit || s == tables::TableState::Insert)
        return true;
    if (!autoEdit_)
        return false;
    dataSet_->edit();
    return true;
}

} // namespace dataaware
