// The four tables as CSV files and back. Export writes artista.csv, cd.csv, retirada.csv and
// musica.csv: a header row of the field names, then every record in the table's own order, each
// field as the program shows it (dates dd/MM/yy). Import reads the four files, checks every row
// against its table's fields before anything is written, and stores all of them in one action,
// or nothing.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace melvora {

// The CSV file of a table: "cd.db" has "cd.csv".
QString csvFileName(const QString &tableFileName);

// Writes the four files into outDir (made when missing; a file there of the same name is
// replaced whole). Answers the records written per table, in table order. Throws EngineError
// (the tables held by another program, missing, or a file that cannot be written).
std::array<int, 4> exportCsv(const QString &dir, const QString &outDir);

struct ImportOutcome {
    // "cd.csv, linha 7: ..." for every row that cannot be stored; when there is any, nothing
    // was stored and dir was not touched.
    QStringList badRows;
    std::array<int, 4> stored{}; // records per table, in table order
};

// Stores the rows of the four files of inDir as the records of dir's tables: into new tables
// when dir has none, into empty ones, or, with replace, instead of the records the tables hold.
// Throws EngineError when the tables are held by another program, hold records and replace is
// not given, or the action fails (then nothing of it is stored).
ImportOutcome importCsv(const QString &dir, const QString &inDir, bool replace);

} // namespace melvora
