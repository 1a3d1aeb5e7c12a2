#include "RpProperties.h"

bool TRpProperty::names(const QString &property) const
{
    if (kind == Family)
        return property.size() > name.size() && property.startsWith(name) && property[name.size()] == '.';
    return property.compare(name, nameCase) == 0;
}

const TRpProperty *TRpPropertyTable::find(const QString &name) const
{
    for (const TRpPropertyTable *table = this; table; table = table->base_)
        for (const TRpProperty &row : table->rows_)
            if (row.names(name))
                return &row;
    return nullptr;
}

std::vector<TRpProperty> rp::joined(std::vector<TRpProperty> rows, const std::vector<TRpProperty> &shared)
{
    rows.insert(rows.end(), shared.begin(), shared.end());
    return rows;
}
