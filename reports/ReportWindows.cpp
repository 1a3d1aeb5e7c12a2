#include "ReportWindows.h"

#include "DataModule.h"
#include "Demopre.h"
#include "FormPrincipal.h"
#include "R_CD.h"
#include "R_Retirad.h"
#include "R_musica.h"

void createReportHolders()
{
    R_RetiradaForm = new TR_RetiradaForm(DataModule1);
    R_musicaform = new TR_musicaform;
    // The preview window shows the store the holders generate into.
    PrevForm = new TPrevForm(R_RetiradaForm->store());
    R_CDForm = new TR_CDForm(DataModule1);
}

void destroyReportHolders()
{
    delete R_CDForm;
    R_CDForm = nullptr;
    delete PrevForm;
    PrevForm = nullptr;
    delete R_musicaform;
    R_musicaform = nullptr;
    delete R_RetiradaForm;
    R_RetiradaForm = nullptr;
}

void registerReportCommands(TFormPrincipal *mainWindow)
{
    mainWindow->setCreator(ExternalCommand::RelatorioCD, [] { R_CDForm->Preview(); });
    mainWindow->setCreator(ExternalCommand::RelatorioRetirada, [] { R_RetiradaForm->Preview(); });
    mainWindow->setCreator(ExternalCommand::RelatorioMusica, [] { R_musicaform->Preview(); });
}
