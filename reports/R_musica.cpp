#include "R_musica.h"

#include "DataSource.h"
#include "IndexNames.h"
#include "MelvoraApplication.h"
#include "RpTableDataSet.h"
#include "Table.h"

TR_musicaform *R_musicaform = nullptr;

TR_musicaform::TR_musicaform(QObject *parent)
    : TReportForm(QStringLiteral("Relatório de Músicas"), parent),
      Table1(new tables::Table(QStringLiteral("musica.db"), this)),
      DataSource1(new dataaware::DataSource(Table1, this))
{
    DataSource1->setAutoEdit(false);
    addTableDataSource(*this, QStringLiteral("DataSource1"), DataSource1);
    load(QStringLiteral(":/reports/R_musica.xml"));
    FormCreate();
}

TR_musicaform::~TR_musicaform()
{
    // The report's field adapters read Table1: remove them before the cursor goes.
    removeDataSource(QStringLiteral("DataSource1"));
    Table1->close();
}

void TR_musicaform::FormCreate()
{
    // A song table that cannot be opened is reported and start-up goes on; running the report
    // then reports the engine's error on the closed cursor.
    melvora::runReportingErrors([this] { Table1->open(tables::OpenMode::Shared); });
}

void TR_musicaform::RpReport1BeforePrint(TRpReport *, bool &)
{
    Table1->selectIndex(melvora::index::iartista);
    Table1->first();
}
