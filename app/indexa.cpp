#include "indexa.h"

#include "DataModule.h"
#include "FormPrincipal.h"
#include "TableDefinitions.h"

#include <QProgressBar>

Tindexaform::Tindexaform(TFormPrincipal *owner)
    : TJobForm(owner, QStringLiteral("Indexa"), QStringLiteral("Indexando Arquivos"))
{
    setObjectName(QStringLiteral("indexaform"));
}

void Tindexaform::FormPaint()
{
    const auto &steps = melvora::indexDefinitions();
    ProgressBar1->setMinimum(0);
    ProgressBar1->setMaximum(int(steps.size()));
    ProgressBar1->setValue(0);
    // addIndex rebuilds an index that exists already, so every step runs every time.
    for (const melvora::IndexDefinition &step : steps) {
        DataModule1->table(step.table)->addIndex(step.name, step.fieldList, true);
        stepProgress();
    }
    owner()->commandDone(Command::Manutencao);
    release();
}
