#include "Cascades.h"

#include "IndexNames.h"
#include "NameMatch.h"

namespace catalogue {

bool otherArtistNamed(const tables::Table &artista, const QString &name, qint64 except)
{
    tables::Table reader(artista.fileName());
    reader.open(tables::OpenMode::Shared);
    reader.selectIndex(melvora::index::iartista);
    if (!reader.findKey({name}))
        return false;
    // Every spelling foldAZ matches is an equal key of the index, and equal keys are adjacent.
    const int field = reader.fieldIndex(QStringLiteral("artista"));
    for (; !reader.eof() && melvora::sameKey(reader.fieldText(field), name); reader.next())
        if (reader.recordId() != except && melvora::sameNameAZ(reader.fieldText(field), name))
            return true;
    return false;
}

namespace {

// The records a cascade changes are those whose names foldAZ matches. foldAZ-equal names are
// equal keys of the artist index (they differ in the letters A to Z only, whose case the index
// ignores), and equal keys are adjacent: the pass finds the first by key and walks the run,
// instead of reading the whole table. A record whose key the change moves leaves the run, so
// the pass looks the run up again from its start.
template <class InRun, class Matches, class Change>
void walkRun(tables::Table &table, const QString &index, const QStringList &key, InRun &&inRun,
             Matches &&matches, Change &&change, bool changeLeavesRun)
{
    table.selectIndex(index);
    if (!table.findKey(key))
        return;
    while (!table.eof() && !table.isEmpty() && inRun()) {
        if (!matches()) {
            table.next();
            continue;
        }
        change();
        if (changeLeavesRun && !table.findKey(key))
            return;
        if (!changeLeavesRun)
            table.next();
    }
}

// The pass ends as the whole-table walk in the register's order would: on the last record.
void endAsTheWalk(tables::Table &table, const QString &indexName)
{
    table.selectIndex(indexName);
    table.last();
}

} // namespace

void renameArtist(tables::Table &table, const QString &indexName, const QString &oldName,
                  const QString &newName)
{
    const QString old = melvora::foldAZ(oldName);
    const int artista = table.fieldIndex(QStringLiteral("artista"));
    walkRun(
        table, melvora::index::iartista, {oldName},
        [&] { return melvora::sameKey(table.fieldText(artista), oldName); },
        [&] { return melvora::foldAZ(table.fieldText(artista)) == old; },
        [&] {
            table.edit();
            table.setFieldText(artista, newName);
            table.post();
        },
        !melvora::sameKey(newName, oldName));
    endAsTheWalk(table, indexName);
}

void deleteArtist(tables::Table &table, const QString &indexName, const QString &name)
{
    const QString folded = melvora::foldAZ(name);
    const int artista = table.fieldIndex(QStringLiteral("artista"));
    // The record after a deleted one becomes current, so the walk looks again where it stands.
    table.selectIndex(melvora::index::iartista);
    if (table.findKey({name})) {
        while (!table.eof() && !table.isEmpty() && melvora::sameKey(table.fieldText(artista), name)) {
            if (melvora::foldAZ(table.fieldText(artista)) == folded)
                table.deleteRecord();
            else
                table.next();
        }
    }
    endAsTheWalk(table, indexName);
}

void retitleSongs(tables::Table &musica, const QString &oldArtist, const QString &oldTitle,
                  const QString &newTitle)
{
    const QString artist = melvora::foldAZ(oldArtist);
    const QString title = melvora::foldAZ(oldTitle);
    const int artista = musica.fieldIndex(QStringLiteral("artista"));
    const int titulo = musica.fieldIndex(QStringLiteral("titulo"));
    walkRun(
        musica, melvora::index::iartistatitulo, {oldArtist, oldTitle},
        [&] {
            return melvora::sameKey(musica.fieldText(artista), oldArtist)
                   && melvora::sameKey(musica.fieldText(titulo), oldTitle);
        },
        [&] {
            return melvora::foldAZ(musica.fieldText(artista)) == artist
                   && melvora::foldAZ(musica.fieldText(titulo)) == title;
        },
        [&] {
            musica.edit();
            musica.setFieldText(titulo, newTitle);
            musica.post();
        },
        !melvora::sameKey(newTitle, oldTitle));
    endAsTheWalk(musica, melvora::index::imusica);
}

} // namespace catalogue
