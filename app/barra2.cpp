#include "barra2.h"

#include "DataModule.h"
#include "FormPrincipal.h"
#include "Messages.h"

#include <QProgressBar>

Tbarraform2::Tbarraform2(TFormPrincipal *owner)
    : TJobForm(owner, QStringLiteral("Reinicializar"), QStringLiteral("Reinicicializando arquivos"))
{
    setObjectName(QStringLiteral("barraform2"));
}

void Tbarraform2::FormPaint()
{
    tables::Table *const order[] = {DataModule1->Artista, DataModule1->CD, DataModule1->Retirada,
                                    DataModule1->Musica};
    // A pending insert or edit is settled before the counts are taken: posted by the first
    // move, it would be one record more than counted, left behind.
    for (tables::Table *t : order)
        t->settle();
    // The counts are taken once, before anything goes.
    int counts[4];
    qint64 total = 0;
    for (int t = 0; t < 4; ++t) {
        counts[t] = order[t]->recordCount();
        total += counts[t];
    }
    if (total == 0) {
        Mensagem(QStringLiteral("Não existem registros para serem apagados"));
        owner()->commandDone(Command::Reinicializar);
        release();
        return;
    }
    ProgressBar1->setMinimum(0);
    ProgressBar1->setMaximum(int(quint16(total))); // the bar holds a 16-bit maximum
    ProgressBar1->setValue(0);
    // Each pass deletes exactly one record, whatever index is selected, so a table is empty
    // when its count is used up.
    for (int t = 0; t < 4; ++t) {
        order[t]->first();
        for (int i = 0; i < counts[t]; ++i) {
            order[t]->deleteRecord();
            order[t]->next();
            stepProgress();
        }
    }
    owner()->commandDone(Command::Reinicializar);
    release();
}
