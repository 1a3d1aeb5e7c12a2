// The four tables of the collection: their files, fields and the fourteen secondary indexes,
// in the order the index rebuild builds them. The start-up check, the rebuild and the tool that
// creates empty tables all read these lists.
#pragma once

#include "Schema.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace melvora {

struct TableDefinition {
    QString name;     // "Artista"
    QString fileName; // "artista.db"
    tables::Schema fields;
};

struct IndexDefinition {
    QString table;     // "CD"
    QString name;      // "iartista_titulo"
    QString fieldList; // "artista;titulo"
};

// Artista, CD, Retirada, Musica: the order the data module opens them in.
const QVector<TableDefinition> &tableDefinitions();

// The fourteen indexes, in rebuild order.
const QVector<IndexDefinition> &indexDefinitions();

// The 28 index file names in the order the start-up check tests them.
const QStringList &indexFileNames();

} // namespace melvora
