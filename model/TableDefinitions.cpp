#include "TableDefinitions.h"

#include "IndexNames.h"

namespace melvora {

using tables::FieldType;

const QVector<TableDefinition> &tableDefinitions()
{
    static const QVector<TableDefinition> defs = {
        {"Artista", "artista.db", {{"Artista", FieldType::Text, 40}}},
        {"CD", "cd.db",
         {{"Titulo", FieldType::Text, 40},
          {"Aquisicao", FieldType::Date, 0},
          {"Artista", FieldType::Text, 40},
          {"Estilo", FieldType::Text, 20},
          {"Retirada", FieldType::Text, 1},
          {"Numero", FieldType::Text, 3}}},
        {"Retirada", "retirada.db",
         {{"Data_Retirada", FieldType::Date, 0},
          {"Responsavel", FieldType::Text, 40},
          {"Telefone", FieldType::Text, 13},
          {"Data_Entrega", FieldType::Date, 0},
          {"Titulo", FieldType::Text, 40},
          {"Artista", FieldType::Text, 40}}},
        {"Musica", "musica.db",
         {{"Artista", FieldType::Text, 40},
          {"Titulo", FieldType::Text, 40},
          {"Musica", FieldType::Text, 40}}},
    };
    return defs;
}

const QVector<IndexDefinition> &indexDefinitions()
{
    static const QVector<IndexDefinition> defs = {
        {"Artista", index::iartista, "artista"},
        {"CD", index::iartista, "artista"},
        {"CD", index::iartista_titulo, "artista;titulo"},
        {"CD", index::ititulo, "titulo"},
        {"CD", index::inumero, "numero"},
        {"Musica", index::iartistatitulo, "artista;titulo"},
        {"Musica", index::iartistatitulomusica, "artista;titulo;musica"},
        {"Musica", index::imusica, "musica"},
        {"Musica", index::iartista, "artista"},
        {"Retirada", index::iartista, "artista"},
        {"Retirada", index::idata_entrega, "data_entrega"},
        {"Retirada", index::idata_retirada, "data_retirada"},
        {"Retirada", index::iresponsavel, "responsavel"},
        {"Retirada", index::ititulo, "titulo"},
    };
    return defs;
}

const QStringList &indexFileNames()
{
    static const QStringList names = {
        "artista.XG0", "artista.YG0",
        "cd.XG0", "cd.XG1", "cd.XG2", "cd.XG3",
        "cd.YG0", "cd.YG1", "cd.YG2", "cd.YG3",
        "musica.XG0", "musica.XG1", "musica.XG2", "musica.XG3",
        "musica.YG0", "musica.YG1", "musica.YG2", "musica.YG3",
        "retirada.XG0", "retirada.XG1", "retirada.XG2", "retirada.XG3", "retirada.XG4",
        "retirada.YG0", "retirada.YG1", "retirada.YG2", "retirada.YG3", "retirada.YG4",
    };
    return names;
}

} // namespace melvora
