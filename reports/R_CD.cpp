#include "R_CD.h"

#include "DataModule.h"
#include "IndexNames.h"
#include "RpTableDataSet.h"

TR_CDForm *R_CDForm = nullptr;

TR_CDForm::TR_CDForm(TDataModule1 *dataModule, QObject *parent)
    : TReportForm(QStringLiteral("Relatório de CDs"), parent), dataModule_(dataModule)
{
    addTableDataSource(*this, QStringLiteral("CDSource"), dataModule->CDSource);
    load(QStringLiteral(":/reports/R_CD.xml"));
}

void TR_CDForm::RpReport1BeforePrint(TRpReport *, bool &)
{
    dataModule_->CD->selectIndex(melvora::index::iartista);
    dataModule_->CD->first();
}
