// The passes that keep CDs and songs in step with their artist and CD by hand (the tables are
// linked by name texts only). Names match with foldAZ on both sides. Each pass reaches the
// records it may change through the artist index (every foldAZ match is an equal key there),
// changes each match once, and leaves the table in the given order on its last record, as a
// walk over the whole table in that order would.
#pragma once

#include "Table.h"

namespace catalogue {

// True when an artist record other than the one of record id except holds name (foldAZ): the
// CDs and songs of that name are then that artist's too, and a rename or delete of one record
// must leave them alone. Reads through a cursor of its own; the table's cursor stays put.
bool otherArtistNamed(const tables::Table &artista, const QString &name, qint64 except);

// Sets field Artista to newName in every record whose Artista matches oldName.
void renameArtist(tables::Table &table, const QString &indexName, const QString &oldName,
                  const QString &newName);

// Deletes every record whose Artista matches name; adjacent matches are all deleted.
void deleteArtist(tables::Table &table, const QString &indexName, const QString &name);

// Sets Titulo to newTitle in every song whose Artista and Titulo match the CD's old ones.
void retitleSongs(tables::Table &musica, const QString &oldArtist, const QString &oldTitle,
                  const QString &newTitle);

} // namespace catalogue
