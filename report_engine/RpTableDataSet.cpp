#include "RpTableDataSet.h"
#include "RpComponent.h"

TRpTableDataSet::TRpTableDataSet(dataaware::DataSource *source, QObject *parent)
    : TRpDataSet(parent), source_(source)
{
    if (source)
        connect(source, &dataaware::DataSource::recordChanged, this, &TRpDataSet::recordChanged);
}

tables::Table *TRpTableDataSet::table() const
{
    return source_ ? source_->dataSet() : nullptr;
}

bool TRpTableDataSet::isOpen() const
{
    return table() && table()->isOpen();
}

void TRpTableDataSet::first() { table()->first(); }
void TRpTableDataSet::next() { table()->next(); }
void TRpTableDataSet::prior() { table()->prior(); }
bool TRpTableDataSet::eof() const { return table()->eof(); }
bool TRpTableDataSet::bof() const { return table()->bof(); }
int TRpTableDataSet::recordCount() const { return table()->recordCount(); }

int TRpTableDataSet::fieldIndex(const QString &name) const
{
    return isOpen() ? table()->fieldIndex(name) : -1;
}

TRpFieldKind TRpTableDataSet::fieldKind(int field) const
{
    return table()->fields().at(field).type == tables::FieldType::Date ? TRpFieldKind::Date
                                                                        : TRpFieldKind::Text;
}

QString TRpTableDataSet::displayText(int field) const
{
    return table()->displayText(field);
}

double TRpTableDataSet::value(int field) const
{
    return table()->fieldText(field).toDouble();
}

TRpDataSet *addTableDataSource(TRpForm &form, const QString &name, dataaware::DataSource *source)
{
    return form.addDataSource(name, std::make_unique<TRpTableDataSet>(source));
}
