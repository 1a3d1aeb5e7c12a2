#include "TableRecords.h"

void add(tables::Table &t, const QStringList &values)
{
    t.append();
    for (int i = 0; i < values.size(); ++i)
        t.setFieldText(i, values[i]);
    t.post();
}

void put(tables::Table &t, const FieldValues &values)
{
    t.append();
    for (const auto &[field, value] : values)
        t.setFieldText(field, value);
    t.post();
}

QStringList column(tables::Table &t, const QString &field)
{
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.fieldText(field);
    return out;
}

QStringList rows(const QString &tableFile)
{
    tables::Table reader(tableFile);
    reader.open(tables::OpenMode::Shared);
    QStringList out;
    for (reader.first(); !reader.eof(); reader.next()) {
        QStringList fields;
        for (int f = 0; f < reader.fields().size(); ++f)
            fields << reader.fieldText(f);
        out << fields.join(u'|');
    }
    return out;
}
