#include "DataModule.h"
#include "Messages.h"
#include "TableDefinitions.h"
#include "Transactions.h"

TDataModule1 *DataModule1 = nullptr;

TDataModule1::TDataModule1(QObject *parent) : QObject(parent)
{
    const auto &defs = melvora::tableDefinitions();
    Artista = new tables::Table(defs[0].fileName, this);
    ArtistaSource = new dataaware::DataSource(Artista, this);
    ArtistaSource->setAutoEdit(false);
    CD = new tables::Table(defs[1].fileName, this);
    CDSource = new dataaware::DataSource(CD, this);
    CDSource->setAutoEdit(false);
    Retirada = new tables::Table(defs[2].fileName, this);
    RetiradaSource = new dataaware::DataSource(Retirada, this);
    Musica = new tables::Table(defs[3].fileName, this);
    MusicaSource = new dataaware::DataSource(Musica, this);
    DataModule1 = this;
}

TDataModule1::~TDataModule1()
{
    if (DataModule1 == this)
        DataModule1 = nullptr;
    for (tables::Table *t : {Musica, Retirada, CD, Artista}) {
        try {
            t->close();
        } catch (const tables::EngineError &) {
            // At the end of the program there is no one left to tell.
        }
    }
}

void TDataModule1::DataModuleCreate()
{
    // A rollback journal still in force means the last run stopped inside a write; opening the
    // table settles it (the interrupted action is kept whole or undone whole), and the user hears
    // of it before any window opens.
    bool interrupted = false;
    for (tables::Table *t : {Artista, CD, Retirada, Musica})
        interrupted = tables::wasInterrupted(t->fileName()) || interrupted;
    for (tables::Table *t : {Artista, CD, Retirada, Musica})
        t->open(tables::OpenMode::Exclusive);
    if (interrupted)
        Mensagem(
            QStringLiteral("O programa foi interrompido durante uma gravação. As tabelas foram recuperadas:"
                           " nenhuma operação ficou gravada pela metade"));
}

tables::Table *TDataModule1::table(const QString &name) const
{
    if (name.compare(QLatin1String("Artista"), Qt::CaseInsensitive) == 0)
        return Artista;
    if (name.compare(QLatin1String("CD"), Qt::CaseInsensitive) == 0)
        return CD;
    if (name.compare(QLatin1String("Retirada"), Qt::CaseInsensitive) == 0)
        return Retirada;
    if (name.compare(QLatin1String("Musica"), Qt::CaseInsensitive) == 0)
        return Musica;
    return nullptr;
}
