#include "retorno.h"
#include "ErrorReport.h"
#include "OkButton.h"
#include "CDLookup.h"

#include "DBEdit.h"
#include "DBNavigator.h"
#include "DataModule.h"
#include "FormPrincipal.h"
#include "IndexNames.h"
#include "Messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

TRetornoform::TRetornoform(TFormPrincipal *owner)
    : TChildForm(owner, QStringLiteral("Retorno"), Box::Minimise)
{
    auto *contents = new QWidget;
    contents->setFixedSize(263, 207);
    auto *grid = new QGridLayout(contents);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setVerticalSpacing(2);
    auto edit = [&](const QString &caption, const QString &field, int row, int col, int span) {
        auto *e = new dataaware::DBEdit;
        e->setDataSource(DataModule1->RetiradaSource);
        e->setDataField(field);
        e->setEnabled(false); // display only
        auto *l = new QLabel(caption);
        l->setBuddy(e);
        grid->addWidget(l, row, col, 1, span);
        grid->addWidget(e, row + 1, col, 1, span);
        return e;
    };
    DBEdit6 = edit(QStringLiteral("Artista"), QStringLiteral("Artista"), 0, 0, 2);
    DBEdit5 = edit(QStringLiteral("Título"), QStringLiteral("Titulo"), 2, 0, 2);
    DBEdit3 = edit(QStringLiteral("Telefone"), QStringLiteral("Telefone"), 4, 0, 1);
    DBEdit4 = edit(QStringLiteral("Data Entrega"), QStringLiteral("Data_Entrega"), 4, 1, 1);
    DBEdit1 = edit(QStringLiteral("Data Retirada"), QStringLiteral("Data_Retirada"), 6, 0, 1);
    DBEdit2 = edit(QStringLiteral("Responsável"), QStringLiteral("Responsavel"), 6, 1, 1);

    DBNavigator1 = new dataaware::DBNavigator;
    DBNavigator1->setDataSource(DataModule1->RetiradaSource);
    BitBtn1 = makeOkButton(QStringLiteral("Efetua a retirada do Título Atual"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(DBNavigator1);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1);
    grid->addLayout(bottom, 8, 0, 1, 2);
    grid->setRowStretch(8, 1);
    QWidget::setTabOrder(DBNavigator1, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, melvora::reportingErrors([this] { BitBtn1Click(); }));
    showInFrame(contents, false); // where the frame places a new window
    FormShow();
}

void TRetornoform::FormShow()
{
    DataModule1->Retirada->first();
    DataModule1->Retirada->selectIndex(melvora::index::iartista);
}

void TRetornoform::BitBtn1Click()
{
    tables::Table *retirada = DataModule1->Retirada;
    const QString artista = retirada->fieldText(QStringLiteral("artista"));
    const QString titulo = retirada->fieldText(QStringLiteral("titulo"));
    if (artista.isEmpty() || titulo.isEmpty()) {
        Mensagem(QStringLiteral("Operação Inválida"));
        return;
    }
    retirada->deleteRecord();
    tables::Table *cd = DataModule1->CD;
    if (!lending::findCD(*cd, artista, titulo, QStringLiteral("S"), false)) {
        Mensagem(QStringLiteral("Houve um problema no seu Banco de Dados.Dados não encontrados"));
        return;
    }
    cd->edit();
    cd->setFieldText(QStringLiteral("retirada"), QStringLiteral("N"));
    cd->post();
}

void TRetornoform::FormClose()
{
    owner()->commandDone(Command::Retorno);
}
