#include "CollectionTables.h"

#include "EngineError.h"
#include "Transactions.h"

#include <QDir>

namespace melvora {

QString tablePath(const QString &dir, const TableDefinition &def)
{
    return QDir(dir).absoluteFilePath(def.fileName);
}

QString fieldsDifference(const tables::Table &table, const TableDefinition &def)
{
    const tables::Schema &have = table.fields();
    auto describe = [](const tables::Schema &fields) {
        QStringList parts;
        for (const tables::FieldDef &f : fields)
            parts << (f.type == tables::FieldType::Date ? QStringLiteral("%1 (data)").arg(f.name)
                                                        : QStringLiteral("%1 (%2)").arg(f.name).arg(f.size));
        return parts.join(QStringLiteral(", "));
    };
    bool same = have.size() == def.fields.size();
    for (int i = 0; same && i < have.size(); ++i)
        same = have[i].name.compare(def.fields[i].name, Qt::CaseInsensitive) == 0
               && have[i].type == def.fields[i].type
               && (have[i].type == tables::FieldType::Date || have[i].size == def.fields[i].size);
    if (same)
        return QString();
    return QStringLiteral("a tabela %1 tem os campos %2, e não os da tabela %3 do Melvora (%4)")
        .arg(def.fileName, describe(have), def.name, describe(def.fields));
}

CollectionTables::CollectionTables(const QString &dir)
{
    const auto &defs = tableDefinitions();
    for (int i = 0; i < defs.size(); ++i) {
        tables_[size_t(i)] = std::make_unique<tables::Table>(tablePath(dir, defs[i]));
        tables_[size_t(i)]->open(tables::OpenMode::Exclusive);
        if (const QString diff = fieldsDifference(*tables_[size_t(i)], defs[i]); !diff.isEmpty())
            throw tables::EngineError(diff);
    }
}

tables::Table &CollectionTables::table(const QString &name)
{
    const auto &defs = tableDefinitions();
    for (int i = 0; i < defs.size(); ++i)
        if (defs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return table(i);
    throw tables::EngineError(QStringLiteral("A tabela %1 não faz parte da coleção").arg(name));
}

int CollectionTables::totalRecords() const
{
    int n = 0;
    for (const auto &t : tables_)
        n += t->recordCount();
    return n;
}

void CollectionTables::rebuildIndexes()
{
    for (const IndexDefinition &step : indexDefinitions())
        table(step.table).addIndex(step.name, step.fieldList, true);
    tables::commitAll();
}

} // namespace melvora
