// The one data module: the four shared table cursors and their data sources. Every window
// works on these same objects, so each selects the index it needs before it positions a table.
#pragma once

#include "DataSource.h"
#include "Table.h"

#include <QObject>

class TDataModule1 : public QObject {
    Q_OBJECT
public:
    // Creates the members, closed; the creator then runs DataModuleCreate, whose engine error
    // (a table missing or held by another program) leaves the module in place with the tables
    // from the failed one on closed.
    explicit TDataModule1(QObject *parent = nullptr);
    ~TDataModule1() override;

    tables::Table *Artista;
    dataaware::DataSource *ArtistaSource;
    tables::Table *CD;
    dataaware::DataSource *CDSource;
    tables::Table *Retirada;
    dataaware::DataSource *RetiradaSource;
    tables::Table *Musica;
    dataaware::DataSource *MusicaSource;

    // Opens Artista, CD, Retirada and Musica in this order, each for exclusive use; stops with
    // the engine's error at the first that cannot be opened.
    void DataModuleCreate();

    // The table of a definition's name ("Artista", "CD", ...).
    tables::Table *table(const QString &name) const;
};

// The program's data module, set while one exists.
extern TDataModule1 *DataModule1;
