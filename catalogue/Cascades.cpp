#include "Cascades.h"

#include "NameMatch.h"

namespace catalogue {

bool otherArtistNamed(const tables::Table &artista, const QString &name, qint64 except)
{
    tables::Table reader(artista.fileName());
    reader.open(tables::OpenMode::Shared);
    reader.selectIndex(QStringLiteral("iartista"));
    if (!reader.findKey({name}))
        return false;
    // Every spelling foldAZ matches is an equal key of the index, and equal keys are adjacent.
    const int field = reader.fieldIndex(QStringLiteral("artista"));
    for (; !reader.eof() && melvora::sameKey(reader.fieldText(field), name); reader.next())
        if (reader.recordId() != except && melvora::sameNameAZ(reader.fieldText(field), name))
            return true;
    return false;
}

void renameArtist(tables::Table &table, const QString &indexName, const QString &oldName,
                  const QString &newName)
{
    const QString old = melvora::foldAZ(oldName);
    const int artista = table.fieldIndex(QStringLiteral("artista"));
    table.selectIndex(indexName);
    for (table.first(); !table.eof(); table.next()) {
        if (melvora::foldAZ(table.fieldText(artista)) == old) {
            table.edit();
            table.setFieldText(artista, newName);
        }
    }
}

void deleteArtist(tables::Table &table, const QString &indexName, const QString &name)
{
    const QString folded = melvora::foldAZ(name);
    const int artista = table.fieldIndex(QStringLiteral("artista"));
    table.selectIndex(indexName);
    table.first();
    while (!table.eof() && !table.isEmpty()) {
        if (melvora::foldAZ(table.fieldText(artista)) != folded) {
            table.next();
            continue;
        }
        // The record after the deleted one becomes current; when the last one went, the new
        // last one, already looked at, is current and the next step ends the scan.
        table.deleteRecord();
    }
}

void retitleSongs(tables::Table &musica, const QString &oldArtist, const QString &oldTitle,
                  const QString &newTitle)
{
    const QString artist = melvora::foldAZ(oldArtist);
    const QString title = melvora::foldAZ(oldTitle);
    const int artista = musica.fieldIndex(QStringLiteral("artista"));
    const int titulo = musica.fieldIndex(QStringLiteral("titulo"));
    musica.selectIndex(QStringLiteral("imusica"));
    for (musica.first(); !musica.eof(); musica.next()) {
        if (melvora::foldAZ(musica.fieldText(artista)) == artist
            && melvora::foldAZ(musica.fieldText(titulo)) == title) {
            musica.edit();
            musica.setFieldText(titulo, newTitle);
        }
    }
}

} // namespace catalogue
