#include "R_Retirad.h"

#include "DataModule.h"
#include "Demopre.h"
#include "RpPrinter.h"
#include "RpTableDataSet.h"

TR_RetiradaForm *R_RetiradaForm = nullptr;

TR_RetiradaForm::TR_RetiradaForm(TDataModule1 *dataModule, QObject *parent)
    : TReportForm(QStringLiteral("Relatório de Retiradas"), parent), dataModule_(dataModule)
{
    addTableDataSource(*this, QStringLiteral("RetiradaSource"), dataModule->RetiradaSource);
    load(QStringLiteral(":/reports/R_Retirad.xml"));
    FormCreate();
}

TR_RetiradaForm::~TR_RetiradaForm()
{
    // The hook calls into this form: it must not outlive it.
    store().OnPreview = nullptr;
}

void TR_RetiradaForm::FormCreate()
{
    store().OnPreview = [this] { Showpreview(); };
}

void TR_RetiradaForm::Showpreview()
{
    // One preview at a time: showing the window again while it is up would nest its modal loop.
    if (PrevForm && !PrevForm->isVisible())
        PrevForm->ShowModal();
}

void TR_RetiradaForm::RpReport1BeforePrint(TRpReport *, bool &)
{
    // No index is selected: the report follows the order the checkout table has now.
    dataModule_->Retirada->first();
}
