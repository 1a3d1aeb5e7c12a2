// The names of the secondary indexes, spelled once. A name is per table, so the same name
// (iartista, ititulo) is an index of each table that has one of those fields; the definitions
// in TableDefinitions.cpp say which table has which. Each constant is spelled as its index.
#pragma once

#include <QString>

namespace melvora::index {

inline const QString iartista = QStringLiteral("iartista");                         // every table
inline const QString ititulo = QStringLiteral("ititulo");                           // CD, Retirada
inline const QString iartista_titulo = QStringLiteral("iartista_titulo");           // CD
inline const QString inumero = QStringLiteral("inumero");                           // CD
inline const QString iartistatitulo = QStringLiteral("iartistatitulo");             // Musica
inline const QString iartistatitulomusica = QStringLiteral("iartistatitulomusica"); // Musica
inline const QString imusica = QStringLiteral("imusica");                           // Musica
inline const QString idata_entrega = QStringLiteral("idata_entrega");               // Retirada
inline const QString idata_retirada = QStringLiteral("idata_retirada");             // Retirada
inline const QString iresponsavel = QStringLiteral("iresponsavel");                 // Retirada

} // namespace melvora::index
